// The catalogue against a table typed afresh from the guidelines, not copied from the sources: the
// one place a slip in an option's text or points shows.
#include "risk/catalogue.h"

#include <QTest>

#include <initializer_list>

using namespace sweltra::risk;

namespace {

struct Option {
    const char *text;
    const char *points; // "": carries no points
};

struct Factor {
    const char *key;
    const char *caption;
    bool scored;
    int check; // its place in the verdict's check order, and the message when it is unanswered
    const char *missing;
    std::initializer_list<Option> options;
};

// The degree sign is written as U+00B0 escapes, so the bytes do not depend on how this file is saved.
// clang-format off
const Factor expected[] = {
    {"WBGT", "1. Wet Bulb Globe Temperature", true, 1, "Please add Temperature data.",
     {{"<23\u00B0C", "2"}, {"23 to 27", "10"}, {"28 to 29", "14"}, {">= 30\u00B0C", "20"}}},
    {"Dry_Bulb", "Ordinary Air Temperature*", true, 1, "Please add Temperature data.",
     {{"<24\u00B0C", "2"}, {"24 to 29", "10"}, {"30 to 32", "14"}, {">= 33\u00B0C", "20"}}},
    {"Duration", "2. Overall length of event (min)", true, 2, "Please add Overall Length of Event data.",
     {{"<30", "2"}, {"30 to 60", "4"}, {"60 to 120", "6"}, {">120", "8"}}},
    {"Intensity", "3. Individual intensity during the event", true, 3, "Please add Individual Intensity data.",
     {{"Easy pace throughout", "2"}, {"Moderate pace, breaks in intensity", "4"},
      {"Moderate pace throughout", "6"}, {"Sustained effort with some breaks", "8"},
      {"Sustained effort throughout", "10"}}},
    {"Acclimatization", "4. Acclimatization of participants", true, 4, "Please add Acclimatization data.",
     {{"Used to hot weather conditions", "2"}, {"Used to warm weather conditions", "5"},
      {"Used to cool/cold conditions", "8"}}},
    {"Ability", "5. Athletic ability of individuals", true, 5, "Please add Ability of Individuals data.",
     {{"Elite fitness levels", "2"}, {"Good fitness level", "6"}, {"Moderate fitness levels", "6"},
      {"Low fitness levels", "8"}}},
    {"Age", "6. Age of Participants", true, 6, "Please add Age data.",
     {{"Under 13", "8"}, {"13 to 17", "5"}, {"18 to 30", "2"}, {"30 to 40", "5"}, {"Over 40", "8"}}},
    {"Drinks", "7. Time Between Drinks (min)", true, 7, "Please add Time Between Drinks data.",
     {{"<15", "2"}, {"15 to 25", "4"}, {"25 to 35", "6"}, {"35 to 45", "8"}, {">45", "10"}}},
    {"Time", "8. Time of event (DST)", true, 8, "Please add Time of the Event data.",
     {{"Before 9 am", "2"}, {"9 am to 12 noon", "5"}, {"12 noon to 4 pm", "10"}, {"4 pm to sunset", "5"},
      {"After dark", "2"}}},
    {"Surface", "9. Surface type", true, 9, "Please add Surface data.",
     {{"Water", "1"}, {"Grass", "2"}, {"Boards", "4"}, {"Sand", "6"}, {"Synthetic surface", "6"},
      {"Asphalt", "8"}}},
    {"Venue", "10. Venue", true, 10, "Please add Venue data.",
     {{"Indoor air conditioning", "1"}, {"Indoor no air conditioning", "4"}, {"Outdoors", "8"}}},
    {"Medical", "11. Athletes' Other Risky Medical Conditions*", true, 11, "Please add Medical Conditions data.",
     {{"None", "0"}, {"High: Asthma, Diabetes, Pregnancy, *", "X"},
      {"Extreme: Flu,Diarrhea,Drugs,Alcohol, *", "X"}}},
    {"Other", "12. Other factors: Consider, but no points added.", false, 0, "",
     {{"Shade available during breaks?", ""}, {"Water freely available at venue?", ""},
      {"Sports trainer/first aid provider available?", ""}, {"Individual body fat of participants?", ""}}},
};
// clang-format on

QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void factor_data();
    void factor();
    void naming();
};

void TestCatalogue::factor_data() {
    QTest::addColumn<int>("index");
    QCOMPARE(factors().size(), std::size(expected));
    for (int i = 0; i < int(std::size(expected)); ++i)
        QTest::addRow("%s", expected[i].key) << i;
}

// Key, caption, check and options in display order; each option's text yields its points.
void TestCatalogue::factor() {
    QFETCH(int, index);
    const Factor &want = expected[index];
    const RiskFactor &got = factors()[std::size_t(index)];
    QCOMPARE(findFactor(want.key), &got);
    QCOMPARE(bytes(got.caption), QByteArray(want.caption));
    QCOMPARE(got.scored, want.scored);
    QCOMPARE(QPair(got.check.place, bytes(got.check.message)), QPair(want.check, QByteArray(want.missing)));
    QCOMPARE(got.options.size(), want.options.size());
    std::size_t i = 0;
    for (const Option &option : want.options) {
        const QByteArray text(option.text);
        QCOMPARE(bytes(got.options[i].text), text);
        QCOMPARE(bytes(pointsText(got.options[i++])), QByteArray(option.points));
        const std::optional<std::string> points = pointsFor(got, option.text);
        QCOMPARE(points ? bytes(*points) : QByteArray(), QByteArray(option.points));
    }
}

// How the window and the record name a factor: the number of its question, and the caption without
// that number and the asterisk; the alternative temperature scale answers question 1.
void TestCatalogue::naming() {
    for (const auto &[key, named] : {std::pair{"Medical", "11. Athletes' Other Risky Medical Conditions"},
                                     std::pair{"Dry_Bulb", "1. Ordinary Air Temperature"}}) {
        const RiskFactor &factor = *findFactor(key);
        QCOMPARE(bytes(factorNumber(factor)) + ". " + bytes(factorName(factor)), QByteArray(named));
    }
}

QTEST_APPLESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
