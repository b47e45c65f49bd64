#pragma once

#include "risk/catalogue.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sweltra::risk {

// The points texts as the boxes show them, one per factor of factors(): empty (not chosen), decimal
// digits, or "X". The factor without points has no box and its text stays empty.
struct RiskPoints {
    std::array<std::string, factorCount> texts;

    std::string &operator[](const RiskFactor &factor) { return texts[indexOf(factor)]; }
    const std::string &operator[](const RiskFactor &factor) const { return texts[indexOf(factor)]; }
};

// The four bands of the total, lowest first.
enum class Band { Lower, Moderate, High, Extreme };

// The whole-number totals of a band, as the guidelines name them: "55 and below" has no lowest,
// "75 and above" no highest.
struct BandRange {
    std::optional<int> lowest;
    std::optional<int> highest;
};

BandRange bandRange(Band band);
std::string_view bandName(Band band); // "lower", "moderate", "high", "extreme"

// The band of a total; nothing for totals of 0 or less (and NaN).
std::optional<Band> bandOf(double total);

struct RiskOutcome {
    enum class Kind { Incomplete, MedicalReferral, Scored };

    Kind kind = Kind::Incomplete;
    std::string_view message; // Incomplete: asks for the first missing factor
    double total = 0.0;       // Scored only
    std::optional<Band> band; // Scored, when the total has one
};

// The whole verdict: completeness in the catalogue's check order, then the medical referral, then total and
// band.
RiskOutcome calculateRisk(const RiskPoints &points);

// The lowest and highest totals a complete set of answers can reach; a referral reaches none.
struct TotalRange {
    int lowest;
    int highest;
};
TotalRange possibleTotals();

// A total as the program writes it: whole totals without a decimal point, at most 15 digits.
std::string totalText(double total);

// The decimal number at the start of a text: leading spaces and tabs skipped, an optional sign,
// digits with an optional decimal point; no exponent, so "1e5" reads 1. A text that does not begin
// with a number reads 0. Always finite: numbers beyond the double range read as the largest double.
double pointsValue(std::string_view text);

} // namespace sweltra::risk
