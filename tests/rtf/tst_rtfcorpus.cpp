// Every document of the shared RTF corpus loads, and its words follow LibreOffice's reading of it.
#include "rtf/rtfreader.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

#include <vector>

using namespace sweltra::rtf;

namespace {

constexpr double kMinimumSimilarity = 0.97;

// Documents whose words legitimately differ from LibreOffice's text export, by reason.
constexpr std::pair<const char *, const char *> kExceptions[] = {
    {"not RTF or leading junk: LibreOffice shows the source as plain text, we read the RTF or nothing",
     "RtfPipe/RtfParserTest_fail_0.rtf RtfPipe/RtfParserTest_fail_5.rtf RtfPipe/RtfParserTest_fail_6.rtf "
     "pandoc/tables.rtf"},
    {"lists: LibreOffice writes its own numbers from the list table, we show those written",
     "tika/testRTFListMicrosoftWord.rtf RtfPipe/ListGoogle.rtf pandoc/rtf/list_legacy.rtf "
     "pandoc/rtf/list_simple.rtf pandoc/writer.rtf tika/testRTFListLibreOffice.rtf tika/testRTFJapanese.rtf "
     "pandoc/rtf/list_complex.rtf RtfPipe/phprtflite/lists.rtf rtfparserkit/test10001Encoding.rtf "
     "striprtf/issue_63.rtf"},
    {"footnotes, hidden text, frames, form fields, field results: LibreOffice's text export differs",
     "pandoc/rtf/footnote.rtf RtfPipe/rtf2xml/noteref.rtf RtfPipe/phprtflite/footnotes.rtf "
     "pandoc/rtf/formatting.rtf rtf.js/rtf-test-files/sample/source.rtf libreoffice/rtfimport/fdo52052.rtf "
     "RtfPipe/phprtflite/formfields.rtf RtfPipe/rtf2xml/fields_simple_format_switch.rtf"},
    {"tables: LibreOffice drops malformed tables and cells beyond \\cellx, or glues a row's cells together",
     "pandoc/rtf/table_nested_malformed_itap.rtf pandoc/rtf/table_simple.rtf "
     "tika/testRTFTableCellSeparation2.rtf"},
    {"characters: LibreOffice reads UTF-8 bytes as 1252, drops private-use bullets, shows '?' or U+FFFD "
     "where we show the character, keeps a \\u fallback",
     "rtfparserkit/testJapaneseUtf8Encoding.rtf pandoc/rtf/unicode.rtf tika/testRTFInvalidUnicode.rtf "
     "tika/testRTFHyperlinkAndStyles.rtf pandoc/rtf/list_multiparagraph.rtf"},
};

// The words of a text as numbers, the same word the same number across calls sharing `ids`.
std::vector<int> words(const QString &text, QHash<QString, int> &ids) {
    static const QRegularExpression blank(u"[\\s\uFFFC]+"_qs, QRegularExpression::UseUnicodePropertiesOption);
    std::vector<int> result;
    for (const QString &w : text.split(blank, Qt::SkipEmptyParts))
        result.push_back(*ids.insert(w, ids.value(w, static_cast<int>(ids.size()))));
    return result;
}

// Similarity of two word sequences as 2*LCS/(|a|+|b|), 1 for two empty ones; the LCS in linear space.
double similarity(std::vector<int> x, std::vector<int> y) {
    const double total = static_cast<double>(x.size() + y.size());
    if (x.size() < y.size())
        std::swap(x, y);
    std::vector<int> row(y.size() + 1, 0);
    for (int xi : x) {
        int diagonal = 0;
        for (std::size_t j = 1; j <= y.size(); ++j)
            row[j] = std::max({row[j - 1], std::exchange(diagonal, row[j]) + (xi == y[j - 1]), row[j]});
    }
    return total == 0 ? 1.0 : 2.0 * row[y.size()] / total;
}

} // namespace

class TestRtfCorpus : public QObject {
    Q_OBJECT

private slots:
    void corpus_data();
    void corpus();
};

void TestRtfCorpus::corpus_data() {
    QTest::addColumn<QString>("path");
    const QString shared = qEnvironmentVariable("SWELTRA_SHARED_DIR");
    const QString dir = shared.isEmpty() ? u"(SWELTRA_SHARED_DIR unset)"_qs : shared + u"/rtf-corpus"_qs;
    QStringList files;
    for (QDirIterator it(dir, {u"*.rtf"_qs}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << it.next();
    files.sort();
    if (files.isEmpty()) // one row to say so; no rows would pass
        QTest::newRow("corpus missing") << dir;
    for (const QString &f : std::as_const(files))
        QTest::newRow(qPrintable(f.mid(dir.size() + 1))) << f;
}

void TestRtfCorpus::corpus() {
    QFETCH(QString, path);
    QFile file(path), reference(path.chopped(4) + u".lo.txt"_qs);
    if (!path.endsWith(u".rtf")) { // "data missing" lets CTest count the skip as one
        const QString missing = u"data missing: the shared RTF corpus, no RTF files in \"%1\""_qs.arg(path);
        if (qEnvironmentVariable("SWELTRA_REQUIRE_CORPUS") == u"1")
            QFAIL(qPrintable(missing)); // CI: a test must not pass on nothing
        QSKIP(qPrintable(missing));
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTextDocument doc;
    const ReadResult result = readRtf(file.readAll(), doc);
    QVERIFY(result.ok() || result.status == ReadStatus::NotRtf);
    if (!reference.open(QIODevice::ReadOnly))
        return; // LibreOffice could not read it either; loading without a fault is all we ask
    QHash<QString, int> ids;
    const double s =
        similarity(words(doc.toPlainText(), ids), words(QString::fromUtf8(reference.readAll()), ids));
    const QString name = QString::fromUtf8(QTest::currentDataTag());
    for (const auto &[reason, files] : kExceptions) {
        if (!QString::fromLatin1(files).split(u' ').contains(name))
            continue;
        QVERIFY2(s < kMinimumSimilarity,
                 qPrintable(u"listed as an exception but similar enough (%1)"_qs.arg(s)));
        QSKIP(qPrintable(u"similarity %1: %2"_qs.arg(s, 0, 'f', 3).arg(QLatin1String(reason))));
    }
    QVERIFY2(s >= kMinimumSimilarity, qPrintable(u"similarity %1"_qs.arg(s, 0, 'f', 3)));
}

QTEST_MAIN(TestRtfCorpus)
#include "tst_rtfcorpus.moc"
