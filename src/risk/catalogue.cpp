#include "risk/catalogue.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace sweltra::risk {

namespace {

constexpr std::array<FactorOption, 4> wbgtOptions{{
    {"<23°C", 2, DegreeRange{{}, 22}},
    {"23 to 27", 10, DegreeRange{23, 27}},
    {"28 to 29", 14, DegreeRange{28, 29}},
    {">= 30°C", 20, DegreeRange{30, {}}},
}};

constexpr std::array<FactorOption, 4> dryBulbOptions{{
    {"<24°C", 2},
    {"24 to 29", 10},
    {"30 to 32", 14},
    {">= 33°C", 20},
}};

constexpr std::array<FactorOption, 4> durationOptions{{
    {"<30", 2},
    {"30 to 60", 4},
    {"60 to 120", 6},
    {">120", 8},
}};

constexpr std::array<FactorOption, 5> intensityOptions{{
    {"Easy pace throughout", 2},
    {"Moderate pace, breaks in intensity", 4},
    {"Moderate pace throughout", 6},
    {"Sustained effort with some breaks", 8},
    {"Sustained effort throughout", 10},
}};

constexpr std::array<FactorOption, 3> acclimatizationOptions{{
    {"Used to hot weather conditions", 2},
    {"Used to warm weather conditions", 5},
    {"Used to cool/cold conditions", 8},
}};

// "Good fitness level" scores like "Moderate fitness levels"; the guidelines have it so.
constexpr std::array<FactorOption, 4> abilityOptions{{
    {"Elite fitness levels", 2},
    {"Good fitness level", 6},
    {"Moderate fitness levels", 6},
    {"Low fitness levels", 8},
}};

constexpr std::array<FactorOption, 5> ageOptions{{
    {"Under 13", 8},
    {"13 to 17", 5},
    {"18 to 30", 2},
    {"30 to 40", 5},
    {"Over 40", 8},
}};

constexpr std::array<FactorOption, 5> drinksOptions{{
    {"<15", 2},
    {"15 to 25", 4},
    {"25 to 35", 6},
    {"35 to 45", 8},
    {">45", 10},
}};

constexpr std::array<FactorOption, 5> timeOptions{{
    {"Before 9 am", 2},
    {"9 am to 12 noon", 5},
    {"12 noon to 4 pm", 10},
    {"4 pm to sunset", 5},
    {"After dark", 2},
}};

constexpr std::array<FactorOption, 6> surfaceOptions{{
    {"Water", 1},
    {"Grass", 2},
    {"Boards", 4},
    {"Sand", 6},
    {"Synthetic surface", 6},
    {"Asphalt", 8},
}};

constexpr std::array<FactorOption, 3> venueOptions{{
    {"Indoor air conditioning", 1},
    {"Indoor no air conditioning", 4},
    {"Outdoors", 8},
}};

// "X" is the exclusion mark: these conditions are referred to the medical document, not scored.
constexpr std::array<FactorOption, 3> medicalOptions{{
    {"None", 0},
    {"High: Asthma, Diabetes, Pregnancy, *", Referral{}},
    {"Extreme: Flu,Diarrhea,Drugs,Alcohol, *", Referral{}},
}};

constexpr std::array<FactorOption, 4> otherOptions{{
    {"Shade available during breaks?", NoPoints{}},
    {"Water freely available at venue?", NoPoints{}},
    {"Sports trainer/first aid provider available?", NoPoints{}},
    {"Individual body fat of participants?", NoPoints{}},
}};

// What an organiser can still change on the day; the weather, the ground and the people are given.
constexpr bool onTheDay = true, given = false;
constexpr Role plain = Role::Plain, scale = Role::TemperatureScale, timeOfDay = Role::TimeOfDay;
// Both scales answer the one temperature question.
constexpr std::string_view temperatureMissing = "Please add Temperature data.";

// clang-format off
constexpr std::array<RiskFactor, factorCount> catalogue{{
    // key               caption                                               scored options                  check: place, missing-answer message               reset role       on the day
    {"WBGT",            "1. Wet Bulb Globe Temperature",                       true,  wbgtOptions,            {1, temperatureMissing},                                   2,  scale,     given},
    {"Dry_Bulb",        "Ordinary Air Temperature*",                           true,  dryBulbOptions,         {1, temperatureMissing},                                   1,  scale,     given},
    {"Duration",        "2. Overall length of event (min)",                    true,  durationOptions,        {2, "Please add Overall Length of Event data."},           3,  plain,     onTheDay},
    {"Intensity",       "3. Individual intensity during the event",            true,  intensityOptions,       {3, "Please add Individual Intensity data."},              4,  plain,     onTheDay},
    {"Acclimatization", "4. Acclimatization of participants",                  true,  acclimatizationOptions, {4, "Please add Acclimatization data."},                   5,  plain,     given},
    {"Ability",         "5. Athletic ability of individuals",                  true,  abilityOptions,         {5, "Please add Ability of Individuals data."},            6,  plain,     given},
    {"Age",             "6. Age of Participants",                              true,  ageOptions,             {6, "Please add Age data."},                               7,  plain,     given},
    {"Drinks",          "7. Time Between Drinks (min)",                        true,  drinksOptions,          {7, "Please add Time Between Drinks data."},               8,  plain,     onTheDay},
    {"Time",            "8. Time of event (DST)",                              true,  timeOptions,            {8, "Please add Time of the Event data."},                 9,  timeOfDay, onTheDay},
    {"Surface",         "9. Surface type",                                     true,  surfaceOptions,         {9, "Please add Surface data."},                           10, plain,     given},
    {"Venue",           "10. Venue",                                           true,  venueOptions,           {10, "Please add Venue data."},                            11, plain,     onTheDay},
    {"Medical",         "11. Athletes' Other Risky Medical Conditions*",       true,  medicalOptions,         {11, "Please add Medical Conditions data."},               12, plain,     given},
    {"Other",           "12. Other factors: Consider, but no points added.",   false, otherOptions,           {},                                                        13, plain,     given},
}};
// clang-format on

// The table's orders hold together: every scored factor is checked, the checks run 1, 2, 3, ...
// with one message per check, and Reset's places are 1 to factorCount, each once.
constexpr bool ordersHold() {
    int checks = 0;
    for (const RiskFactor &factor : catalogue)
        checks = std::max(checks, factor.check.place);
    for (int place = 1; place <= checks; ++place) {
        const auto first =
            std::ranges::find(catalogue, place, [](const RiskFactor &f) { return f.check.place; });
        if (first == catalogue.end())
            return false;
        for (const RiskFactor &factor : catalogue)
            if (factor.check.place == place && factor.check.message != first->check.message)
                return false;
    }
    for (std::size_t place = 1; place <= catalogue.size(); ++place)
        if (std::ranges::count(catalogue, int(place), &RiskFactor::resetPlace) != 1)
            return false;
    return std::ranges::all_of(catalogue,
                               [](const RiskFactor &f) { return f.scored == (f.check.place > 0); });
}
static_assert(ordersHold());

// The caption's own number, the digits before its leading ". "; nothing for an unnumbered caption.
std::string_view ownNumber(std::string_view caption) {
    const std::string_view number = caption.substr(0, caption.find(". "));
    const bool digits = std::ranges::all_of(number, [](unsigned char c) { return std::isdigit(c) != 0; });
    return digits ? number : std::string_view();
}

} // namespace

std::span<const RiskFactor> factors() {
    return catalogue;
}

const RiskFactor *findFactor(std::string_view key) {
    const auto found = std::ranges::find(catalogue, key, &RiskFactor::key);
    return found == catalogue.end() ? nullptr : &*found;
}

std::size_t indexOf(const RiskFactor &factor) {
    return static_cast<std::size_t>(&factor - catalogue.data());
}

bool refers(const RiskFactor &factor) {
    return std::ranges::any_of(factor.options, [](const FactorOption &option) {
        return std::holds_alternative<Referral>(option.points);
    });
}

std::string pointsText(const FactorOption &option) {
    if (const int *points = std::get_if<int>(&option.points))
        return std::to_string(*points);
    return std::holds_alternative<Referral>(option.points) ? std::string(referralMark) : "";
}

std::optional<std::string> pointsFor(const RiskFactor &factor, std::string_view optionText) {
    if (!factor.scored)
        return std::nullopt;
    const auto found = std::ranges::find(factor.options, optionText, &FactorOption::text);
    if (found == factor.options.end())
        return std::nullopt;
    return pointsText(*found);
}

std::string_view factorName(const RiskFactor &factor) {
    std::string_view name = factor.caption;
    if (const std::string_view number = ownNumber(name); !number.empty())
        name.remove_prefix(number.size() + 2);
    if (name.ends_with('*'))
        name.remove_suffix(1);
    return name;
}

std::string_view factorNumber(const RiskFactor &factor) {
    for (std::size_t i = indexOf(factor) + 1; i-- > 0;) {
        if (const std::string_view number = ownNumber(catalogue[i].caption); !number.empty())
            return number;
    }
    return {};
}

} // namespace sweltra::risk
