#include "risk/catalogue.h"
#include "risk/verdict.h"

#include <QTest>

#include <limits>

using namespace sweltra::risk;
using Kind = RiskOutcome::Kind;

namespace {

QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

QByteArray documentOf(const std::optional<std::string_view> &document) {
    return document ? bytes(*document) : QByteArray("<none>");
}

// Box texts in check order: Dry_Bulb, WBGT, Duration, Intensity, Acclimatization, Ability, Age,
// Drinks, Time, Surface, Venue, Medical.
RiskOutcome verdict(const QByteArrayList &texts) {
    RiskPoints points;
    for (std::size_t i = 0; i < pointsBoxCount; ++i)
        points.texts[i] = texts.value(qsizetype(i)).toStdString();
    return calculateRisk(points);
}

QByteArrayList with(QByteArrayList texts, PointsBox box, const QByteArray &text) {
    texts[qsizetype(box)] = text;
    return texts;
}

// Every factor at its lowest points, medical "None", on the WBGT scale.
const QByteArrayList lowest{"", "2", "2", "2", "2", "2", "2", "2", "2", "1", "1", "0"};

const QByteArray low = "\\Risk Score 55 and below recommendation.rtf";
const QByteArray moderate = "\\Risk Score 56-65 recommendation.rtf";
const QByteArray high = "\\Risk Score 66-74 recommendation.rtf";
const QByteArray top = "\\Risk Score  75 recommendation.rtf";

} // namespace

class TestVerdict : public QObject {
    Q_OBJECT

private slots:
    void completeness_data();
    void completeness();
    void outcome_data();
    void outcome();
    void bandEdgeAtZero();
    void pointsValue_data();
    void pointsValue();
    void boxKeysAreFactorKeys();
};

void TestVerdict::completeness_data() {
    QTest::addColumn<QByteArrayList>("texts");
    QTest::addColumn<QByteArray>("message"); // empty: complete

    QTest::newRow("all empty") << QByteArrayList(12) << QByteArray("Please add Temperature data.");
    QTest::newRow("WBGT alone is temperature") << lowest << QByteArray();
    QTest::newRow("air temperature alone is temperature")
        << with(with(lowest, PointsBox::WBGT, ""), PointsBox::Dry_Bulb, "2") << QByteArray();

    // Each later factor missing alone names it; so does it with all that follow missing too.
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
        const QByteArray key = bytes(boxKey(check.box));
        QTest::addRow("%s missing", key.constData())
            << with(lowest, check.box, "") << QByteArray(check.message);
        QTest::addRow("%s and later missing", key.constData())
            << lowest.mid(0, qsizetype(check.box)) << QByteArray(check.message);
    }
    QTest::newRow("medical X, duration missing")
        << with(with(lowest, PointsBox::Duration, ""), PointsBox::Medical, "X")
        << QByteArray("Please add Overall Length of Event data.");
}

void TestVerdict::completeness() {
    QFETCH(QByteArrayList, texts);
    QFETCH(QByteArray, message);
    const RiskOutcome outcome = verdict(texts);
    QCOMPARE(outcome.kind == Kind::Incomplete, !message.isEmpty());
    QCOMPARE(bytes(outcome.message), message);
    if (!message.isEmpty())
        QVERIFY(!outcome.document);
}

// Complete choices the lists allow, summed by hand: the extremes, both sides of each band edge,
// and the referral, which only exactly "X" in the medical box makes.
void TestVerdict::outcome_data() {
    QTest::addColumn<QByteArrayList>("texts");
    QTest::addColumn<double>("total");
    QTest::addColumn<QByteArray>("document");
    const QByteArrayList highest{"", "20", "8", "10", "8", "8", "8", "10", "10", "8", "8", "0"};
    const QByteArray referral = "\\Medical Conditions.rtf";
    // clang-format off
    QTest::newRow("lowest: 18") << lowest << 18.0 << low;
    QTest::newRow("highest: 98") << highest << 98.0 << top;
    QTest::newRow("highest on air temperature: 98")
        << with(with(highest, PointsBox::WBGT, ""), PointsBox::Dry_Bulb, "20") << 98.0 << top;
    QTest::newRow("55") << QByteArrayList{"", "14", "6", "6", "5", "6", "2", "6", "5", "1", "4", "0"} << 55.0 << low;
    QTest::newRow("56") << QByteArrayList{"14", "", "6", "6", "5", "6", "2", "6", "5", "2", "4", "0"} << 56.0 << moderate;
    QTest::newRow("65") << QByteArrayList{"", "14", "6", "6", "5", "6", "2", "6", "10", "2", "8", "0"} << 65.0 << moderate;
    QTest::newRow("66") << QByteArrayList{"", "14", "8", "6", "5", "6", "2", "6", "10", "1", "8", "0"} << 66.0 << high;
    QTest::newRow("74") << QByteArrayList{"", "14", "8", "10", "5", "6", "2", "10", "10", "1", "8", "0"} << 74.0 << high;
    QTest::newRow("75") << QByteArrayList{"", "14", "8", "10", "5", "6", "2", "10", "10", "2", "8", "0"} << 75.0 << top;
    // clang-format on
    QTest::newRow("X: referral, no total") << with(lowest, PointsBox::Medical, "X") << -1.0 << referral;
    QTest::newRow("lower-case x adds 0") << with(lowest, PointsBox::Medical, "x") << 18.0 << low;
    // The time of event is added as a whole number, a half going to the even neighbour.
    QTest::newRow("time 2.5 adds 2") << with(lowest, PointsBox::Time, "2.5") << 18.0 << low;
    QTest::newRow("time 3.5 adds 4") << with(lowest, PointsBox::Time, "3.5") << 20.0 << low;
}

void TestVerdict::outcome() {
    QFETCH(QByteArrayList, texts);
    QFETCH(double, total); // -1: referred, no total
    QFETCH(QByteArray, document);
    const RiskOutcome outcome = verdict(texts);
    QCOMPARE(outcome.kind, total < 0 ? Kind::MedicalReferral : Kind::Scored);
    QCOMPARE(outcome.total, total < 0 ? 0.0 : total);
    QCOMPARE(documentOf(outcome.document), document);
}

// No choice sums to 0 or less, but the band table ends there.
void TestVerdict::bandEdgeAtZero() {
    QCOMPARE(documentOf(recommendationForTotal(1.0)), low);
    QCOMPARE(documentOf(recommendationForTotal(0.0)), QByteArray("<none>"));
}

// One row for each rule of the conversion.
void TestVerdict::pointsValue_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("blanks and tabs skipped") << QByteArray(" \t7") << 7.0;
    QTest::newRow("sign") << QByteArray("-2") << -2.0;
    QTest::newRow("decimal point") << QByteArray("1.5") << 1.5;
    QTest::newRow("number at the start only") << QByteArray("12abc") << 12.0;
    QTest::newRow("beyond the double range") << QByteArray(400, '9') << std::numeric_limits<double>::max();
}

void TestVerdict::pointsValue() {
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    QCOMPARE(sweltra::risk::pointsValue({text.constData(), std::size_t(text.size())}), value);
}

void TestVerdict::boxKeysAreFactorKeys() {
    for (std::size_t i = 0; i < pointsBoxCount; ++i) {
        const RiskFactor *factor = findFactor(boxKey(static_cast<PointsBox>(i)));
        QVERIFY2(factor && factor->scored, qPrintable(QString::number(i)));
    }
}

QTEST_APPLESS_MAIN(TestVerdict)
#include "tst_verdict.moc"
