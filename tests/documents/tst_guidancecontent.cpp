// Each shipped guidance document exists under its exact name, reads through the program's own RTF
// reader and says a few key facts, taken from the guidance fact sheet rather than the documents.
// The totals and bands they state are checked against the catalogue by `scorebands --check`.
#include "documents/documentstore.h"
#include "rtf/rtfreader.h"

#include <QFile>
#include <QTest>
#include <QTextDocument>

#include <map>

using namespace sweltra;
using namespace sweltra::documents;

class TestGuidanceContent : public QObject {
    Q_OBJECT
private slots:
    void holdsItsKeyFacts_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("facts");
        const std::map<Document, QStringList> facts = {
            {Document::Band55andBelow, {"go ahead", "older method"}},
            {Document::Band56to65, {"extra care", "older method"}},
            {Document::Band66to74, {"under 60 minutes", "older method"}},
            {Document::TopBand, {"postpone", "older method"}},
            {Document::MedicalConditions, {"doctor", "asthma", "diabetes", "pregnancy", "000"}},
            {Document::Asterisk, {"Ordinary Air Temperature*", "under 23°C", "33°C and above"}},
            {Document::FullGuidelines, {"Extreme Heat Policy", "above 40°C", "200–300 ml"}},
            {Document::ConditionsOfUse,
             {"not medical advice", "Extreme Heat Policy", "Decline Conditions of Use/Exit"}},
        };
        for (const Document document : allDocuments) {
            const QString file = fileName(document);
            QTest::newRow(qPrintable(file))
                << file << (facts.count(document) ? facts.at(document) : QStringList());
        }
    }
    void holdsItsKeyFacts() {
        QFETCH(QString, file);
        QFETCH(QStringList, facts);
        QVERIFY2(!facts.isEmpty(), "no facts listed for this document");
        QFile source(QStringLiteral(SWELTRA_DOCUMENTS_DIR "/") + file);
        QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable(source.fileName()));
        QTextDocument document;
        const rtf::ReadResult result = rtf::readRtf(source.readAll(), document);
        QVERIFY2(result.ok(), qPrintable(result.detail));
        const QString text = document.toPlainText().simplified();
        QVERIFY2(text.size() > 400, qPrintable(text));
        for (const QString &fact : facts) {
            QVERIFY2(text.contains(fact, Qt::CaseInsensitive), qPrintable(fact));
        }
    }
};

QTEST_MAIN(TestGuidanceContent)
#include "tst_guidancecontent.moc"
