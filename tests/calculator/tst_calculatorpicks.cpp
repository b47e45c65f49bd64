// Picking entries in the calculator's lists: the points each pick writes, the temperature scales,
// and the keys that must change nothing.

#include "calculatortesting.h"
#include "platform/fonts.h"
#include "risk/catalogue.h"

#include <QApplication>
#include <QClipboard>

using namespace calculatortesting;
using sweltra::platform::WindowRegistry;

namespace {

// Counts the writes into a points box: each write is taken out again at once, so a handler that
// runs twice with the same points is seen twice.
class WriteCounter {
public:
    explicit WriteCounter(QLineEdit *box) {
        m_connection = QObject::connect(box, &QLineEdit::textChanged, box, [this, box](const QString &text) {
            if (!text.isEmpty()) {
                ++m_writes;
                box->clear();
            }
        });
    }
    ~WriteCounter() { QObject::disconnect(m_connection); }
    int writes() const { return m_writes; }

private:
    QMetaObject::Connection m_connection;
    int m_writes = 0;
};

QString otherScale(const QString &key) {
    if (key == QLatin1String("WBGT")) {
        return QStringLiteral("Dry_Bulb");
    }
    return key == QLatin1String("Dry_Bulb") ? QStringLiteral("WBGT") : QString();
}

} // namespace

class TestCalculatorPicks : public QObject {
    Q_OBJECT
    QWidget *m_window = nullptr;

private slots:
    void initTestCase() { sweltra::platform::installFontSubstitutes(); }
    void init() {
        m_window = showCalculator();
        QVERIFY(m_window);
    }
    void cleanup() { WindowRegistry::reset(); }

    // Every entry of every scored list in turn, with the mouse and with the arrow keys: each
    // writes the points the catalogue gives it, and nothing else is written.
    void pickWritesPoints_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("byKeys");
        for (const sweltra::risk::RiskFactor &factor : sweltra::risk::factors()) {
            if (factor.scored) {
                const QString key = QString::fromUtf8(factor.key.data(), qsizetype(factor.key.size()));
                QTest::addRow("%s, mouse", qPrintable(key)) << key << false;
                QTest::addRow("%s, keys", qPrintable(key)) << key << true;
            }
        }
    }
    void pickWritesPoints() {
        QFETCH(QString, key);
        QFETCH(bool, byKeys);
        QComboBox *combo = list(m_window, key);
        for (const sweltra::risk::FactorOption &option :
             sweltra::risk::findFactor(key.toStdString())->options) {
            const QString entry = QString::fromUtf8(option.text.data(), qsizetype(option.text.size()));
            QVERIFY(byKeys ? pickWithKeys(combo, entry) : pickWithMouse(combo, entry));
            QCOMPARE(combo->currentText(), entry);
            QCOMPARE(points(m_window, key)->text(),
                     QString::fromUtf8(option.points.data(), qsizetype(option.points.size())));
            for (const QString &other : pointsKeys) {
                if (other != key) {
                    QCOMPARE(points(m_window, other)->text(), QString());
                }
            }
            // Only the other temperature scale becomes unavailable.
            for (const QString &scale : {QStringLiteral("WBGT"), QStringLiteral("Dry_Bulb")}) {
                QCOMPARE(list(m_window, scale)->isEnabled(), scale != otherScale(key));
            }
        }
        QCOMPARE(m_window->findChild<QLineEdit *>("txt_Total")->text(), QString());
    }

    void laterPickReplaces_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("picks");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fitness, good then low")
            << "Ability" << QStringList{"Good fitness level", "Low fitness levels"} << "8";
        QTest::newRow("medical, extreme then none")
            << "Medical" << QStringList{"Extreme: Flu,Diarrhea,Drugs,Alcohol, *", "None"} << "0";
        QTest::newRow("medical, none then high")
            << "Medical" << QStringList{"None", "High: Asthma, Diabetes, Pregnancy, *"} << "X";
        QTest::newRow("wet bulb, two bands") << "WBGT" << QStringList{"28 to 29", ">= 30\u00B0C"} << "20";
        QTest::newRow("air temperature, two bands")
            << "Dry_Bulb" << QStringList{">= 33\u00B0C", "<24\u00B0C"} << "2";
        QTest::newRow("same entry twice") << "Age" << QStringList{"18 to 30", "18 to 30"} << "2";
        QTest::newRow("drinks, down and back up") << "Drinks" << QStringList{">45", "<15", "25 to 35"} << "6";
    }
    void laterPickReplaces() {
        QFETCH(QString, key);
        QFETCH(QStringList, picks);
        QFETCH(QString, expected);
        for (const QString &entry : picks) {
            QVERIFY(pickWithMouse(list(m_window, key), entry));
        }
        QCOMPARE(points(m_window, key)->text(), expected);
        // The list that was used stays usable; the other scale stays unavailable and empty.
        QVERIFY(list(m_window, key)->isEnabled());
        if (const QString other = otherScale(key); !other.isEmpty()) {
            QVERIFY(!list(m_window, other)->isEnabled());
            QCOMPARE(points(m_window, other)->text(), QString());
        }
    }

    // Each pick runs the list's handler exactly once, whether made with the mouse or the keys.
    void eachPickRunsTheHandlerOnce_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("byKeys");
        for (const char *key : {"WBGT", "Dry_Bulb", "Duration", "Intensity", "Acclimatization", "Ability",
                                "Age", "Drinks", "Time", "Surface", "Venue", "Medical"}) {
            QTest::addRow("%s, mouse", key) << QString::fromLatin1(key) << false;
            QTest::addRow("%s, keys", key) << QString::fromLatin1(key) << true;
        }
    }
    void eachPickRunsTheHandlerOnce() {
        QFETCH(QString, key);
        QFETCH(bool, byKeys);
        QComboBox *combo = list(m_window, key);
        WriteCounter counter(points(m_window, key));
        int picks = 0;
        if (byKeys) {
            // Down from nothing picks the first entry; every further move is one more pick.
            for (int move : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}) {
                QTest::keyClick(combo, Qt::Key(move));
                ++picks;
                QCOMPARE(counter.writes(), picks);
            }
        } else {
            for (int index : {0, 1, 1, 2}) {
                QVERIFY(pickWithMouse(combo, combo->itemText(index)));
                ++picks;
                QCOMPARE(counter.writes(), picks);
            }
        }
    }

    // The keys that open a list keep working, and Enter in the open list picks.
    void keysOpenTheListAndPick_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier);
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
    }
    void keysOpenTheListAndPick() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QComboBox *combo = list(m_window, "Surface");
        QTest::keyClick(combo, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(combo->view()->isVisible());
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        QVERIFY(!combo->view()->isVisible());
        QCOMPARE(points(m_window, "Surface")->text(), QString());

        // The open list starts on its first entry.
        QTest::keyClick(combo, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTest::keyClick(combo->view(), Qt::Key_Down);
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QVERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->currentText(), QStringLiteral("Grass"));
        QCOMPARE(points(m_window, "Surface")->text(), QStringLiteral("2"));
    }

    void otherFactorsWriteNothing() {
        QComboBox *combo = list(m_window, "Other");
        for (int i = 0; i < combo->count(); ++i) {
            QVERIFY(pickWithMouse(combo, combo->itemText(i)));
            QCOMPARE(combo->currentText(), combo->itemText(i));
            QVERIFY(pickWithKeys(combo, combo->itemText(i == 0 ? 1 : 0)));
        }
        QCOMPARE(allPoints(m_window), QStringList(pointsKeys.size(), QString()));
        QVERIFY(list(m_window, "WBGT")->isEnabled());
        QVERIFY(list(m_window, "Dry_Bulb")->isEnabled());
    }

    // Typed characters never reach a list: neither its text nor any points change.
    void typedCharactersAreDiscarded_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("special");
        QTest::newRow("letters into a chosen list") << "Age"
                                                    << "13 to 17"
                                                    << "Over" << 0;
        QTest::newRow("digits into a chosen list") << "Duration"
                                                   << "<30"
                                                   << "120" << 0;
        QTest::newRow("blank and punctuation") << "Venue"
                                               << "Outdoors"
                                               << " ,*?" << 0;
        QTest::newRow("letters into an empty list") << "Medical"
                                                    << ""
                                                    << "None" << 0;
        QTest::newRow("degree sign") << "WBGT"
                                     << ""
                                     << "\u00B0" << 0;
        QTest::newRow("letters into the other factors") << "Other"
                                                        << "Shade available during breaks?"
                                                        << "No" << 0;
        QTest::newRow("Backspace") << "Ability"
                                   << "Elite fitness levels"
                                   << "" << int(Qt::Key_Backspace);
        QTest::newRow("Backspace into an empty list") << "Time"
                                                      << ""
                                                      << "" << int(Qt::Key_Backspace);
        QTest::newRow("Ctrl+X") << "Surface"
                                << "Grass"
                                << "" << int(Qt::Key_X);
        QTest::newRow("Ctrl+V") << "Surface"
                                << "Grass"
                                << "" << int(Qt::Key_V);
    }
    void typedCharactersAreDiscarded() {
        QFETCH(QString, key);
        QFETCH(QString, picked);
        QFETCH(QString, typed);
        QFETCH(int, special);
        QComboBox *combo = list(m_window, key);
        if (!picked.isEmpty()) {
            QVERIFY(pickWithMouse(combo, picked));
        }
        QApplication::clipboard()->setText(QStringLiteral("Outdoors"));
        const QStringList before = allPoints(m_window);
        const int index = combo->currentIndex();
        combo->lineEdit()->selectAll();
        if (special == Qt::Key_X || special == Qt::Key_V) {
            QTest::keyClick(combo, Qt::Key(special), Qt::ControlModifier);
        } else if (special) {
            QTest::keyClick(combo, Qt::Key(special));
            QTest::keyClick(combo->lineEdit(), Qt::Key(special));
        } else {
            QTest::keyClicks(combo, typed);
            QTest::keyClicks(combo->lineEdit(), typed);
        }
        QCOMPARE(combo->currentText(), picked);
        QCOMPARE(combo->currentIndex(), index);
        QCOMPARE(allPoints(m_window), before);

        // Nor do they move the choice in the opened list.
        combo->showPopup();
        QTest::keyClicks(combo->view(), typed.isEmpty() ? QStringLiteral("O") : typed);
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        QCOMPARE(combo->currentIndex(), index);
        QCOMPARE(allPoints(m_window), before);
    }

    // Delete still edits the edit field, but only a pick writes points, also when the edited
    // text matches another entry and the focus moves on.
    void deleteEditsTheFieldOnly() {
        QComboBox *combo = list(m_window, "Venue");
        QVERIFY(pickWithMouse(combo, "Indoor no air conditioning"));
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        combo->setFocus();
        combo->lineEdit()->setCursorPosition(7);
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(combo, Qt::Key_Delete);
        }
        QCOMPARE(combo->currentText(), QStringLiteral("Indoor air conditioning"));
        QCOMPARE(points(m_window, "Venue")->text(), QStringLiteral("4"));
        QTest::keyClick(combo, Qt::Key_Tab);
        QVERIFY(!combo->hasFocus());
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(points(m_window, "Venue")->text(), QStringLiteral("4"));
        // A later pick writes again.
        QTest::keyClick(combo, Qt::Key_Up);
        QCOMPARE(points(m_window, "Venue")->text(), QStringLiteral("1"));
    }

    // Points boxes and the total take the focus and let their text be selected, but no key,
    // deletion or paste changes them.
    void boxesCannotBeEdited_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("typed");
        const auto rows = [](const char *box) {
            QTest::addRow("%s, typing", box) << box << 0 << 0 << "45";
            QTest::addRow("%s, Delete", box) << box << int(Qt::Key_Delete) << 0 << "";
            QTest::addRow("%s, Backspace", box) << box << int(Qt::Key_Backspace) << 0 << "";
            QTest::addRow("%s, Ctrl+V", box) << box << int(Qt::Key_V) << int(Qt::ControlModifier) << "";
            QTest::addRow("%s, Shift+Insert", box)
                << box << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << "";
            QTest::addRow("%s, Ctrl+X", box) << box << int(Qt::Key_X) << int(Qt::ControlModifier) << "";
        };
        rows("txt_Ability");
        rows("txt_Total");
    }
    void boxesCannotBeEdited() {
        QFETCH(QString, box);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, typed);
        QVERIFY(pickWithMouse(list(m_window, "Ability"), "Good fitness level"));
        auto *field = m_window->findChild<QLineEdit *>(box);
        if (box == QLatin1String("txt_Total")) {
            field->setText(QStringLiteral(" 62"));
        }
        const QString before = field->text();
        QApplication::clipboard()->setText(QStringLiteral("99"));
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        field->setFocus();
        QVERIFY(field->hasFocus());
        field->selectAll();
        QCOMPARE(field->selectedText(), before);
        if (key) {
            QTest::keyClick(field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        } else {
            QTest::keyClicks(field, typed);
        }
        QCOMPARE(field->text(), before);
    }
};

QTEST_MAIN(TestCalculatorPicks)
#include "tst_calculatorpicks.moc"
