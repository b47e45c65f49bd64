// The risk model's answers: the verdict of the boxes, the changes that would lower it, and the WBGT
// estimate from the weather (the formula worked out afresh, its entry on both sides of every rounding
// edge that the catalogue's numbers make, and the inputs it refuses).
#include "risk/lowering.h"
#include "risk/wbgt.h"
#include "support/picks.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>

using namespace sweltra::risk;
using Kind = RiskOutcome::Kind;

namespace {

QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

// The outcome as one comparable text: the message, "referral", or the total and its band.
QByteArray said(const RiskOutcome &outcome) {
    if (outcome.kind != Kind::Scored)
        return outcome.kind == Kind::Incomplete ? bytes(outcome.message) : "referral";
    return QByteArray::number(outcome.total) + ' ' + (outcome.band ? bytes(bandName(*outcome.band)) : "-");
}

QByteArrayList with(QByteArrayList texts, const char *key, const QByteArray &text) {
    texts[qsizetype(indexOf(*findFactor(key)))] = text;
    return texts;
}

// Box texts in the catalogue's order: WBGT, Dry_Bulb, Duration, Intensity, Acclimatization, Ability,
// Age, Drinks, Time, Surface, Venue, Medical, Other. Every factor at its lowest points, medical "None".
const QByteArrayList lowest{"2", "", "2", "2", "2", "2", "2", "2", "2", "1", "1", "0", ""};

RiskOutcome verdictWith(Assessment picks, const RiskFactor &factor, std::size_t option) {
    picks[factor] = option;
    return calculateRisk(pointsOf(picks));
}

// What the weather, the ground and the people bring: an organiser cannot change it on the day.
const QByteArrayList fixed{"WBGT", "Dry_Bulb", "Acclimatization", "Ability", "Age", "Surface", "Medical"};

} // namespace

class TestVerdict : public QObject {
    Q_OBJECT
private slots:

    // What the boxes' texts give: completeness in check order, then the referral, then total and band.
    void verdict_data() {
        QTest::addColumn<QByteArrayList>("texts");
        QTest::addColumn<QByteArray>("outcome");

        QTest::newRow("all empty") << QByteArrayList(13) << QByteArray("Please add Temperature data.");
        QTest::newRow("WBGT alone is temperature") << lowest << QByteArray("18 lower");
        QTest::newRow("air temperature alone is temperature")
            << with(with(lowest, "WBGT", ""), "Dry_Bulb", "2") << QByteArray("18 lower");

        // Each later check missing alone says its message; so does it with all that follow missing too.
        for (const RiskFactor &factor : factors()) {
            if (factor.check.place < 2)
                continue;
            QByteArrayList missing = lowest;
            for (const RiskFactor &other : factors())
                other.check.place >= factor.check.place ? void(missing[qsizetype(indexOf(other))] = "")
                                                        : void();
            const QByteArray message = bytes(factor.check.message);
            QTest::addRow("%s missing", factor.key.data()) << with(lowest, factor.key.data(), "") << message;
            QTest::addRow("%s and later missing", factor.key.data()) << missing << message;
        }
        QTest::newRow("medical X, duration missing")
            << with(with(lowest, "Duration", ""), "Medical", "X")
            << QByteArray("Please add Overall Length of Event data.");
        QTest::newRow("X: referral") << with(lowest, "Medical", "X") << QByteArray("referral");
    }

    void verdict() {
        QFETCH(QByteArrayList, texts);
        QFETCH(QByteArray, outcome);
        RiskPoints points;
        for (std::size_t i = 0; i < factorCount; ++i)
            points.texts[i] = texts.value(qsizetype(i)).toStdString();
        QCOMPARE(said(calculateRisk(points)), outcome);
    }

    // Each band's range as named holds the band at its ends and no more; no choice sums to 0 or less,
    // but the lowest band ends there.
    void bands() {
        for (const Band band : {Band::Lower, Band::Moderate, Band::High, Band::Extreme}) {
            const auto [lowest, highest] = bandRange(band);
            QVERIFY(bool(lowest) == (band != Band::Lower) && bool(highest) == (band != Band::Extreme));
            QVERIFY(bandOf(lowest.value_or(1)) == band && bandOf(lowest.value_or(1) - 1) != band);
            QVERIFY(!highest || (bandOf(*highest) == band && bandOf(*highest + 1) != band));
        }
    }

    // Real picks at the extremes and on both sides of each band edge, on both temperature scales: the
    // verdict, and the changes that would lower it, each judged by the verdict anew.
    void lowering_data() {
        QTest::addColumn<int>("sum");
        QTest::addColumn<QByteArray>("outcome");
        const char *bands[] = {"18 lower", "55 lower", "56 moderate", "65 moderate",
                               "66 high",  "74 high",  "75 extreme",  "98 extreme"};
        for (const char *outcome : bands)
            QTest::newRow(outcome) << atoi(outcome) << QByteArray(outcome);
    }

    void lowering() {
        QFETCH(int, sum);
        QFETCH(QByteArray, outcome);
        const std::optional<Assessment> picked =
            picks::forTotal(sum, *findFactor(sum % 2 ? "WBGT" : "Dry_Bulb"));
        QVERIFY(picked);
        const Assessment now = *picked;
        QCOMPARE(said(calculateRisk(pointsOf(now))), outcome);

        const std::optional<Lowering> lowering = whatWouldLower(now);
        QVERIFY(lowering && lowering->changes.empty() == (sum == 18));
        Assessment together = now;
        const Change *before = nullptr;
        for (const Change &change : lowering->changes) {
            const RiskFactor &factor = *change.factor;
            QVERIFY2(!fixed.contains(bytes(factor.key)), factor.key.data());
            QVERIFY(change.from == now[factor] && change.saved > 0 && change.total == sum - change.saved);
            // The option that saves most, the first of those in the list.
            for (std::size_t to = 0; to < factor.options.size(); ++to) {
                const RiskOutcome changed = verdictWith(now, factor, to);
                QVERIFY(to < change.to ? changed.total > change.total : changed.total >= change.total);
                QVERIFY(to != change.to || changed.band == change.band);
            }
            QVERIFY(!before || before->saved > change.saved ||
                    (before->saved == change.saved && indexOf(*before->factor) < indexOf(factor)));
            before = &change;
            together[factor] = change.to;
        }
        // A factor that can change and is not listed saves nothing, whatever is picked.
        for (const RiskFactor &factor : factors()) {
            if (!factor.scored || fixed.contains(bytes(factor.key)) || together[factor] != now[factor])
                continue;
            for (std::size_t to = 0; to < factor.options.size(); ++to)
                QVERIFY2(verdictWith(now, factor, to).total >= sum, factor.key.data());
        }
        const RiskOutcome all = calculateRisk(pointsOf(together));
        QVERIFY(lowering->total == all.total && all.band == lowering->band);
    }

    // The line as the record will print it: the highest pick's time of event.
    void changeLineReads() {
        const Assessment highest = picks::forTotal(98, *findFactor("WBGT")).value();
        const std::vector<Change> changes = whatWouldLower(highest).value().changes;
        const auto time = std::ranges::find(changes, findFactor("Time"), &Change::factor);
        QVERIFY(time != changes.end());
        QCOMPARE(
            QString::fromStdString(changeLine(*time)),
            "Time of event (DST): 12 noon to 4 pm \u2192 Before 9 am: 8 points fewer, total 90 (extreme)");
    }

    void formula() {
        for (const double t : {0.0, 12.5, 28.0, 32.0, 50.0})
            for (const double rh : {0.0, 20.0, 55.5, 90.0, 100.0}) {
                const double e = rh / 100 * 6.105 * std::exp(17.27 * t / (237.7 + t));
                const double wbgt = std::get<WbgtEstimate>(estimateWbgt({t, rh})).wbgt;
                QVERIFY2(std::abs(wbgt - (0.567 * t + 0.393 * e + 3.94)) < 1e-9,
                         qPrintable(QString::number(t)));
            }
    }
    // The degrees in the texts are the numbers beside them; between two entries the estimate is
    // rounded halves up: the largest temperature below the edge keeps the lower entry.
    void placedByRoundingHalvesUp() {
        const auto options = findFactor("WBGT")->options;
        for (std::size_t i = 0; i < options.size(); ++i) {
            const QString text = QString::fromUtf8(options[i].text.data(), qsizetype(options[i].text.size()));
            const QStringList n = text.split(QRegularExpression("\\D+"), Qt::SkipEmptyParts);
            QVERIFY(options[i].degrees && !n.isEmpty());
            QCOMPARE(options[i].degrees->lowest,
                     text.startsWith('<') ? std::nullopt : std::optional(n[0].toInt()));
            QCOMPARE(options[i].degrees->highest,
                     text.startsWith('>') ? std::nullopt
                                          : std::optional(n.last().toInt() - text.startsWith('<')));
            if (i == 0)
                continue;
            const double edge = *options[i].degrees->lowest - 0.5;
            QCOMPARE(*options[i - 1].degrees->highest, edge - 0.5);
            double below = 0, above = 50;
            while (std::nextafter(below, above) < above) {
                const double middle = below + (above - below) / 2;
                (estimatedWbgt({middle, 50}) < edge ? below : above) = middle;
            }
            QCOMPARE(std::get<WbgtEstimate>(estimateWbgt({below, 50})).option + 1, i);
            QCOMPARE(std::get<WbgtEstimate>(estimateWbgt({above, 50})).option, i);
        }
    }
    // Each input from its lowest to its highest value, neither past them nor anything but a number.
    void refusedOutsideItsRange() {
        using enum WeatherRefusal::Input;
        for (const auto &[input, highest] : {std::pair{AirTemperature, 50.0}, {Humidity, 100.0}})
            for (const double value :
                 {0.0, highest, -1e-4, highest + 1e-4, double(NAN), double(INFINITY), -double(INFINITY)}) {
                const auto outcome =
                    estimateWbgt(input == AirTemperature ? Weather{value, 50} : Weather{20, value});
                const auto *refusal = std::get_if<WeatherRefusal>(&outcome);
                QVERIFY(std::isfinite(value) && value >= 0 && value <= highest
                            ? !refusal
                            : refusal && refusal->input == input && refusal->reason.ends_with('.'));
            }
    }
};

QTEST_APPLESS_MAIN(TestVerdict)
#include "tst_verdict.moc"
