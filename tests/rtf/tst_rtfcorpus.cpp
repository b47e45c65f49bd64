// Every document of the shared RTF corpus loads, and its words follow LibreOffice's reading of it.
#include "externaldata.h"
#include "rtf/rtfreader.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

#include <algorithm>
#include <vector>

using namespace sweltra::rtf;

namespace {

constexpr double kMinimumSimilarity = 0.97;

struct Exception {
    const char *file;
    const char *reason;
};

// Documents whose words legitimately differ from LibreOffice's text export.
constexpr Exception kExceptions[] = {
    {"RtfPipe/RtfParserTest_fail_0.rtf",
     "leading junk: LibreOffice shows the source as plain text, we read the RTF"},
    {"RtfPipe/RtfParserTest_fail_5.rtf",
     "plain text, not RTF: we show no document, LibreOffice imports the text"},
    {"RtfPipe/RtfParserTest_fail_6.rtf",
     "plain text, not RTF: we show no document, LibreOffice imports the text"},
    {"pandoc/tables.rtf",
     "fragment without header: LibreOffice shows the source as plain text, we read the RTF"},
    {"libreoffice/rtfimport/fdo52052.rtf", "LibreOffice drops the text of absolutely positioned frames"},
    {"pandoc/rtf/table_nested_malformed_itap.rtf",
     "LibreOffice drops the whole malformed table; we keep its text"},
    {"pandoc/rtf/table_simple.rtf",
     "more cells than \\cellx: LibreOffice drops the extra cells, we keep them"},
    {"rtfparserkit/testJapaneseUtf8Encoding.rtf", "LibreOffice decodes the UTF-8 bytes as 1252 (mojibake)"},
    {"pandoc/rtf/unicode.rtf", "one-word file; LibreOffice drops a private-use bullet glued to the word"},
    {"tika/testRTFInvalidUnicode.rtf",
     "lone surrogates: we show U+FFFD, LibreOffice '?' glued to the next word"},
    {"rtfparserkit/test10001Encoding.rtf",
     "two-word file; LibreOffice adds a list bullet from the list table"},
    {"tika/testRTFTableCellSeparation2.rtf",
     "LibreOffice's text export glues the cells of a row into one word"},
    {"pandoc/rtf/list_multiparagraph.rtf",
     "the \\tab after \\u8226 is its fallback character and is skipped"},
    {"RtfPipe/phprtflite/lists.rtf",
     "no \\listtext: LibreOffice numbers from the list table, we show what was written"},
    {"pandoc/rtf/footnote.rtf",
     "footnotes: gathered at the end by us, left out of LibreOffice's text export"},
    {"RtfPipe/rtf2xml/noteref.rtf",
     "footnotes: gathered at the end by us, left out of LibreOffice's text export"},
    {"RtfPipe/phprtflite/footnotes.rtf",
     "footnotes: gathered at the end by us, left out of LibreOffice's text export"},
    {"tika/testRTFListMicrosoftWord.rtf",
     "LibreOffice writes its own bullets from the list table over \\listtext"},
    {"RtfPipe/ListGoogle.rtf", "LibreOffice writes its own bullets from the list table over \\listtext"},
    {"pandoc/rtf/list_legacy.rtf", "LibreOffice writes its own bullets from the list table over \\pntext"},
    {"pandoc/rtf/list_simple.rtf", "LibreOffice writes its own bullets from the list table over \\listtext"},
    {"pandoc/writer.rtf", "LibreOffice writes its own bullets from the list table over \\listtext"},
    {"tika/testRTFListLibreOffice.rtf",
     "LibreOffice writes its own bullets from the list table over \\listtext"},
    {"tika/testRTFJapanese.rtf", "LibreOffice writes its own bullets from the list table over \\listtext"},
    {"RtfPipe/rtf2xml/fields_simple_format_switch.rtf",
     "LibreOffice recomputes field results; we show those written"},
    {"RtfPipe/phprtflite/formfields.rtf", "form field default text: shown by us, left out by LibreOffice"},
    {"pandoc/rtf/formatting.rtf", "hidden text (\\v): not shown by us, exported by LibreOffice"},
    {"rtf.js/rtf-test-files/sample/source.rtf", "hidden text shown and footnote left out by LibreOffice"},
    {"pandoc/rtf/list_complex.rtf", "LibreOffice writes its own bullets from the list table over \\listtext"},
    {"tika/testRTFHyperlinkAndStyles.rtf",
     "LibreOffice turns a \\u8221 quote into U+FFFD; we show the quote"},
    {"striprtf/issue_63.rtf", "four-word file; LibreOffice leaves out a list number that the writer wrote"},
};

const char *exceptionFor(const QString &file) {
    for (const Exception &e : kExceptions) {
        if (file == QLatin1String(e.file))
            return e.reason;
    }
    return nullptr;
}

QStringList words(const QString &text) {
    static const QRegularExpression blank(QStringLiteral("\\s+"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    QString t = text;
    t.replace(QChar::ObjectReplacementCharacter, u' '); // pictures
    return t.split(blank, Qt::SkipEmptyParts);
}

// Similarity of two word sequences as 2*LCS/(|a|+|b|), 1 for two empty ones.
double similarity(const QStringList &a, const QStringList &b) {
    if (a.isEmpty() && b.isEmpty())
        return 1.0;
    // Words as numbers, then a linear-space LCS over the shorter sequence.
    QHash<QString, int> ids;
    auto encode = [&ids](const QStringList &list) {
        std::vector<int> v;
        v.reserve(static_cast<std::size_t>(list.size()));
        for (const QString &w : list) {
            auto it = ids.constFind(w);
            if (it == ids.constEnd())
                it = ids.insert(w, static_cast<int>(ids.size()));
            v.push_back(*it);
        }
        return v;
    };
    std::vector<int> x = encode(a), y = encode(b);
    if (x.size() < y.size())
        std::swap(x, y);
    std::vector<int> row(y.size() + 1, 0);
    for (int xi : x) {
        int diagonal = 0;
        for (std::size_t j = 1; j <= y.size(); ++j) {
            const int above = row[j];
            row[j] = xi == y[j - 1] ? diagonal + 1 : std::max(row[j], row[j - 1]);
            diagonal = above;
        }
    }
    return 2.0 * row[y.size()] / static_cast<double>(a.size() + b.size());
}

QString corpusDir() {
    const QString shared = qEnvironmentVariable("SWELTRA_SHARED_DIR");
    return shared.isEmpty() ? QString() : shared + QStringLiteral("/rtf-corpus");
}

} // namespace

class TestRtfCorpus : public QObject {
    Q_OBJECT

private slots:
    void similarityMeasure_data();
    void similarityMeasure();
    void corpus_data();
    void corpus();
};

void TestRtfCorpus::similarityMeasure_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<double>("expected");
    QTest::newRow("equal") << u"a b c"_qs << u"a  b\nc"_qs << 1.0;
    QTest::newRow("both empty") << QString() << QString() << 1.0;
    QTest::newRow("one empty") << u"a"_qs << QString() << 0.0;
    QTest::newRow("one word missing") << u"a b c d"_qs << u"a b d"_qs << 6.0 / 7.0;
    QTest::newRow("order matters") << u"a b"_qs << u"b a"_qs << 0.5;
}

void TestRtfCorpus::similarityMeasure() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(double, expected);
    QCOMPARE(similarity(words(a), words(b)), expected);
}

void TestRtfCorpus::corpus_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    const QString dir = corpusDir();
    QStringList files;
    QDirIterator it(dir, {QStringLiteral("*.rtf")}, QDir::Files, QDirIterator::Subdirectories);
    while (!dir.isEmpty() && it.hasNext())
        files << it.next();
    files.sort();
    if (files.isEmpty()) // one row to say so; no rows would pass
        QTest::newRow("corpus missing")
            << QString() << (dir.isEmpty() ? u"(SWELTRA_SHARED_DIR unset)"_qs : dir);
    for (const QString &f : files) {
        const QString name = f.mid(dir.size() + 1);
        QTest::newRow(qPrintable(name)) << f << name;
    }
}

void TestRtfCorpus::corpus() {
    QFETCH(QString, path);
    QFETCH(QString, name);
    if (path.isEmpty())
        SWELTRA_DATA_MISSING(QStringLiteral("the shared RTF corpus, no RTF files in \"%1\"").arg(name));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTextDocument doc;
    const ReadResult result = readRtf(file.readAll(), doc);
    QVERIFY(result.ok() || result.status == ReadStatus::NotRtf);
    QFile reference(path.chopped(4) + QStringLiteral(".lo.txt"));
    if (!reference.open(QIODevice::ReadOnly))
        return; // LibreOffice could not read it either; loading without a fault is all we ask
    const double s = similarity(words(doc.toPlainText()), words(QString::fromUtf8(reference.readAll())));
    if (const char *reason = exceptionFor(name)) {
        if (s < kMinimumSimilarity)
            QSKIP(
                qPrintable(QStringLiteral("similarity %1: %2").arg(s, 0, 'f', 3).arg(QLatin1String(reason))));
        QFAIL(qPrintable(QStringLiteral("listed as an exception but similar enough (%1)").arg(s)));
    }
    QVERIFY2(s >= kMinimumSimilarity, qPrintable(QStringLiteral("similarity %1").arg(s, 0, 'f', 3)));
}

QTEST_MAIN(TestRtfCorpus)
#include "tst_rtfcorpus.moc"
