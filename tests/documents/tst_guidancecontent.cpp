// What the shipped guidance documents must say, read through the program's own RTF reader.

#include "documents/documentstore.h"
#include "rtf/rtfreader.h"

#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextTable>

#include <memory>

using namespace sweltra;

namespace {

// The file beside the sources that the build copies next to the program.
QString sourceFile(std::string_view name) {
    QString bare = QString::fromUtf8(name.data(), qsizetype(name.size()));
    if (bare.startsWith(QLatin1Char('\\'))) {
        bare.remove(0, 1);
    }
    return QStringLiteral(SWELTRA_DOCUMENTS_DIR "/") + bare;
}

std::unique_ptr<QTextDocument> readDocument(std::string_view name) {
    auto doc = std::make_unique<QTextDocument>();
    QFile file(sourceFile(name));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("cannot open %s", qPrintable(file.fileName()));
        return nullptr;
    }
    const QByteArray bytes = file.readAll();
    const rtf::ReadResult result = rtf::readRtf(bytes, *doc);
    if (!result.ok()) {
        qWarning("%s: %s", qPrintable(file.fileName()), qPrintable(result.detail));
        return nullptr;
    }
    return doc;
}

// The text of the first `count` non-empty paragraphs: what a four-line box shows.
QString opening(const QTextDocument &doc, int count) {
    QStringList lines;
    for (QTextBlock block = doc.begin(); block.isValid() && lines.size() < count; block = block.next()) {
        const QString text = block.text().simplified();
        if (!text.isEmpty()) {
            lines << text;
        }
    }
    return lines.join(QLatin1Char(' '));
}

// Blanks and line breaks vary with the writer; words do not.
QString wholeText(const QTextDocument &doc) {
    return doc.toPlainText().simplified();
}

QByteArray bytesOf(std::string_view name) {
    return QByteArray(name.data(), qsizetype(name.size()));
}

void addRow(const char *row, std::string_view document, const QString &phrase) {
    QTest::newRow(row) << bytesOf(document) << phrase;
}

// Captions and the program's own texts must match exactly; ordinary words may start a sentence.
void addExactRow(const char *row, std::string_view document, const QString &phrase) {
    QTest::newRow(row) << bytesOf(document) << phrase << Qt::CaseSensitive;
}
void addWordRow(const char *row, std::string_view document, const QString &phrase) {
    QTest::newRow(row) << bytesOf(document) << phrase << Qt::CaseInsensitive;
}

// The document of the current data row, read; null (with a warning) when it cannot be.
std::unique_ptr<QTextDocument> fetchDocument() {
    QFETCH(QByteArray, document);
    return readDocument({document.constData(), size_t(document.size())});
}

void addDocumentAndPhraseColumns() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("phrase");
}

} // namespace

class TestGuidanceContent : public QObject {
    Q_OBJECT
private slots:
    void everyDocumentReads_data() {
        QTest::addColumn<QByteArray>("document");
        for (std::string_view name : documents::allDocuments) {
            QTest::newRow(name.data() + 1) << bytesOf(name);
        }
    }
    // Each file exists under its exact name, is RTF, and holds a real amount of text.
    void everyDocumentReads() {
        const auto doc = fetchDocument();
        QVERIFY(doc);
        QVERIFY2(wholeText(*doc).size() > 400, qPrintable(wholeText(*doc)));
    }

    void opensWith_data() {
        addDocumentAndPhraseColumns();
        // The calculator's box shows about four lines: band and key action come first.
        addRow("top band: range", documents::topBand, "Risk score 75 and above");
        addRow("top band: action", documents::topBand, "Postpone");
        addRow("66-74: range", documents::band66to74, "Risk score 66 to 74");
        addRow("66-74: action", documents::band66to74, "under 60 minutes");
        addRow("56-65: range", documents::band56to65, "Risk score 56 to 65");
        addRow("56-65: action", documents::band56to65, "extra care");
        addRow("55 and below: range", documents::band55andBelow, "Risk score 55 and below");
        addRow("55 and below: action", documents::band55andBelow, "Go ahead");
        addRow("medical: see a doctor", documents::medicalConditions, "doctor");
        addRow("medical: stay out", documents::medicalConditions, "do not take part");
        addRow("conditions: not medical advice", documents::conditionsOfUse, "not medical advice");
        addRow("starred items: title", documents::asterisk, "starred items");
    }
    void opensWith() {
        QFETCH(QString, phrase);
        const auto doc = fetchDocument();
        QVERIFY(doc);
        const QString start = opening(*doc, 2);
        QVERIFY2(start.contains(phrase, Qt::CaseInsensitive), qPrintable(start));
    }

    void holds_data() {
        addDocumentAndPhraseColumns();
        QTest::addColumn<Qt::CaseSensitivity>("sensitivity");

        const auto guide = documents::fullGuidelines;
        addExactRow("guidelines: band 55 and below", guide, "55 and below");
        addExactRow("guidelines: band 56 to 65", guide, "56 to 65");
        addExactRow("guidelines: band 66 to 74", guide, "66 to 74");
        addExactRow("guidelines: band 75 and above", guide, "75 and above");
        addExactRow("guidelines: range of totals", guide, "between 18 and 98");
        // The eleven scored factors, as the calculator's captions name them.
        addExactRow("guidelines: factor 1", guide, "Wet Bulb Globe Temperature");
        addExactRow("guidelines: factor 1, other scale", guide, "Ordinary Air Temperature*");
        addExactRow("guidelines: factor 2", guide, "Overall length of event (min)");
        addExactRow("guidelines: factor 3", guide, "Individual intensity during the event");
        addExactRow("guidelines: factor 4", guide, "Acclimatization of participants");
        addExactRow("guidelines: factor 5", guide, "Athletic ability of individuals");
        addExactRow("guidelines: factor 6", guide, "Age of Participants");
        addExactRow("guidelines: factor 7", guide, "Time Between Drinks (min)");
        addExactRow("guidelines: factor 8", guide, "Time of event (DST)");
        addExactRow("guidelines: factor 9", guide, "Surface type");
        addExactRow("guidelines: factor 10", guide, "Venue");
        addExactRow("guidelines: factor 11", guide, "Athletes' Other Risky Medical Conditions*");
        addExactRow("guidelines: current national policy", guide, "Extreme Heat Policy");
        addWordRow("guidelines: older method", guide, "older method");
        addExactRow("guidelines: Bureau of Meteorology", guide, "Bureau of Meteorology");
        addExactRow("guidelines: degree sign", guide, QStringLiteral("above 40\u00b0C"));
        addExactRow("guidelines: en dash", guide, QStringLiteral("200\u2013300 ml"));

        // The conditions behind the medical factor's two options.
        const auto medical = documents::medicalConditions;
        for (const char *condition :
             {"Asthma", "Diabetes", "Pregnancy", "Flu", "Diarrhea", "Diarrhoea", "Drugs", "Alcohol"}) {
            addWordRow(qPrintable(QStringLiteral("medical: ") + QLatin1String(condition)), medical,
                       QLatin1String(condition));
        }
        addExactRow("medical: emergency number", medical, "000");

        addExactRow("starred: air temperature", documents::asterisk, "Ordinary Air Temperature*");
        addExactRow("starred: medical factor", documents::asterisk,
                    "Athletes' Other Risky Medical Conditions*");
        addExactRow("starred: WBGT bands", documents::asterisk, QStringLiteral("under 23\u00b0C"));
        addExactRow("starred: air bands", documents::asterisk, QStringLiteral("33\u00b0C and above"));

        addExactRow("conditions: older approach", documents::conditionsOfUse, "Extreme Heat Policy");
        addExactRow("conditions: decline button", documents::conditionsOfUse,
                    "Decline Conditions of Use/Exit");

        for (std::string_view band :
             {documents::topBand, documents::band66to74, documents::band56to65, documents::band55andBelow}) {
            addWordRow(qPrintable(QStringLiteral("older method: ") + QLatin1String(band.data() + 1)), band,
                       "older method");
        }
    }
    // Phrases anywhere in the document.
    void holds() {
        QFETCH(QString, phrase);
        QFETCH(Qt::CaseSensitivity, sensitivity);
        const auto doc = fetchDocument();
        QVERIFY(doc);
        QVERIFY2(wholeText(*doc).contains(phrase, sensitivity), qPrintable(phrase));
    }

    // The full guidelines carry the bands as a table: a heading row and one row per band.
    void guidelinesTableOfBands() {
        const auto doc = readDocument(documents::fullGuidelines);
        QVERIFY(doc);
        QTextTable *bands = nullptr;
        for (QTextFrame *frame : doc->rootFrame()->childFrames()) {
            auto *table = qobject_cast<QTextTable *>(frame);
            if (table && table->rows() == 5) {
                bands = table;
            }
        }
        QVERIFY(bands);
        const QStringList expected = {"55 and below", "56 to 65", "66 to 74", "75 and above"};
        for (int row = 1; row < 5; ++row) {
            const QTextTableCell cell = bands->cellAt(row, 0);
            QTextCursor cursor = cell.firstCursorPosition();
            cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            QVERIFY2(cursor.selectedText().startsWith(expected.at(row - 1)),
                     qPrintable(cursor.selectedText()));
        }
    }

    void webLinks_data() {
        addDocumentAndPhraseColumns();
        addRow("guidelines: Bureau page", documents::fullGuidelines,
               "https://www.bom.gov.au/products/IDS65004.shtml");
        addRow("guidelines: SMA page", documents::fullGuidelines,
               "https://sma.org.au/resources-advice/policies-and-guidelines/hot-weather/");
        addRow("starred: Bureau page", documents::asterisk, "https://www.bom.gov.au/products/IDS65004.shtml");
    }
    // Links are live anchors, not just words.
    void webLinks() {
        QFETCH(QString, phrase);
        const auto doc = fetchDocument();
        QVERIFY(doc);
        QStringList hrefs;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QString href = it.fragment().charFormat().anchorHref();
                if (!href.isEmpty()) {
                    hrefs << href;
                }
            }
        }
        QVERIFY2(hrefs.contains(phrase), qPrintable(hrefs.join(QLatin1Char(' '))));
    }
};

QTEST_MAIN(TestGuidanceContent)
#include "tst_guidancecontent.moc"
