#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sweltra::risk {

// The points boxes in the order the verdict checks them (both temperature boxes form the first check).
enum class PointsBox : std::size_t {
    Dry_Bulb,
    WBGT,
    Duration,
    Intensity,
    Acclimatization,
    Ability,
    Age,
    Drinks,
    Time,
    Surface,
    Venue,
    Medical,
};
inline constexpr std::size_t pointsBoxCount = 12;

// The factor key of a box: its control is txt_<key>.
std::string_view boxKey(PointsBox box);

// The twelve points texts as the boxes show them: empty (not chosen), decimal digits, or "X".
struct RiskPoints {
    std::array<std::string, pointsBoxCount> texts;

    std::string &operator[](PointsBox box) { return texts[static_cast<std::size_t>(box)]; }
    const std::string &operator[](PointsBox box) const { return texts[static_cast<std::size_t>(box)]; }
};

// The documents the verdict names; the top band's name has two blanks.
inline constexpr std::string_view medicalConditionsDocument = "\\Medical Conditions.rtf";
inline constexpr std::string_view topBandDocument = "\\Risk Score  75 recommendation.rtf";
inline constexpr std::string_view band66to74Document = "\\Risk Score 66-74 recommendation.rtf";
inline constexpr std::string_view band56to65Document = "\\Risk Score 56-65 recommendation.rtf";
inline constexpr std::string_view band55andBelowDocument = "\\Risk Score 55 and below recommendation.rtf";

struct RiskOutcome {
    enum class Kind { Incomplete, MedicalReferral, Scored };

    Kind kind = Kind::Incomplete;
    std::string_view message;                 // Incomplete: asks for the first missing factor
    double total = 0.0;                       // Scored only
    std::optional<std::string_view> document; // MedicalReferral, and Scored when the total has a band
};

// The whole verdict: completeness in box order, then the medical referral, then total and band.
RiskOutcome calculateRisk(const RiskPoints &points);

// The recommendation document of a total's band; nothing for totals of 0 or less (and NaN).
std::optional<std::string_view> recommendationForTotal(double total);

// The decimal number at the start of a text: leading spaces and tabs skipped, an optional sign,
// digits with an optional decimal point; no exponent, so "1e5" reads 1. A text that does not begin
// with a number reads 0. Always finite: numbers beyond the double range read as the largest double.
double pointsValue(std::string_view text);

} // namespace sweltra::risk
