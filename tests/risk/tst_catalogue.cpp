// The catalogue against catalogue.txt, a table typed afresh from the guidelines, not copied from the
// sources: the one place a slip in an option's text or points shows.
#include "risk/catalogue.h"

#include <QFile>
#include <QTest>

using namespace sweltra::risk;

namespace {

QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    // The guidelines' table, a factor a row: its line and its entries' lines, fields split at "|".
    void factor_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArrayList>("factor");
        QTest::addColumn<QList<QByteArrayList>>("options");
        QFile file(":/catalogue.txt");
        QVERIFY2(file.open(QIODevice::ReadOnly), "catalogue.txt is not built into the test");
        QList<std::pair<QByteArrayList, QList<QByteArrayList>>> table; // a factor and its entries
        for (const QByteArray &line : file.readAll().split('\n')) {
            QByteArrayList fields;
            for (const QByteArray &field : line.split('|'))
                fields << field.trimmed();
            if (line.startsWith(' '))
                table.last().second << fields;
            else if (!line.isEmpty() && !line.startsWith('#'))
                table.append({fields, {}});
        }
        QCOMPARE(qsizetype(factors().size()), table.size());
        for (int index = 0; index < table.size(); ++index)
            QTest::newRow(table[index].first[0].constData())
                << index << table[index].first << table[index].second;
    }

    // Key, caption, check and options in display order; each option's text yields its points.
    void factor() {
        QFETCH(int, index);
        QFETCH(QByteArrayList, factor);
        QFETCH(QList<QByteArrayList>, options);
        QCOMPARE(factor.size(), 5);
        const RiskFactor &got = factors()[std::size_t(index)];
        QCOMPARE(findFactor(factor[0].toStdString()), &got);
        QCOMPARE(bytes(got.caption), factor[1]);
        QCOMPARE(got.scored ? "scored" : "unscored", factor[2]);
        QCOMPARE(QPair(QByteArray::number(got.check.place), bytes(got.check.message)),
                 QPair(factor[3], factor[4]));
        QCOMPARE(qsizetype(got.options.size()), options.size());
        for (std::size_t i = 0; i < got.options.size(); ++i) {
            const QByteArray points = options[qsizetype(i)][1] == "none" ? "" : options[qsizetype(i)][1];
            QCOMPARE(bytes(got.options[i].text), options[qsizetype(i)][0]);
            QCOMPARE(bytes(pointsText(got.options[i])), points);
            const std::optional<std::string> found = pointsFor(got, got.options[i].text);
            QCOMPARE(found ? bytes(*found) : QByteArray(), points);
        }
    }

    // How the window and the record name a factor: the number of its question, and the caption without
    // that number and the asterisk; the alternative temperature scale answers question 1.
    void naming() {
        for (const auto &[key, named] : {std::pair{"Medical", "11. Athletes' Other Risky Medical Conditions"},
                                         std::pair{"Dry_Bulb", "1. Ordinary Air Temperature"}}) {
            const RiskFactor &factor = *findFactor(key);
            QCOMPARE(bytes(factorNumber(factor)) + ". " + bytes(factorName(factor)), QByteArray(named));
        }
    }
};

QTEST_APPLESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
