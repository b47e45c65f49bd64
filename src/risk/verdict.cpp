#include "risk/verdict.h"

#include "risk/catalogue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace sweltra::risk {

namespace {

struct BandRow {
    std::string_view name;
    int above; // the strict lower edge: a total greater than this reaches the band
};

// Indexed by Band, lowest first.
constexpr std::array<BandRow, 4> bandRows{{{"lower", 0}, {"moderate", 55}, {"high", 65}, {"extreme", 74}}};

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The time-of-event value is added as a 16-bit whole number, rounded half to even. Values beyond
// 16 bits cannot come from the catalogue; they saturate instead of overflowing.
double asInt16(double value) {
    if (std::isnan(value))
        return 0.0;
    // std::round is exact and ignores the floating-point rounding mode; halves are then sent to even.
    double whole = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        whole = 2.0 * std::round(value / 2.0);
    constexpr double lowest = std::numeric_limits<std::int16_t>::lowest();
    constexpr double highest = std::numeric_limits<std::int16_t>::max();
    return whole < lowest ? lowest : whole > highest ? highest : whole;
}

} // namespace

double pointsValue(std::string_view text) {
    const char *at = text.data();
    const char *const end = at + text.size();
    while (at != end && (*at == ' ' || *at == '\t'))
        ++at;
    bool negative = false;
    if (at != end && (*at == '+' || *at == '-')) {
        negative = *at == '-';
        ++at;
    }
    const char *const start = at;
    // Whole numbers of up to 15 digits are exact in a double, so the usual points texts need no parser.
    double whole = 0.0;
    for (; at != end && isDigit(*at); ++at)
        whole = whole * 10.0 + (*at - '0');
    const bool point = at != end && *at == '.';
    if (!point && at - start <= 15)
        return negative ? -whole : whole;
    if (point) {
        for (++at; at != end && isDigit(*at); ++at) {
        }
    }
    if (at - start == 1) // the point alone
        return 0.0;

    // from_chars is locale-independent and correctly rounded; the scan above has fixed the extent.
    double value = 0.0;
    const auto [stop, error] = std::from_chars(start, at, value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range)
        value = whole >= 1.0 ? std::numeric_limits<double>::max() : 0.0;
    else if (error != std::errc{} || stop != at)
        return 0.0; // not reached: the scan accepts only what from_chars reads
    return negative ? -value : value;
}

std::optional<Band> bandOf(double total) {
    // Tested from the top, so each edge belongs to the band below it.
    for (std::size_t i = bandRows.size(); i-- > 0;) {
        if (total > bandRows[i].above)
            return static_cast<Band>(i);
    }
    return std::nullopt;
}

BandRange bandRange(Band band) {
    const auto i = static_cast<std::size_t>(band);
    BandRange range;
    if (i > 0)
        range.lowest = bandRows[i].above + 1;
    if (i + 1 < bandRows.size())
        range.highest = bandRows[i + 1].above;
    return range;
}

std::string_view bandName(Band band) {
    return bandRows[static_cast<std::size_t>(band)].name;
}

TotalRange possibleTotals() {
    // The two temperature scales answer one question: a set of answers uses one of them.
    TotalRange temperature{std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
    TotalRange rest{0, 0};
    for (const RiskFactor &factor : factors()) {
        if (!factor.scored)
            continue;
        TotalRange own{std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
        for (const FactorOption &option : factor.options) {
            if (const int *points = std::get_if<int>(&option.points)) {
                own = {std::min(own.lowest, *points), std::max(own.highest, *points)};
            }
        }
        if (factor.role == Role::TemperatureScale) {
            temperature = {std::min(temperature.lowest, own.lowest),
                           std::max(temperature.highest, own.highest)};
        } else {
            rest = {rest.lowest + own.lowest, rest.highest + own.highest};
        }
    }
    return {temperature.lowest + rest.lowest, temperature.highest + rest.highest};
}

std::string totalText(double total) {
    std::array<char, 32> text{};
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), total, std::chars_format::general, 15);
    return std::string(text.data(), result.ptr);
}

RiskOutcome calculateRisk(const RiskPoints &points) {
    using Kind = RiskOutcome::Kind;
    for (int place = 1;; ++place) {
        const RiskFactor *checked = nullptr;
        bool answered = false;
        for (const RiskFactor &factor : factors()) {
            if (factor.check.place == place) {
                checked = &factor;
                answered = answered || !points[factor].empty();
            }
        }
        if (!checked)
            break;
        if (!answered)
            return {Kind::Incomplete, checked->check.message, 0.0, std::nullopt};
    }
    for (const RiskFactor &factor : factors()) {
        if (refers(factor) && points[factor] == referralMark)
            return {Kind::MedicalReferral, {}, 0.0, std::nullopt};
    }

    double total = 0.0;
    for (const RiskFactor &factor : factors()) {
        if (factor.scored) {
            const double value = pointsValue(points[factor]);
            total += factor.role == Role::TimeOfDay ? asInt16(value) : value;
        }
    }
    return {Kind::Scored, {}, total, bandOf(total)};
}

} // namespace sweltra::risk
