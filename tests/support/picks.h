#pragma once

// Real picks for a wanted verdict, found from the catalogue as a user would choose them.

#include "risk/assessment.h"

#include <optional>
#include <variant>

namespace picks {

using namespace sweltra::risk;

// Picks on `scale` alone (the other scale and the factor without points stay unpicked) whose
// points add up to `total`, each the first entry of its list that still allows it, so the medical
// entry is "None". Nothing when no picks make the total.
inline std::optional<Assessment> forTotal(int total, const RiskFactor &scale, Assessment picks = {},
                                          std::size_t from = 0) {
    if (from == factorCount)
        return total == 0 ? std::optional(picks) : std::nullopt;
    const RiskFactor &factor = factors()[from];
    if (!factor.scored || (factor.role == Role::TemperatureScale && &factor != &scale))
        return forTotal(total, scale, picks, from + 1);
    for (std::size_t i = 0; i < factor.options.size(); ++i) {
        const int *points = std::get_if<int>(&factor.options[i].points);
        picks[factor] = i;
        if (const auto found =
                points && *points <= total ? forTotal(total - *points, scale, picks, from + 1) : std::nullopt)
            return found;
    }
    return std::nullopt;
}

// The same picks with the first entry that refers chosen instead: a referral.
inline Assessment referred(Assessment picks) {
    for (const RiskFactor &factor : factors())
        for (std::size_t i = factor.options.size(); i-- > 0;)
            if (std::holds_alternative<Referral>(factor.options[i].points))
                picks[factor] = i;
    return picks;
}

} // namespace picks
