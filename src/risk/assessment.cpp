#include "risk/assessment.h"

namespace sweltra::risk {

RiskPoints pointsOf(const Assessment &assessment) {
    RiskPoints points;
    for (const RiskFactor &factor : factors()) {
        if (const std::optional<std::size_t> chosen = assessment[factor]; chosen && factor.scored)
            points[factor] = pointsText(factor.options[*chosen]);
    }
    return points;
}

} // namespace sweltra::risk
