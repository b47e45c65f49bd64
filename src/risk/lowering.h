#pragma once

#include "risk/assessment.h"

#include <optional>
#include <string>
#include <vector>

namespace sweltra::risk {

// One change an organiser can still make on the day: another option for one factor.
struct Change {
    const RiskFactor *factor;
    std::size_t from; // the option chosen now
    std::size_t to;   // the option that saves the most points
    double saved;     // points fewer than now
    double total;     // the total with this change alone
    Band band;
};

struct Lowering {
    std::vector<Change> changes; // most points saved first
    double total;                // with every change made together
    Band band;
};

// What would lower a scored assessment: for each factor that can still be changed on the day and
// whose choice can save points, the option that saves the most. Nothing unless the assessment is
// scored; a referral lists nothing.
std::optional<Lowering> whatWouldLower(const Assessment &assessment);

// "Time of event (DST): 12 noon to 4 pm → Before 9 am: 8 points fewer, total 90 (extreme)"
std::string changeLine(const Change &change);

} // namespace sweltra::risk
