#include "documents/documentstore.h"

#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "platform/utf8.h"

#include <QDir>

namespace sweltra::documents {

std::string_view bandDocument(risk::Band band) {
    // In the order of the bands, lowest first.
    constexpr std::string_view recommendations[] = {band55andBelow, band56to65, band66to74, topBand};
    return recommendations[static_cast<std::size_t>(band)];
}

std::optional<std::string_view> documentFor(const risk::RiskOutcome &outcome) {
    using Kind = risk::RiskOutcome::Kind;
    if (outcome.kind == Kind::MedicalReferral) {
        return medicalConditions;
    }
    if (outcome.kind == Kind::Scored && outcome.band) {
        return bandDocument(*outcome.band);
    }
    return std::nullopt;
}

QString documentPath(std::string_view name) {
    QString file = platform::qs(name);
    if (file.startsWith(QLatin1Char('\\'))) {
        file.remove(0, 1);
    }
    QString folder = platform::programFolder();
    // A root folder already ends in its separator.
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QDir::separator())) {
        folder += QLatin1Char('/');
    }
    return QDir::toNativeSeparators(folder + file);
}

void loadDocument(platform::RichTextBox &box, std::string_view name) {
    box.LoadFile(documentPath(name));
}

} // namespace sweltra::documents
