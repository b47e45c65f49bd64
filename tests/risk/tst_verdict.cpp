#include "risk/catalogue.h"
#include "risk/verdict.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <vector>

using namespace sweltra::risk;
using Kind = RiskOutcome::Kind;

Q_DECLARE_METATYPE(Kind)

namespace {

QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}
std::string_view view(const QByteArray &text) {
    return {text.constData(), std::size_t(text.size())};
}

// Box texts in check order: Dry_Bulb, WBGT, Duration, Intensity, Acclimatization, Ability, Age,
// Drinks, Time, Surface, Venue, Medical.
RiskPoints pointsFrom(const QByteArrayList &texts) {
    RiskPoints points;
    for (qsizetype i = 0; i < texts.size() && i < qsizetype(pointsBoxCount); ++i)
        points.texts[std::size_t(i)] = texts[i].toStdString();
    return points;
}

// Lowest and highest points of every scored factor, medical "None"; air temperature left empty.
const QByteArrayList lowest{"", "2", "2", "2", "2", "2", "2", "2", "2", "1", "1", "0"};
const QByteArrayList highest{"", "20", "8", "10", "8", "8", "8", "10", "10", "8", "8", "0"};

QByteArrayList with(QByteArrayList texts, PointsBox box, const QByteArray &text) {
    texts[qsizetype(box)] = text;
    return texts;
}

// The bands by whole-number ranges, apart from the verdict's strict comparisons: 0 is no band.
const std::string_view bandDocuments[] = {{},
                                          "\\Risk Score 55 and below recommendation.rtf",
                                          "\\Risk Score 56-65 recommendation.rtf",
                                          "\\Risk Score 66-74 recommendation.rtf",
                                          "\\Risk Score  75 recommendation.rtf"};

const QByteArray low = bytes(bandDocuments[1]);
const QByteArray moderate = bytes(bandDocuments[2]);
const QByteArray high = bytes(bandDocuments[3]);
const QByteArray top = bytes(bandDocuments[4]);
const QByteArray medical = "\\Medical Conditions.rtf";

PointsBox boxOf(std::string_view key) {
    std::size_t index = 0;
    while (index + 1 < pointsBoxCount && boxKey(static_cast<PointsBox>(index)) != key)
        ++index;
    return static_cast<PointsBox>(index);
}

QByteArray documentOf(const std::optional<std::string_view> &document) {
    return document ? bytes(*document) : QByteArray("<none>");
}

int bandOfWhole(int total) {
    return total >= 75 ? 4 : total >= 66 ? 3 : total >= 56 ? 2 : total >= 1 ? 1 : 0;
}

} // namespace

class TestVerdict : public QObject {
    Q_OBJECT

private slots:
    void completeness_data();
    void completeness();
    void medicalReferral_data();
    void medicalReferral();
    void totals_data();
    void totals();
    void recommendationForTotal_data();
    void recommendationForTotal();
    void pointsValue_data();
    void pointsValue();
    void timeOfEventIsWhole16Bit_data();
    void timeOfEventIsWhole16Bit();
    void everyCompleteChoice();
    void boxKeysAreFactorKeys();
};

void TestVerdict::completeness_data() {
    QTest::addColumn<QByteArrayList>("texts");
    QTest::addColumn<QByteArray>("message"); // empty: complete

    const QByteArrayList empty(12);
    QTest::newRow("all empty") << empty << QByteArray("Please add Temperature data.");
    QTest::newRow("all empty but medical X")
        << with(empty, PointsBox::Medical, "X") << QByteArray("Please add Temperature data.");
    QTest::newRow("both temperatures empty")
        << with(lowest, PointsBox::WBGT, "") << QByteArray("Please add Temperature data.");
    QTest::newRow("only WBGT") << lowest << QByteArray();
    QTest::newRow("only air temperature")
        << with(with(lowest, PointsBox::WBGT, ""), PointsBox::Dry_Bulb, "2") << QByteArray();
    QTest::newRow("both temperatures") << with(lowest, PointsBox::Dry_Bulb, "2") << QByteArray();

    // Each later factor missing alone, and with everything after it missing too.
    const struct {
        PointsBox box;
        const char *message;
    } later[] = {
        {PointsBox::Duration, "Please add Overall Length of Event data."},
        {PointsBox::Intensity, "Please add Individual Intensity data."},
        {PointsBox::Acclimatization, "Please add Acclimatization data."},
        {PointsBox::Ability, "Please add Ability of Individuals data."},
        {PointsBox::Age, "Please add Age data."},
        {PointsBox::Drinks, "Please add Time Between Drinks data."},
        {PointsBox::Time, "Please add Time of the Event data."},
        {PointsBox::Surface, "Please add Surface data."},
        {PointsBox::Venue, "Please add Venue data."},
        {PointsBox::Medical, "Please add Medical Conditions data."},
    };
    for (const auto &check : later) {
        const auto key = bytes(boxKey(check.box));
        QTest::addRow("%s missing", key.constData())
            << with(lowest, check.box, "") << QByteArray(check.message);
        QByteArrayList rest = lowest;
        for (qsizetype i = qsizetype(check.box); i < rest.size(); ++i)
            rest[i].clear();
        QTest::addRow("%s and later missing", key.constData()) << rest << QByteArray(check.message);
    }
    QTest::newRow("venue and medical missing")
        << with(with(lowest, PointsBox::Venue, ""), PointsBox::Medical, "")
        << QByteArray("Please add Venue data.");
    QTest::newRow("medical X, duration missing")
        << with(with(lowest, PointsBox::Duration, ""), PointsBox::Medical, "X")
        << QByteArray("Please add Overall Length of Event data.");
    QTest::newRow("a blank counts as filled") << with(lowest, PointsBox::Venue, " ") << QByteArray();
    QTest::newRow("a non-number counts as filled") << with(lowest, PointsBox::Age, "abc") << QByteArray();
}

void TestVerdict::completeness() {
    QFETCH(QByteArrayList, texts);
    QFETCH(QByteArray, message);
    const RiskOutcome outcome = calculateRisk(pointsFrom(texts));
    if (message.isEmpty()) {
        QVERIFY(outcome.kind != Kind::Incomplete);
        QVERIFY(outcome.message.empty());
    } else {
        QCOMPARE(outcome.kind, Kind::Incomplete);
        QCOMPARE(bytes(outcome.message), message);
        QVERIFY(!outcome.document);
    }
}

void TestVerdict::medicalReferral_data() {
    QTest::addColumn<QByteArrayList>("texts");
    QTest::addColumn<bool>("referred");
    QTest::addColumn<double>("total"); // when not referred
    QTest::newRow("X, lowest others") << with(lowest, PointsBox::Medical, "X") << true << 0.0;
    QTest::newRow("X, highest others") << with(highest, PointsBox::Medical, "X") << true << 0.0;
    QTest::newRow("X, others not numbers")
        << QByteArrayList{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "X"} << true << 0.0;
    QTest::newRow("X, huge others") << with(QByteArrayList(12, QByteArray(400, '9')), PointsBox::Medical, "X")
                                    << true << 0.0;
    QTest::newRow("lower-case x adds 0") << with(lowest, PointsBox::Medical, "x") << false << 18.0;
    QTest::newRow("X with trailing blank") << with(lowest, PointsBox::Medical, "X ") << false << 18.0;
    QTest::newRow("X with leading blank") << with(lowest, PointsBox::Medical, " X") << false << 18.0;
    QTest::newRow("XX") << with(lowest, PointsBox::Medical, "XX") << false << 18.0;
    QTest::newRow("X in the venue box") << with(lowest, PointsBox::Venue, "X") << false << 17.0;
}

// Only exactly "X" in the medical box refers; anything else is scored, and non-numbers add 0.
void TestVerdict::medicalReferral() {
    QFETCH(QByteArrayList, texts);
    QFETCH(bool, referred);
    QFETCH(double, total);
    const RiskOutcome outcome = calculateRisk(pointsFrom(texts));
    if (referred) {
        QCOMPARE(outcome.kind, Kind::MedicalReferral);
        QCOMPARE(documentOf(outcome.document), medical);
        QCOMPARE(bytes(medicalConditionsDocument), medical);
    } else {
        QCOMPARE(outcome.kind, Kind::Scored);
        QCOMPARE(outcome.total, total);
    }
}

void TestVerdict::totals_data() {
    QTest::addColumn<QByteArrayList>("texts");
    QTest::addColumn<double>("total");
    QTest::addColumn<QByteArray>("document");
    const double infinity = std::numeric_limits<double>::infinity();

    QTest::newRow("lowest choice: 18") << lowest << 18.0 << low;
    QTest::newRow("highest choice: 98") << highest << 98.0 << top;
    QTest::newRow("highest on air temperature: 98")
        << with(with(highest, PointsBox::WBGT, ""), PointsBox::Dry_Bulb, "20") << 98.0 << top;
    // Lowest is 18; raising the venue box by n gives 18 + n.
    const struct {
        const char *name;
        int total;
        const QByteArray &document;
    } edges[] = {{"55", 55, low},  {"56", 56, moderate}, {"65", 65, moderate},
                 {"66", 66, high}, {"74", 74, high},     {"75", 75, top}};
    for (const auto &edge : edges)
        QTest::addRow("total %s", edge.name)
            << with(lowest, PointsBox::Venue, QByteArray::number(1 + edge.total - 18)) << double(edge.total)
            << edge.document;
    QTest::newRow("total 0") << QByteArrayList{"", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}
                             << 0.0 << QByteArray("<none>");
    QTest::newRow("total negative") << QByteArrayList{"-5", "",  "0", "0", "0", "0",
                                                      "0",  "0", "0", "0", "0", "0"}
                                    << -5.0 << QByteArray("<none>");
    QTest::newRow("both temperatures add") << with(lowest, PointsBox::Dry_Bulb, "20") << 38.0 << low;
    QTest::newRow("fractions add unrounded outside time")
        << with(lowest, PointsBox::Venue, "1.5") << 18.5 << low;
    QTest::newRow("huge texts overflow to infinity")
        << QByteArrayList(11, QByteArray(400, '9')) + QByteArrayList{"0"} << infinity << top;
    QTest::newRow("huge texts of both signs stay finite") << QByteArrayList{QByteArray(400, '9'),
                                                                            "-" + QByteArray(400, '9'),
                                                                            "0",
                                                                            "0",
                                                                            "0",
                                                                            "0",
                                                                            "0",
                                                                            "0",
                                                                            "0",
                                                                            "0",
                                                                            "0",
                                                                            "0"}
                                                          << 0.0 << QByteArray("<none>");
}

void TestVerdict::totals() {
    QFETCH(QByteArrayList, texts);
    QFETCH(double, total);
    QFETCH(QByteArray, document);
    const RiskOutcome outcome = calculateRisk(pointsFrom(texts));
    QCOMPARE(outcome.kind, Kind::Scored);
    QVERIFY(!std::isnan(outcome.total));
    QCOMPARE(outcome.total, total);
    QCOMPARE(documentOf(outcome.document), document);
}

void TestVerdict::recommendationForTotal_data() {
    QTest::addColumn<double>("total");
    QTest::addColumn<QByteArray>("document");
    const double infinity = std::numeric_limits<double>::infinity();
    QTest::newRow("98") << 98.0 << top;
    QTest::newRow("75") << 75.0 << top;
    QTest::newRow("74.5") << 74.5 << top;
    QTest::newRow("74") << 74.0 << high;
    QTest::newRow("66") << 66.0 << high;
    QTest::newRow("65") << 65.0 << moderate;
    QTest::newRow("56") << 56.0 << moderate;
    QTest::newRow("55.5") << 55.5 << moderate;
    QTest::newRow("55") << 55.0 << low;
    QTest::newRow("18") << 18.0 << low;
    QTest::newRow("1") << 1.0 << low;
    QTest::newRow("smallest positive") << std::numeric_limits<double>::denorm_min() << low;
    QTest::newRow("0") << 0.0 << QByteArray("<none>");
    QTest::newRow("-0") << -0.0 << QByteArray("<none>");
    QTest::newRow("-1") << -1.0 << QByteArray("<none>");
    QTest::newRow("+infinity") << infinity << top;
    QTest::newRow("-infinity") << -infinity << QByteArray("<none>");
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << QByteArray("<none>");
}

void TestVerdict::recommendationForTotal() {
    QFETCH(double, total);
    QFETCH(QByteArray, document);
    QCOMPARE(documentOf(sweltra::risk::recommendationForTotal(total)), document);
}

void TestVerdict::pointsValue_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    const double largest = std::numeric_limits<double>::max();
    QTest::newRow("digits") << QByteArray("14") << 14.0;
    QTest::newRow("zero") << QByteArray("0") << 0.0;
    QTest::newRow("leading blank") << QByteArray(" 12") << 12.0;
    QTest::newRow("leading tab") << QByteArray("\t7") << 7.0;
    QTest::newRow("plus sign") << QByteArray("+3") << 3.0;
    QTest::newRow("minus sign") << QByteArray("-2") << -2.0;
    QTest::newRow("blanks before sign") << QByteArray("  -4") << -4.0;
    QTest::newRow("blank after sign") << QByteArray("- 4") << 0.0;
    QTest::newRow("decimal") << QByteArray("1.5") << 1.5;
    QTest::newRow("point first") << QByteArray(".5") << 0.5;
    QTest::newRow("signed point first") << QByteArray("-.25") << -0.25;
    QTest::newRow("point last") << QByteArray("5.") << 5.0;
    QTest::newRow("point alone") << QByteArray(".") << 0.0;
    QTest::newRow("sign alone") << QByteArray("-") << 0.0;
    QTest::newRow("two signs") << QByteArray("+-3") << 0.0;
    QTest::newRow("second point ends") << QByteArray("1.2.3") << 1.2;
    QTest::newRow("comma ends") << QByteArray("1,5") << 1.0;
    QTest::newRow("no exponent") << QByteArray("1e5") << 1.0;
    QTest::newRow("trailing letters") << QByteArray("12abc") << 12.0;
    QTest::newRow("trailing blank") << QByteArray("12 ") << 12.0;
    QTest::newRow("inner blank ends") << QByteArray("1 2") << 1.0;
    QTest::newRow("leading zeros") << QByteArray("007") << 7.0;
    QTest::newRow("exclusion mark") << QByteArray("X") << 0.0;
    QTest::newRow("lower-case x") << QByteArray("x") << 0.0;
    QTest::newRow("empty") << QByteArray() << 0.0;
    QTest::newRow("blanks only") << QByteArray(" \t ") << 0.0;
    QTest::newRow("newline is not a blank") << QByteArray("\n5") << 0.0;
    QTest::newRow("word infinity") << QByteArray("inf") << 0.0;
    QTest::newRow("word nan") << QByteArray("nan") << 0.0;
    QTest::newRow("hexadecimal") << QByteArray("0x10") << 0.0;
    QTest::newRow("non-ASCII digit") << QByteArray("\xD9\xA3") << 0.0; // ARABIC-INDIC DIGIT THREE
    QTest::newRow("NUL ends") << QByteArray("4\0"
                                            "5",
                                            3)
                              << 4.0;
    QTest::newRow("400 nines") << QByteArray(400, '9') << largest;
    QTest::newRow("minus 400 nines") << "-" + QByteArray(400, '9') << -largest;
    QTest::newRow("400 zeros then 1") << QByteArray(400, '0') + "1" << 1.0;
    QTest::newRow("1 then 400 zeros") << "1" + QByteArray(400, '0') << largest;
    QTest::newRow("tiny fraction") << "0." + QByteArray(400, '0') + "1" << 0.0;
    QTest::newRow("long fraction") << "2." + QByteArray(5000, '5') << 2.5555555555555554;
    QTest::newRow("20 digits") << QByteArray("12345678901234567890") << 12345678901234567890.0;
}

void TestVerdict::pointsValue() {
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    const double got = sweltra::risk::pointsValue(view(text));
    QVERIFY(std::isfinite(got));
    QCOMPARE(got, value);
}

void TestVerdict::timeOfEventIsWhole16Bit_data() {
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<double>("total");
    QTest::newRow("2.5 to even 2") << QByteArray("2.5") << 2.0;
    QTest::newRow("3.5 to even 4") << QByteArray("3.5") << 4.0;
    QTest::newRow("0.5 to even 0") << QByteArray("0.5") << 0.0;
    QTest::newRow("-2.5 to even -2") << QByteArray("-2.5") << -2.0;
    QTest::newRow("-3.5 to even -4") << QByteArray("-3.5") << -4.0;
    QTest::newRow("2.4999 down") << QByteArray("2.4999") << 2.0;
    QTest::newRow("2.5001 up") << QByteArray("2.5001") << 3.0;
    QTest::newRow("-2.5001 down") << QByteArray("-2.5001") << -3.0;
    QTest::newRow("largest 16-bit") << QByteArray("32767") << 32767.0;
    QTest::newRow("32767.4 down") << QByteArray("32767.4") << 32767.0;
    QTest::newRow("lowest 16-bit") << QByteArray("-32768") << -32768.0;
    QTest::newRow("-32768.5 to even") << QByteArray("-32768.5") << -32768.0;
    // Beyond 16 bits (never from the catalogue) the value saturates.
    QTest::newRow("32767.5 saturates") << QByteArray("32767.5") << 32767.0;
    QTest::newRow("32768 saturates") << QByteArray("32768") << 32767.0;
    QTest::newRow("-32769 saturates") << QByteArray("-32769") << -32768.0;
    QTest::newRow("-32768.6 saturates") << QByteArray("-32768.6") << -32768.0;
    QTest::newRow("400 nines saturate") << QByteArray(400, '9') << 32767.0;
    QTest::newRow("minus 400 nines saturate") << "-" + QByteArray(400, '9') << -32768.0;
}

// The time box alone carries points; every other box holds "0".
void TestVerdict::timeOfEventIsWhole16Bit() {
    QFETCH(QByteArray, time);
    QFETCH(double, total);
    const QByteArrayList zeros{"", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    const RiskOutcome outcome = calculateRisk(pointsFrom(with(zeros, PointsBox::Time, time)));
    QCOMPARE(outcome.kind, Kind::Scored);
    QCOMPARE(outcome.total, total);
}

// Every complete choice the catalogue allows (one temperature scale, medical "None").
void TestVerdict::everyCompleteChoice() {
    struct Choice {
        PointsBox box;
        std::string text;
        int points;
    };
    const auto choicesOf = [](const char *key) {
        std::vector<Choice> choices;
        for (const FactorOption &option : findFactor(key)->options)
            choices.push_back({boxOf(key), std::string(option.points), bytes(option.points).toInt()});
        return choices;
    };
    std::vector<std::vector<Choice>> dimensions;
    for (const char *key :
         {"Duration", "Intensity", "Acclimatization", "Ability", "Age", "Drinks", "Time", "Surface", "Venue"})
        dimensions.push_back(choicesOf(key));
    // Temperature is one dimension, a choice on either scale; it turns slowest, clearing both boxes.
    dimensions.push_back(choicesOf("WBGT"));
    for (const Choice &choice : choicesOf("Dry_Bulb"))
        dimensions.back().push_back(choice);

    RiskPoints points;
    points[PointsBox::Medical] = std::string(pointsFor(*findFactor("Medical"), "None").value_or("<none>"));
    std::vector<std::size_t> at(dimensions.size(), 0);
    std::vector<int> chosenPoints(dimensions.size(), 0);
    int expectedTotal = 0;
    // Only the boxes the odometer moves are rewritten; the sweep stays quick in a debug build.
    const auto choose = [&](std::size_t d) {
        const Choice &choice = dimensions[d][at[d]];
        if (d + 1 == dimensions.size()) {
            points[PointsBox::WBGT].clear();
            points[PointsBox::Dry_Bulb].clear();
        }
        points[choice.box] = choice.text;
        expectedTotal += choice.points - chosenPoints[d];
        chosenPoints[d] = choice.points;
    };
    for (std::size_t d = 0; d < dimensions.size(); ++d)
        choose(d);

    long long combinations = 0;
    long long failures = 0;
    QByteArray firstFailure;
    int lowestTotal = 1000;
    int highestTotal = -1000;
    long long perBand[std::size(bandDocuments)] = {};
    for (;;) {
        const RiskOutcome outcome = calculateRisk(points);
        const int band = bandOfWhole(expectedTotal);
        ++combinations;
        ++perBand[band];
        lowestTotal = std::min(lowestTotal, expectedTotal);
        highestTotal = std::max(highestTotal, expectedTotal);
        if (outcome.kind != Kind::Scored || outcome.total != expectedTotal ||
            outcome.document.value_or(std::string_view()) != bandDocuments[band]) {
            if (failures++ == 0) {
                for (const std::string &text : points.texts)
                    firstFailure += "[" + QByteArray::fromStdString(text) + "]";
                firstFailure +=
                    " gave " + QByteArray::number(outcome.total) + " " + documentOf(outcome.document);
            }
        }
        std::size_t d = 0;
        for (; d < dimensions.size() && ++at[d] == dimensions[d].size(); ++d) {
            at[d] = 0;
            choose(d);
        }
        if (d == dimensions.size())
            break;
        choose(d);
    }
    QVERIFY2(failures == 0, firstFailure.constData());
    QCOMPARE(combinations, 8LL * 4 * 5 * 3 * 4 * 5 * 5 * 5 * 6 * 3);
    QCOMPARE(lowestTotal, 18);
    QCOMPARE(highestTotal, 98);
    for (int band = 1; band < int(std::size(bandDocuments)); ++band)
        QVERIFY2(perBand[band] > 0, bandDocuments[band].data());
    qInfo("%lld complete choices checked", combinations);
}

void TestVerdict::boxKeysAreFactorKeys() {
    for (std::size_t i = 0; i < pointsBoxCount; ++i) {
        const RiskFactor *factor = findFactor(boxKey(static_cast<PointsBox>(i)));
        QVERIFY2(factor && factor->scored, qPrintable(QString::number(i)));
    }
}

QTEST_APPLESS_MAIN(TestVerdict)
#include "tst_verdict.moc"
