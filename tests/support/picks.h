#pragma once

// Real picks for a wanted verdict, found from the catalogue as a user would choose them.

#include "risk/assessment.h"

#include <algorithm>
#include <bitset>
#include <optional>
#include <variant>
#include <vector>

namespace picks {

using namespace sweltra::risk;

// The temperature scales, in the catalogue's order.
inline std::vector<const RiskFactor *> scales() {
    std::vector<const RiskFactor *> found;
    for (const RiskFactor &factor : factors())
        if (factor.role == Role::TemperatureScale)
            found.push_back(&factor);
    return found;
}

// Picks on `scale` alone (the other scale and the factor without points stay unpicked) whose points
// add up to `total`: each factor takes the first entry of its list that leaves a sum the factors
// after it can still make, so the medical entry is "None". Nothing when no picks make the total.
inline std::optional<Assessment> forTotal(int total, const RiskFactor &scale) {
    std::vector<const RiskFactor *> scored;
    for (const RiskFactor &factor : factors())
        if (factor.scored && (factor.role != Role::TemperatureScale || &factor == &scale))
            scored.push_back(&factor);
    constexpr int most = 512;
    std::vector<std::bitset<most>> sums(scored.size() + 1); // what the factors from here on can make
    sums.back() = 1;
    for (std::size_t i = scored.size(); i-- > 0;)
        for (const FactorOption &option : scored[i]->options)
            if (const int *points = std::get_if<int>(&option.points))
                sums[i] |= sums[i + 1] << std::size_t(*points);
    Assessment picks;
    for (std::size_t i = 0; i < scored.size(); ++i) {
        const auto &options = scored[i]->options;
        const auto fits = std::ranges::find_if(options, [&](const FactorOption &option) {
            const int *points = std::get_if<int>(&option.points);
            return points && *points <= total && total - *points < most &&
                   sums[i + 1][std::size_t(total - *points)];
        });
        if (fits == options.end())
            return std::nullopt;
        total -= std::get<int>(fits->points);
        picks[*scored[i]] = std::size_t(fits - options.begin());
    }
    return picks;
}

// The same picks with the first referring entry chosen: a referral.
inline Assessment referred(Assessment picks) {
    for (const RiskFactor &factor : factors()) {
        const auto entry = std::ranges::find_if(factor.options, [](const FactorOption &option) {
            return std::holds_alternative<Referral>(option.points);
        });
        if (entry != factor.options.end())
            picks[factor] = std::size_t(entry - factor.options.begin());
    }
    return picks;
}

} // namespace picks
