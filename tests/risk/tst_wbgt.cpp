// The WBGT estimate from the weather: the formula worked out afresh, its entry found on both sides
// of every rounding edge that the catalogue's numbers make, and the inputs it refuses.
#include "risk/catalogue.h"
#include "risk/wbgt.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>

using namespace sweltra::risk;

class TestWbgt : public QObject {
    Q_OBJECT
private slots:
    void estimate_data() {
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("rh");
        for (const double t : {0.0, 12.5, 28.0, 32.0, 50.0})
            for (const double rh : {0.0, 20.0, 55.5, 90.0, 100.0})
                QTest::addRow("%g \u00B0C, %g%%", t, rh) << t << rh;
    }
    void estimate() {
        QFETCH(double, t);
        QFETCH(double, rh);
        const double e = rh / 100 * 6.105 * std::exp(17.27 * t / (237.7 + t));
        const double wbgt = std::get<WbgtEstimate>(estimateWbgt({t, rh})).wbgt;
        QVERIFY2(std::abs(wbgt - (0.567 * t + 0.393 * e + 3.94)) < 1e-9, qPrintable(QString::number(wbgt)));
    }
    // The degrees in the texts are the numbers beside them; between two entries the estimate is
    // rounded halves up: the largest temperature below the edge keeps the lower entry.
    void placedByRoundingHalvesUp() {
        const auto options = findFactor("WBGT")->options;
        static const QRegularExpression form("^(?:<(\\d+)\u00B0C|(\\d+) to (\\d+)|>= (\\d+)\u00B0C)$");
        for (const FactorOption &option : options) {
            const auto match =
                form.match(QString::fromUtf8(option.text.data(), qsizetype(option.text.size())));
            const auto number = [&](int group, int less = 0) {
                return match.hasCaptured(group) ? std::optional(match.captured(group).toInt() - less)
                                                : std::nullopt;
            };
            QVERIFY(match.hasMatch() && option.degrees);
            QCOMPARE(option.degrees->lowest, number(2) ? number(2) : number(4));
            QCOMPARE(option.degrees->highest, number(3) ? number(3) : number(1, 1));
        }
        for (std::size_t i = 0; i + 1 < options.size(); ++i) {
            const double edge = *options[i].degrees->highest + 0.5;
            QCOMPARE(*options[i + 1].degrees->lowest, edge + 0.5);
            double below = 0, above = 50;
            while (std::nextafter(below, above) < above) {
                const double middle = below + (above - below) / 2;
                (estimatedWbgt({middle, 50}) < edge ? below : above) = middle;
            }
            QCOMPARE(std::get<WbgtEstimate>(estimateWbgt({below, 50})).option, i);
            QCOMPARE(std::get<WbgtEstimate>(estimateWbgt({above, 50})).option, i + 1);
        }
    }
    // Each input from its lowest to its highest value, neither past them nor anything but a number.
    void refusedOutsideItsRange() {
        using enum WeatherRefusal::Input;
        for (const auto &[input, lowest, highest] :
             {std::tuple{AirTemperature, 0.0, 50.0}, {Humidity, 0.0, 100.0}}) {
            const auto weather = [input](double value) {
                return estimateWbgt(input == AirTemperature ? Weather{value, 50} : Weather{20, value});
            };
            QVERIFY(std::holds_alternative<WbgtEstimate>(weather(lowest)));
            QVERIFY(std::holds_alternative<WbgtEstimate>(weather(highest)));
            for (const double value : {std::nextafter(lowest, -1.0), std::nextafter(highest, 1e3),
                                       std::nan(""), double(INFINITY), -double(INFINITY)}) {
                const auto outcome = weather(value);
                const auto *refusal = std::get_if<WeatherRefusal>(&outcome);
                QVERIFY2(refusal && refusal->input == input && refusal->reason.ends_with('.'),
                         qPrintable(QString::number(value)));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestWbgt)
#include "tst_wbgt.moc"
