// scorebands: the score bands that the catalogue and the verdict give, and whether the guidance
// documents state them. The suite runs the check on the shipped documents, make-documents.sh on
// those it has just made.
//   scorebands                   the bands as LOW-HIGH,FILL,TEXT,NAME, lowest first, for make-band-bar.sh
//   scorebands --check FOLDER    names each scored document in FOLDER that states other ranges
#include "documents/documentstore.h"
#include "printing/recordcolours.h"
#include "risk/catalogue.h"
#include "risk/verdict.h"
#include "rtf/rtfreader.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

using namespace sweltra;

namespace {

struct Band {
    int from;
    int to;
    std::optional<documents::Document> document;
    std::optional<risk::Band> band;
};

// The totals a complete set of answers can reach, split into the verdict's bands, lowest first.
std::vector<Band> scoreBands() {
    const risk::TotalRange totals = risk::possibleTotals();
    std::vector<Band> bands;
    for (int total = totals.lowest; total <= totals.highest; ++total) {
        const std::optional<risk::Band> band = risk::bandOf(total);
        const auto document = band ? std::optional(documents::bandDocument(*band)) : std::nullopt;
        if (bands.empty() || bands.back().document != document)
            bands.push_back({total, total, document, band});
        bands.back().to = total;
    }
    return bands;
}

QString span(int from, int to) {
    return QStringLiteral("%1-%2").arg(from).arg(to);
}

// The ranges of totals a document states, sorted ("18 to 55", "between 18 and 98", and "55 and
// below" or "75 and above", whose open end is the lowest or highest total); then, after "|", the
// bands each of its pictures was drawn for, as make-band-bar.sh records them.
QString statedRanges(const QTextDocument &document, int lowest, int highest) {
    static const QRegularExpression range(
        QStringLiteral(R"(between (\d+) and (\d+)|(\d+) to (\d+)|(\d+) and (below|above))"));
    QStringList found;
    for (const QRegularExpressionMatch &m : range.globalMatch(document.toPlainText())) {
        const auto at = [&m](int group) { return m.captured(group).toInt(); };
        found << (m.hasCaptured(1)            ? span(at(1), at(2))
                  : m.hasCaptured(3)          ? span(at(3), at(4))
                  : m.captured(6) == u"below" ? span(lowest, at(5))
                                              : span(at(5), highest));
    }
    found.sort();
    found.removeDuplicates();
    QString stated = found.join(u' ');
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString name = it.fragment().charFormat().toImageFormat().name();
            if (!name.isEmpty()) {
                const QImage picture = document.resource(QTextDocument::ImageResource, name).value<QImage>();
                stated += QStringLiteral(" | ") + picture.text(QStringLiteral("Score bands"));
            }
        }
    }
    return stated;
}

// A band's document states its band; the full guidelines every band and the whole range, and its
// band picture the bands. None states another range of totals.
int check(const QString &folder) {
    const std::vector<Band> bands = scoreBands();
    const int lowest = bands.front().from, highest = bands.back().to;
    std::vector<std::pair<std::optional<documents::Document>, QString>> expected;
    QStringList all{span(lowest, highest)}, drawn;
    for (const Band &band : bands) {
        drawn << span(band.from, band.to);
        expected.emplace_back(band.document, drawn.last());
    }
    all << drawn;
    all.sort();
    expected.emplace_back(documents::Document::FullGuidelines,
                          all.join(u' ') + QStringLiteral(" | ") + drawn.join(u' '));

    int disagreeing = 0;
    for (const auto &[which, ranges] : expected) {
        QFile file(folder + u'/' + (which ? documents::fileName(*which) : QString()));
        QTextDocument document;
        const bool read = file.open(QIODevice::ReadOnly) && rtf::readRtf(file.readAll(), document).ok();
        const QString stated = read ? statedRanges(document, lowest, highest) : QStringLiteral("(not read)");
        if (stated != ranges) {
            std::printf("%s\n  states      %s\n  catalogue   %s\n", qPrintable(file.fileName()),
                        qPrintable(stated), qPrintable(ranges));
            ++disagreeing;
        }
    }
    std::printf("%zu of %zu scored documents state the catalogue's totals and bands\n",
                expected.size() - disagreeing, expected.size());
    return disagreeing == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    // Reading a document needs a GUI application for its fonts and pictures; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == u"--check")
        return check(args[1]);
    if (!args.isEmpty()) {
        std::fputs("usage: scorebands [--check FOLDER]\n", stderr);
        return 2;
    }
    // With each band its colours and name; a stretch of totals without a band has none to draw.
    QStringList bands;
    for (const Band &band : scoreBands()) {
        const auto colours =
            band.band ? printing::bandColours[std::size_t(*band.band)] : printing::BandColours{};
        bands << span(band.from, band.to) +
                     QStringLiteral(",#%1,#%2,")
                         .arg(colours.fill, 6, 16, QLatin1Char('0'))
                         .arg(colours.text, 6, 16, QLatin1Char('0')) +
                     (band.band ? QString::fromUtf8(risk::bandName(*band.band)) : QString());
    }
    std::printf("%s\n", qPrintable(bands.join(u' ')));
    return 0;
}
