#pragma once

#include "risk/verdict.h"

#include <QString>

#include <string_view>

namespace sweltra::platform {
class RichTextBox;
}

namespace sweltra::documents {

// The eight guidance documents, by the names the program knows them by; the verdict names five.
// Each name starts with a backslash, the separator of the system they were named on.
inline constexpr std::string_view topBand = risk::topBandDocument;
inline constexpr std::string_view band66to74 = risk::band66to74Document;
inline constexpr std::string_view band56to65 = risk::band56to65Document;
inline constexpr std::string_view band55andBelow = risk::band55andBelowDocument;
inline constexpr std::string_view medicalConditions = risk::medicalConditionsDocument;
inline constexpr std::string_view asterisk = "\\Asterisk.rtf";
inline constexpr std::string_view fullGuidelines =
    "\\Sports Medicine Australia - hot weather guidelines score4.rtf";
inline constexpr std::string_view conditionsOfUse = "\\VESK Disclaimer-Setup.rtf";

inline constexpr std::string_view allDocuments[] = {topBand,        band66to74,        band56to65,
                                                    band55andBelow, medicalConditions, asterisk,
                                                    fullGuidelines, conditionsOfUse};

// The file a document name stands for: the program folder joined to the bare file name with
// this platform's separator. The file name itself is kept exactly, blanks included.
QString documentPath(std::string_view name);

// Loads the document afresh from disk into the box, replacing what it showed. A document that
// is missing or unreadable shows a notice naming it and its folder instead.
void loadDocument(platform::RichTextBox &box, std::string_view name);

} // namespace sweltra::documents
