#pragma once

#include "risk/catalogue.h"
#include "risk/verdict.h"
#include "risk/wbgt.h"

#include <array>
#include <cstddef>
#include <optional>

namespace sweltra::risk {

// The chosen option of each factor, by its place in the factor's list; nothing while none is chosen.
struct Assessment {
    std::array<std::optional<std::size_t>, factorCount> chosen; // in the order of factors()

    std::optional<std::size_t> &operator[](const RiskFactor &factor) { return chosen[indexOf(factor)]; }
    const std::optional<std::size_t> &operator[](const RiskFactor &factor) const {
        return chosen[indexOf(factor)];
    }
};

// The texts the choices write into the points boxes, for the one verdict.
RiskPoints pointsOf(const Assessment &assessment);

// What the calculator shows: each list's chosen entry, and each points box's text as it stands,
// which is what the verdict reads.
struct Choices {
    Assessment assessment;
    RiskPoints points;
    std::optional<Weather> wbgtEstimatedFrom; // the weather the WBGT entry was estimated from
};

} // namespace sweltra::risk
