#pragma once

#include "risk/verdict.h"

#include <QString>

#include <optional>

namespace sweltra::platform {
class RichTextBox;
}

namespace sweltra::documents {

// The eight guidance documents.
enum class Document {
    TopBand, // 75 and above
    Band66to74,
    Band56to65,
    Band55andBelow,
    MedicalConditions,
    Asterisk,
    FullGuidelines,
    ConditionsOfUse,
};

inline constexpr Document allDocuments[] = {
    Document::TopBand,           Document::Band66to74, Document::Band56to65,     Document::Band55andBelow,
    Document::MedicalConditions, Document::Asterisk,   Document::FullGuidelines, Document::ConditionsOfUse,
};

// The document's file name in the program folder, kept exactly, blanks included ("Risk Score  75
// recommendation.rtf" has two).
QString fileName(Document document);

// The recommendation document of a band.
Document bandDocument(risk::Band band);

// The document a verdict shows: the band's recommendation for a total, the note on medical
// conditions for a referral; nothing for a total without band or a factor still to be answered.
std::optional<Document> documentFor(const risk::RiskOutcome &outcome);

// The document's file: the program folder joined to its file name with this platform's separator.
QString documentPath(Document document);

// Loads the document afresh from disk into the box, replacing what it showed. A document that
// is missing or unreadable shows a notice naming it and its folder instead.
void loadDocument(platform::RichTextBox &box, Document document);

} // namespace sweltra::documents
