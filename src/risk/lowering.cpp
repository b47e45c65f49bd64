#include "risk/lowering.h"

#include <algorithm>
#include <functional>

namespace sweltra::risk {

std::optional<Lowering> whatWouldLower(const Assessment &assessment) {
    const RiskOutcome now = calculateRisk(pointsOf(assessment));
    if (now.kind != RiskOutcome::Kind::Scored)
        return std::nullopt;
    // Every change is judged by the verdict itself, so a listed total is what Calculate would show.
    std::vector<Change> changes;
    Assessment together = assessment;
    for (const RiskFactor &factor : factors()) {
        if (!factor.changeable)
            continue;
        // A scored assessment has every changeable factor chosen, and each catalogue total a band.
        const std::size_t from = assessment[factor].value();
        std::optional<Change> best;
        for (std::size_t to = 0; to < factor.options.size(); ++to) {
            Assessment changed = assessment;
            changed[factor] = to;
            const RiskOutcome outcome = calculateRisk(pointsOf(changed));
            const double saved = now.total - outcome.total;
            // Strictly more, so a tie keeps the option first in the list.
            if (saved > (best ? best->saved : 0.0))
                best = Change{&factor, from, to, saved, outcome.total, outcome.band.value()};
        }
        if (best) {
            changes.push_back(*best);
            together[factor] = best->to;
        }
    }
    std::ranges::stable_sort(changes, std::ranges::greater{}, &Change::saved);
    const RiskOutcome all = calculateRisk(pointsOf(together));
    return Lowering{std::move(changes), all.total, all.band.value()};
}

std::string changeLine(const Change &change) {
    const auto &options = change.factor->options;
    return std::string(factorName(*change.factor)) + ": " + std::string(options[change.from].text) +
           " \u2192 " + std::string(options[change.to].text) + ": " + totalText(change.saved) +
           " points fewer, total " + totalText(change.total) + " (" + std::string(bandName(change.band)) +
           ")";
}

} // namespace sweltra::risk
