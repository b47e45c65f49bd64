// The WBGT estimate from the weather: the formula worked out afresh, its entry on both sides of every
// rounding edge that the catalogue's numbers make, and the inputs it refuses.
#include "risk/catalogue.h"
#include "risk/wbgt.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>

using namespace sweltra::risk;

class TestWbgt : public QObject {
    Q_OBJECT
private slots:
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

QTEST_APPLESS_MAIN(TestWbgt)
#include "tst_wbgt.moc"
