#include "documents/documentstore.h"

#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "platform/utf8.h"

#include <QDir>

namespace sweltra::documents {

namespace {

// Each document's name as the program knows it, in the order of Document. Each starts with a
// backslash, the separator of the system the documents were named on.
constexpr std::string_view names[] = {
    "\\Risk Score  75 recommendation.rtf",
    "\\Risk Score 66-74 recommendation.rtf",
    "\\Risk Score 56-65 recommendation.rtf",
    "\\Risk Score 55 and below recommendation.rtf",
    "\\Medical Conditions.rtf",
    "\\Asterisk.rtf",
    "\\Sports Medicine Australia - hot weather guidelines score4.rtf",
    "\\VESK Disclaimer-Setup.rtf",
};
static_assert(std::size(names) == std::size(allDocuments));

} // namespace

QString fileName(Document document) {
    // The one place the leading separator goes: the folder is joined with this platform's own.
    return platform::qs(names[static_cast<std::size_t>(document)].substr(1));
}

Document bandDocument(risk::Band band) {
    // In the order of the bands, lowest first.
    constexpr Document recommendations[] = {Document::Band55andBelow, Document::Band56to65,
                                            Document::Band66to74, Document::TopBand};
    return recommendations[static_cast<std::size_t>(band)];
}

std::optional<Document> documentFor(const risk::RiskOutcome &outcome) {
    using Kind = risk::RiskOutcome::Kind;
    if (outcome.kind == Kind::MedicalReferral) {
        return Document::MedicalConditions;
    }
    if (outcome.kind == Kind::Scored && outcome.band) {
        return bandDocument(*outcome.band);
    }
    return std::nullopt;
}

QString documentPath(Document document) {
    QString folder = platform::programFolder();
    // A root folder already ends in its separator.
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QDir::separator())) {
        folder += QLatin1Char('/');
    }
    return QDir::toNativeSeparators(folder + fileName(document));
}

void loadDocument(platform::RichTextBox &box, Document document) {
    box.LoadFile(documentPath(document));
}

} // namespace sweltra::documents
