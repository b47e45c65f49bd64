#pragma once

#include "risk/verdict.h"

#include <QString>

#include <optional>
#include <string_view>

namespace sweltra::platform {
class RichTextBox;
}

namespace sweltra::documents {

// The eight guidance documents, by the names the program knows them by. Each name starts with a
// backslash, the separator of the system they were named on; the top band's has two blanks.
inline constexpr std::string_view topBand = "\\Risk Score  75 recommendation.rtf";
inline constexpr std::string_view band66to74 = "\\Risk Score 66-74 recommendation.rtf";
inline constexpr std::string_view band56to65 = "\\Risk Score 56-65 recommendation.rtf";
inline constexpr std::string_view band55andBelow = "\\Risk Score 55 and below recommendation.rtf";
inline constexpr std::string_view medicalConditions = "\\Medical Conditions.rtf";
inline constexpr std::string_view asterisk = "\\Asterisk.rtf";
inline constexpr std::string_view fullGuidelines =
    "\\Sports Medicine Australia - hot weather guidelines score4.rtf";
inline constexpr std::string_view conditionsOfUse = "\\VESK Disclaimer-Setup.rtf";

inline constexpr std::string_view allDocuments[] = {topBand,        band66to74,        band56to65,
                                                    band55andBelow, medicalConditions, asterisk,
                                                    fullGuidelines, conditionsOfUse};

// The recommendation document of a band.
std::string_view bandDocument(risk::Band band);

// The document a verdict shows: the band's recommendation for a total, the note on medical
// conditions for a referral; nothing for a total without band or a factor still to be answered.
std::optional<std::string_view> documentFor(const risk::RiskOutcome &outcome);

// The file a document name stands for: the program folder joined to the bare file name with
// this platform's separator. The file name itself is kept exactly, blanks included.
QString documentPath(std::string_view name);

// Loads the document afresh from disk into the box, replacing what it showed. A document that
// is missing or unreadable shows a notice naming it and its folder instead.
void loadDocument(platform::RichTextBox &box, std::string_view name);

} // namespace sweltra::documents
