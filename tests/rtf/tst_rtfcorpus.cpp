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

// The documents of corpus-exceptions.txt, built into the test, each with its reason.
QHash<QString, QString> exceptions() {
    QFile file(u":/corpus-exceptions.txt"_qs);
    QHash<QString, QString> reasons;
    QString reason;
    for (const QString &line :
         QString::fromUtf8(file.open(QIODevice::ReadOnly) ? file.readAll() : "").split(u'\n'))
        if (line.startsWith(u' '))
            reasons.insert(line.trimmed(), reason);
        else if (!line.startsWith(u'#'))
            reason = line;
    return reasons;
}

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

    void corpus_data() {
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

    void corpus() {
        QFETCH(QString, path);
        QFile file(path), reference(path.chopped(4) + u".lo.txt"_qs);
        if (!path.endsWith(u".rtf")) { // "data missing" lets CTest count the skip as one
            const QString missing =
                u"data missing: the shared RTF corpus, no RTF files in \"%1\""_qs.arg(path);
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
        static const QHash<QString, QString> listed = exceptions();
        QVERIFY2(!listed.isEmpty(), "corpus-exceptions.txt is not built into the test");
        if (const QString reason = listed.value(name); !reason.isEmpty()) {
            QVERIFY2(s < kMinimumSimilarity,
                     qPrintable(u"listed as an exception but similar enough (%1)"_qs.arg(s)));
            QSKIP(qPrintable(u"similarity %1: %2"_qs.arg(s, 0, 'f', 3).arg(reason)));
        }
        QVERIFY2(s >= kMinimumSimilarity, qPrintable(u"similarity %1"_qs.arg(s, 0, 'f', 3)));
    }
};

QTEST_MAIN(TestRtfCorpus)
#include "tst_rtfcorpus.moc"
