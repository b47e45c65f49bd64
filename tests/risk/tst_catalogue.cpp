// The catalogue against a table typed afresh from the guidelines, not copied from the sources.
#include "risk/catalogue.h"

#include <QTest>

#include <initializer_list>

using namespace sweltra::risk;

namespace {

struct Option {
    const char *text;
    const char *points; // nullptr: carries no points
};

struct Factor {
    const char *key;
    const char *caption;
    bool scored;
    std::initializer_list<Option> options;
};

// clang-format off
const Factor expected[] = {
    {"WBGT", "1. Wet Bulb Globe Temperature", true,
     {{"<23°C", "2"}, {"23 to 27", "10"}, {"28 to 29", "14"}, {">= 30°C", "20"}}},
    {"Dry_Bulb", "Ordinary Air Temperature*", true,
     {{"<24°C", "2"}, {"24 to 29", "10"}, {"30 to 32", "14"}, {">= 33°C", "20"}}},
    {"Duration", "2. Overall length of event (min)", true,
     {{"<30", "2"}, {"30 to 60", "4"}, {"60 to 120", "6"}, {">120", "8"}}},
    {"Intensity", "3. Individual intensity during the event", true,
     {{"Easy pace throughout", "2"}, {"Moderate pace, breaks in intensity", "4"},
      {"Moderate pace throughout", "6"}, {"Sustained effort with some breaks", "8"},
      {"Sustained effort throughout", "10"}}},
    {"Acclimatization", "4. Acclimatization of participants", true,
     {{"Used to hot weather conditions", "2"}, {"Used to warm weather conditions", "5"},
      {"Used to cool/cold conditions", "8"}}},
    {"Ability", "5. Athletic ability of individuals", true,
     {{"Elite fitness levels", "2"}, {"Good fitness level", "6"}, {"Moderate fitness levels", "6"},
      {"Low fitness levels", "8"}}},
    {"Age", "6. Age of Participants", true,
     {{"Under 13", "8"}, {"13 to 17", "5"}, {"18 to 30", "2"}, {"30 to 40", "5"}, {"Over 40", "8"}}},
    {"Drinks", "7. Time Between Drinks (min)", true,
     {{"<15", "2"}, {"15 to 25", "4"}, {"25 to 35", "6"}, {"35 to 45", "8"}, {">45", "10"}}},
    {"Time", "8. Time of event (DST)", true,
     {{"Before 9 am", "2"}, {"9 am to 12 noon", "5"}, {"12 noon to 4 pm", "10"}, {"4 pm to sunset", "5"},
      {"After dark", "2"}}},
    {"Surface", "9. Surface type", true,
     {{"Water", "1"}, {"Grass", "2"}, {"Boards", "4"}, {"Sand", "6"}, {"Synthetic surface", "6"},
      {"Asphalt", "8"}}},
    {"Venue", "10. Venue", true,
     {{"Indoor air conditioning", "1"}, {"Indoor no air conditioning", "4"}, {"Outdoors", "8"}}},
    {"Medical", "11. Athletes' Other Risky Medical Conditions*", true,
     {{"None", "0"}, {"High: Asthma, Diabetes, Pregnancy, *", "X"},
      {"Extreme: Flu,Diarrhea,Drugs,Alcohol, *", "X"}}},
    {"Other", "12. Other factors: Consider, but no points added.", false,
     {{"Shade available during breaks?", nullptr}, {"Water freely available at venue?", nullptr},
      {"Sports trainer/first aid provider available?", nullptr},
      {"Individual body fat of participants?", nullptr}}},
};
// clang-format on

QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}
std::string_view view(const QByteArray &text) {
    return {text.constData(), std::size_t(text.size())};
}

// The lookup's answer as one comparable value: "<none>" when it yields nothing.
QByteArray lookup(const QByteArray &key, const QByteArray &text) {
    const RiskFactor *factor = findFactor(view(key));
    if (!factor)
        return "<no factor>";
    const auto points = pointsFor(*factor, view(text));
    return points ? bytes(*points) : QByteArray("<none>");
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void shape_data();
    void shape();
    void everyOptionYieldsItsPoints_data();
    void everyOptionYieldsItsPoints();
    void nearMissesYieldNothing_data();
    void nearMissesYieldNothing();
    void findFactor_data();
    void findFactor();
    void degreeSignIsU00B0();
};

void TestCatalogue::shape_data() {
    QTest::addColumn<int>("index");
    QCOMPARE(factors().size(), std::size(expected));
    for (int i = 0; i < int(std::size(expected)); ++i)
        QTest::addRow("%d %s", i, expected[i].key) << i;
}

// Keys, captions, scored flags, option texts and points, all in display order.
void TestCatalogue::shape() {
    QFETCH(int, index);
    const Factor &want = expected[index];
    const RiskFactor &got = factors()[std::size_t(index)];
    QCOMPARE(bytes(got.key), QByteArray(want.key));
    QCOMPARE(bytes(got.caption), QByteArray(want.caption));
    QCOMPARE(got.scored, want.scored);
    QCOMPARE(got.options.size(), want.options.size());
    std::size_t i = 0;
    for (const Option &option : want.options) {
        QCOMPARE(bytes(got.options[i].text), QByteArray(option.text));
        QCOMPARE(bytes(got.options[i].points), QByteArray(option.points ? option.points : ""));
        ++i;
    }
}

void TestCatalogue::everyOptionYieldsItsPoints_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("points");
    for (const Factor &factor : expected) {
        for (const Option &option : factor.options)
            QTest::addRow("%s: %s", factor.key, option.text)
                << QByteArray(factor.key) << QByteArray(option.text)
                << QByteArray(option.points ? option.points : "<none>");
    }
}

void TestCatalogue::everyOptionYieldsItsPoints() {
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, points);
    QCOMPARE(lookup(key, text), points);
}

void TestCatalogue::nearMissesYieldNothing_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("text");

    // Every option with a blank before or after it, and in other letter case.
    for (const Factor &factor : expected) {
        for (const Option &option : factor.options) {
            const QByteArray text(option.text);
            QTest::addRow("%s: leading blank: %s", factor.key, option.text)
                << QByteArray(factor.key) << " " + text;
            QTest::addRow("%s: trailing blank: %s", factor.key, option.text)
                << QByteArray(factor.key) << text + " ";
            if (text.toLower() != text)
                QTest::addRow("%s: lower case: %s", factor.key, option.text)
                    << QByteArray(factor.key) << text.toLower();
            if (text.toUpper() != text)
                QTest::addRow("%s: upper case: %s", factor.key, option.text)
                    << QByteArray(factor.key) << text.toUpper();
        }
    }

    const auto row = [](const char *name, const char *key, const QByteArray &text) {
        QTest::newRow(name) << QByteArray(key) << text;
    };
    row("missing blank", "WBGT", ">=30°C");
    row("missing blank in words", "Age", "Over40");
    row("doubled blank", "Age", "Over  40");
    row("ring above U+02DA", "WBGT", ">= 30\u02DAC");
    row("masculine ordinal U+00BA", "WBGT", ">= 30\u00BAC");
    row("superscript zero U+2070", "Dry_Bulb", "<24\u2070C");
    row("letter o for degree", "Dry_Bulb", ">= 33oC");
    row("Latin-1 degree byte", "WBGT",
        "<23\xB0"
        "C");
    row("degree sign missing", "WBGT", "<23C");
    row("degree Celsius sign U+2103", "Dry_Bulb", "<24\u2103");
    row("blank before degree", "WBGT", "<23 °C");
    row("option of the other scale", "WBGT", "<24°C");
    row("option of another factor", "Duration", "Over 40");
    row("prefix of an option", "Surface", "Synthetic");
    row("extended option", "Surface", "Sandy");
    row("trailing NUL", "Venue", QByteArray("Outdoors\0", 9));
    row("tab for blank", "Time", "After\tdark");
    row("no-break blank", "Time", "After\u00A0dark");
    row("empty text", "Medical", "");
    row("points text instead of option", "Medical", "X");
    row("comma spacing", "Medical", "Extreme: Flu, Diarrhea, Drugs, Alcohol, *");
    row("empty text, other factors", "Other", "");
}

void TestCatalogue::nearMissesYieldNothing() {
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, text);
    QCOMPARE(lookup(key, text), QByteArray("<none>"));
}

void TestCatalogue::findFactor_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("index"); // -1: not found
    for (int i = 0; i < int(std::size(expected)); ++i)
        QTest::addRow("%s", expected[i].key) << QByteArray(expected[i].key) << i;
    QTest::newRow("lower case") << QByteArray("wbgt") << -1;
    QTest::newRow("control name") << QByteArray("cbo_Age") << -1;
    QTest::newRow("blank instead of underscore") << QByteArray("Dry Bulb") << -1;
    QTest::newRow("empty") << QByteArray() << -1;
    QTest::newRow("trailing blank") << QByteArray("Age ") << -1;
}

void TestCatalogue::findFactor() {
    QFETCH(QByteArray, key);
    QFETCH(int, index);
    const RiskFactor *factor = sweltra::risk::findFactor(view(key));
    QCOMPARE(factor, index < 0 ? nullptr : &factors()[std::size_t(index)]);
}

// Guards the sources' encoding: the catalogue must hold the two UTF-8 bytes of U+00B0.
void TestCatalogue::degreeSignIsU00B0() {
    const QByteArray degree("\xC2\xB0");
    int withDegree = 0;
    for (const RiskFactor &factor : factors()) {
        for (const FactorOption &option : factor.options)
            withDegree += bytes(option.text).contains(degree) ? 1 : 0;
    }
    QCOMPARE(withDegree, 4);
    QCOMPARE(lookup("WBGT", "<23\xC2\xB0"
                            "C"),
             QByteArray("2"));
    QCOMPARE(lookup("Dry_Bulb", ">= 33\xC2\xB0"
                                "C"),
             QByteArray("20"));
}

QTEST_APPLESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
