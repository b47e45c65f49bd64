#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace sweltra::risk {

// The exclusion mark "X" of a serious medical condition: it refers, it does not score.
struct Referral {};
// The options of the factor that carries no points.
struct NoPoints {};

// What picking an option adds: whole points, the referral, or nothing.
using OptionPoints = std::variant<int, Referral, NoPoints>;

// The whole degrees an entry of a temperature list covers; an open end has no number.
struct DegreeRange {
    std::optional<int> lowest;
    std::optional<int> highest;
};

// One entry of a factor's list. Its text is also its key: a picked entry is recognised by
// comparing texts exactly. `degrees`: the numbers its text names, where something is placed by them.
struct FactorOption {
    std::string_view text;
    OptionPoints points;
    std::optional<DegreeRange> degrees = {};
};

// Where a factor stands in the verdict's completeness check: checks run from place 1 up, and an
// unanswered check says its message. Factors that share a place are one check, answered when any
// of them is. Place 0: not checked.
struct MissingCheck {
    int place = 0;
    std::string_view message;
};

// What sets a factor apart in how it is scored.
enum class Role {
    Plain,
    TemperatureScale, // one of the scales of question 1: a set of answers uses one of them
    TimeOfDay,        // added as a 16-bit whole number; another time usually brings another temperature
};

// One factor's row: all the program knows about it.
struct RiskFactor {
    std::string_view key; // shared by the factor's controls: cbo_<key>, txt_<key>, lbl_<key>
    std::string_view caption;
    bool scored;
    std::span<const FactorOption> options; // in list order
    MissingCheck check;
    int resetPlace = 0; // Reset clears the lists from place 1 up
    Role role = Role::Plain;
    bool changeable = false; // an organiser can still change it on the day
};

// The twelve factors in display order; both temperature scales are listed, WBGT first.
std::span<const RiskFactor> factors();
inline constexpr std::size_t factorCount = 13;

// nullptr when no factor has that key.
const RiskFactor *findFactor(std::string_view key);

// The factor's place in factors().
std::size_t indexOf(const RiskFactor &factor);

// Whether one of the factor's options refers instead of scoring.
bool refers(const RiskFactor &factor);

// The points text of a referral.
inline constexpr std::string_view referralMark = "X";

// What the option's points box shows: the points in decimal digits, "X" for the referral, and
// nothing for an option without points.
std::string pointsText(const FactorOption &option);

// The points text of the option whose text equals `optionText` exactly (no trimming, no case
// folding). Nothing for any other text, and nothing for a factor that is not scored.
std::optional<std::string> pointsFor(const RiskFactor &factor, std::string_view optionText);

// A factor as people name it: its caption without the number and without the asterisk that points
// to the window's "*" button ("Time of event (DST)").
std::string_view factorName(const RiskFactor &factor);

// The number of the question the factor answers: its caption's own, or for the unnumbered
// alternative temperature scale the number of the scale before it.
std::string_view factorNumber(const RiskFactor &factor);

} // namespace sweltra::risk
