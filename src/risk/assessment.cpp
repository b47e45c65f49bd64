#include "risk/assessment.h"

namespace sweltra::risk {

RiskPoints pointsOf(const Assessment &assessment) {
    RiskPoints points;
    for (std::size_t i = 0; i < pointsBoxCount; ++i) {
        const auto box = static_cast<PointsBox>(i);
        const RiskFactor &factor = *findFactor(boxKey(box));
        if (const std::optional<std::size_t> chosen = assessment[factor])
            points[box] = pointsText(factor.options[*chosen]);
    }
    return points;
}

} // namespace sweltra::risk
