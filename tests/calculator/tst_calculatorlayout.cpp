// The calculator window as it is laid out: every control checked against the design table typed
// here a second time, the tab cycle, the fit of every caption, accessibility and high-dpi scaling.

#include "calculatortesting.h"
#include "platform/fonts.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtMath>

#include <cmath>

using namespace calculatortesting;
using sweltra::platform::WindowRegistry;

namespace {

// The design's unit: 15 twips to a logical pixel, to the nearest pixel.
int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect box(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

const QString pickTip = QStringLiteral("Click the down arrow, then click best match.");
const QString dstTip = QStringLiteral("DST = \"Daylight Saving Time\"");

// The order Tab walks through the window.
const QStringList focusCycle = {"cmd_Back_to_Directory",
                                "cmd_Reset",
                                "cmd_Calculate",
                                "txt_Time",
                                "cmd_SMA_Guidelines",
                                "cbo_WBGT",
                                "txt_WBGT",
                                "cbo_Duration",
                                "txt_Duration",
                                "txt_Intensity",
                                "cbo_Intensity",
                                "txt_Acclimatization",
                                "cbo_Acclimatization",
                                "txt_Ability",
                                "cbo_Ability",
                                "cbo_Age",
                                "txt_Age",
                                "txt_Drinks",
                                "cbo_Drinks",
                                "cbo_Time",
                                "cbo_Surface",
                                "txt_Surface",
                                "cbo_Medical",
                                "txt_Medical",
                                "cbo_Other",
                                "txtGuidelines",
                                "txt_Total",
                                "cbo_Venue",
                                "txt_Venue",
                                "cbo_Dry_Bulb",
                                "txt_Dry_Bulb",
                                "cmd_asterisk"};

QStringList visitedByTab(QWidget *window, bool forward, int steps) {
    QStringList visited;
    for (int i = 0; i < steps; ++i) {
        QWidget *focus = QApplication::focusWidget();
        if (!focus) {
            break;
        }
        QTest::keyClick(focus, Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);
        QWidget *now = QApplication::focusWidget();
        visited << (now && now->window() == window ? now->objectName() : QStringLiteral("<outside>"));
    }
    return visited;
}

// How far below its top a word-wrapped text's ink reaches: the last line's baseline lies one
// ascent below that line's top, and below the baseline only the glyphs' own ink counts.
qreal inkHeight(const QFont &font, const QRectF &wrapped, const QString &text) {
    const QFontMetricsF metrics(font);
    const qreal below = std::max<qreal>(0, metrics.tightBoundingRect(text).bottom());
    return wrapped.height() - metrics.height() + metrics.ascent() + below;
}

constexpr int wrapFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

} // namespace

class TestCalculatorLayout : public QObject {
    Q_OBJECT
    QWidget *m_window = nullptr;

private slots:
    void initTestCase() { sweltra::platform::installFontSubstitutes(); }
    void init() {
        m_window = showCalculator();
        QVERIFY(m_window);
    }
    void cleanup() { WindowRegistry::reset(); }

    void window() {
        QCOMPARE(m_window->objectName(), QStringLiteral("frm_Sweltra"));
        QCOMPARE(m_window->windowTitle(),
                 QStringLiteral("Sweltra - Sports Medicine Australia (SA Branch) - Non-Desert Version*"));
        QCOMPARE(m_window->size(), QSize(px(9375), px(5925)));
        // Sizable, with the usual title-bar buttons; not modal.
        QVERIFY(m_window->minimumSize() != m_window->maximumSize());
        QVERIFY(m_window->isWindow());
        QVERIFY(!m_window->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));
        QCOMPARE(m_window->windowModality(), Qt::NonModal);
        QCOMPARE(m_window->palette().color(QPalette::Window),
                 QApplication::palette().color(QPalette::Button));
        QVERIFY(m_window->autoFillBackground());
        QVERIFY(m_window->windowIcon().availableSizes().contains(QSize(32, 32)));
        // Centred before the frame is known: the frame's size is the only allowance.
        const QRect screen = m_window->screen()->availableGeometry();
        const QSize frame = m_window->frameGeometry().size() - m_window->size();
        const int slack = 1 + std::max(frame.width(), frame.height());
        QVERIFY(qAbs(m_window->geometry().center().x() - screen.center().x()) <= slack);
        QVERIFY(qAbs(m_window->geometry().center().y() - screen.center().y()) <= slack);
        QCOMPARE(m_window->font().pixelSize(), 11);
        QVERIFY(!m_window->font().bold());
    }

    void control_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("toolTip");

        const auto row = [](const char *name, const char *kind, const char *text, QRect geometry,
                            double points = 8.25, bool bold = true, const QString &tip = QString()) {
            QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromUtf8(text) << geometry << points
                                << bold << tip;
        };
        row("lbl_WBGT", "QLabel", "1. Wet Bulb Globe Temperature", box(200, 525, 2775, 375), 8.25, true,
            "Click on the down arrow to view choices.");
        row("cbo_WBGT", "QComboBox", "", box(3000, 480, 1095, 315), 8.25, true, pickTip);
        row("txt_WBGT", "QLineEdit", "", box(4080, 480, 375, 315));
        row("lbl_Or", "QLabel", "- OR -", box(480, 765, 615, 172), 8.25, false);
        row("lbl_Dry_Bulb", "QLabel", "Ordinary Air Temperature*", box(415, 988, 2535, 255), 8.25, true,
            "Click on the * button at the bottom of page for explanation.");
        row("cbo_Dry_Bulb", "QComboBox", "", box(3000, 894, 1095, 315), 8.25, true, pickTip);
        row("txt_Dry_Bulb", "QLineEdit", "", box(4080, 894, 375, 315));
        row("lbl_Duration", "QLabel", "2. Overall length of event (min)", box(195, 1440, 2895, 255));
        row("cbo_Duration", "QComboBox", "", box(2880, 1410, 1215, 315));
        row("txt_Duration", "QLineEdit", "", box(4080, 1410, 375, 315));
        row("lbl_Intensity", "QLabel", "3. Individual intensity during the event", box(195, 1800, 3735, 375));
        row("cbo_Intensity", "QComboBox", "", box(720, 2040, 3375, 315));
        row("txt_Intensity", "QLineEdit", "", box(4080, 2040, 375, 315));
        row("lbl_Acclimatization", "QLabel", "4. Acclimatization of participants", box(195, 2520, 3015, 375));
        row("cbo_Acclimatization", "QComboBox", "", box(720, 2760, 3375, 315));
        row("txt_Acclimatization", "QLineEdit", "", box(4080, 2760, 375, 315));
        row("lbl_Ability", "QLabel", "5. Athletic ability of individuals", box(195, 3240, 3735, 255));
        row("cbo_Ability", "QComboBox", "", box(720, 3480, 3375, 315));
        row("txt_Ability", "QLineEdit", "", box(4080, 3480, 375, 315));
        row("lbl_Age", "QLabel", "6. Age of Participants", box(4875, 270, 1935, 255));
        row("cbo_Age", "QComboBox", "", box(6960, 240, 1815, 315));
        row("txt_Age", "QLineEdit", "", box(8760, 240, 375, 315));
        row("lbl_Drinks", "QLabel", "7. Time Between Drinks (min)", box(4875, 750, 2655, 255));
        row("cbo_Drinks", "QComboBox", "", box(7440, 720, 1335, 315));
        row("txt_Drinks", "QLineEdit", "", box(8760, 720, 375, 315));
        row("lbl_Time", "QLabel", "8. Time of event (DST)", box(4875, 1230, 2055, 255), 8.25, true, dstTip);
        row("cbo_Time", "QComboBox", "", box(6960, 1200, 1815, 315), 8.25, true, dstTip);
        row("txt_Time", "QLineEdit", "", box(8760, 1200, 375, 315));
        row("lbl_Surface", "QLabel", "9. Surface type", box(4875, 1710, 1575, 255));
        row("cbo_Surface", "QComboBox", "", box(6360, 1680, 2415, 315));
        row("txt_Surface", "QLineEdit", "", box(8760, 1680, 375, 315));
        row("lbl_Venue", "QLabel", "10. Venue", box(4875, 2162, 975, 255));
        row("cbo_Venue", "QComboBox", "", box(5880, 2162, 2895, 315));
        row("txt_Venue", "QLineEdit", "", box(8760, 2162, 375, 315));
        row("lbl_Medical", "QLabel", "11. Athletes' Other Risky Medical Conditions*",
            box(4875, 2580, 4215, 255), 8.25, true,
            "Click on the * button at the bottom of this page for details.");
        row("cbo_Medical", "QComboBox", "", box(5160, 2808, 3615, 315));
        row("txt_Medical", "QLineEdit", "", box(8760, 2808, 375, 315));
        row("lbl_Other", "QLabel", "12. Other factors: Consider, but no points added.",
            box(4875, 3240, 4335, 255));
        row("cbo_Other", "QComboBox", "", box(5160, 3480, 3975, 315));
        row("lbl_Risk_Points", "QLabel", "Risk Points", box(3840, 240, 975, 255), 8.25, false);
        row("Shape1", "QFrame", "", box(120, 120, 9135, 3855));
        row("txtGuidelines", "sweltra::platform::RichTextBox", "", box(120, 4080, 9135, 1215), 0);
        row("cmd_Back_to_Directory", "QPushButton", "Exit Calculator", box(120, 5456, 1815, 375), 9.75);
        row("cmd_asterisk", "QPushButton", "*", box(2040, 5456, 495, 375), 18);
        row("cmd_Reset", "QPushButton", "Reset", box(2640, 5456, 855, 375), 9.75);
        row("cmd_SMA_Guidelines", "QPushButton", "View Full SMA Guidelines", box(3600, 5456, 3015, 375),
            9.75);
        row("cmd_Calculate", "QPushButton", "Calculate Total:", box(6720, 5456, 1815, 375), 9.75);
        row("txt_Total", "QLineEdit", "", box(8520, 5456, 735, 375), 12);
    }
    void control() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(QString, toolTip);
        const QString name = QString::fromLatin1(QTest::currentDataTag());

        QWidget *widget = m_window->findChild<QWidget *>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
        QCOMPARE(widget->parentWidget(), m_window);
        QCOMPARE(widget->geometry(), geometry);
        QVERIFY(widget->isVisible());
        QCOMPARE(widget->toolTip(), toolTip);
        if (points > 0) {
            QCOMPARE(widget->font().family(), QStringLiteral("MS Sans Serif"));
            QCOMPARE(widget->font().pixelSize(), static_cast<int>(std::lround(points * 96 / 72)));
            QCOMPARE(widget->font().bold(), bold);
        }
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            QCOMPARE(label->text(), text);
            QVERIFY(label->wordWrap());
            QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
            const QColor ink = name == QLatin1String("lbl_Or")
                                   ? QColor(128, 0, 0)
                                   : QApplication::palette().color(QPalette::WindowText);
            QCOMPARE(label->palette().color(QPalette::WindowText), ink);
        } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
            QCOMPARE(button->text(), text);
        } else if (auto *field = qobject_cast<QLineEdit *>(widget)) {
            QVERIFY(field->isReadOnly());
            QVERIFY(field->hasFrame());
            QCOMPARE(field->alignment(), Qt::AlignCenter);
            QCOMPARE(field->text(), QString());
        } else if (kind == QLatin1String("QFrame")) {
            auto *frame = qobject_cast<QFrame *>(widget);
            QCOMPARE(frame->frameShape(), QFrame::Box);
            QCOMPARE(frame->frameShadow(), QFrame::Plain);
            QCOMPARE(frame->lineWidth(), 1);
            QVERIFY(frame->testAttribute(Qt::WA_TransparentForMouseEvents));
        }
        QCOMPARE(widget->focusPolicy() != Qt::NoFocus, focusCycle.contains(name));
    }

    void listEntries_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("cbo_WBGT") << QStringList{"<23\u00B0C", "23 to 27", "28 to 29", ">= 30\u00B0C"};
        QTest::newRow("cbo_Dry_Bulb") << QStringList{"<24\u00B0C", "24 to 29", "30 to 32", ">= 33\u00B0C"};
        QTest::newRow("cbo_Duration") << QStringList{"<30", "30 to 60", "60 to 120", ">120"};
        QTest::newRow("cbo_Intensity") << QStringList{
            "Easy pace throughout", "Moderate pace, breaks in intensity", "Moderate pace throughout",
            "Sustained effort with some breaks", "Sustained effort throughout"};
        QTest::newRow("cbo_Acclimatization")
            << QStringList{"Used to hot weather conditions", "Used to warm weather conditions",
                           "Used to cool/cold conditions"};
        QTest::newRow("cbo_Ability") << QStringList{"Elite fitness levels", "Good fitness level",
                                                    "Moderate fitness levels", "Low fitness levels"};
        QTest::newRow("cbo_Age") << QStringList{"Under 13", "13 to 17", "18 to 30", "30 to 40", "Over 40"};
        QTest::newRow("cbo_Drinks") << QStringList{"<15", "15 to 25", "25 to 35", "35 to 45", ">45"};
        QTest::newRow("cbo_Time") << QStringList{"Before 9 am", "9 am to 12 noon", "12 noon to 4 pm",
                                                 "4 pm to sunset", "After dark"};
        QTest::newRow("cbo_Surface") << QStringList{"Water",  "Grass", "Boards", "Sand", "Synthetic surface",
                                                    "Asphalt"};
        QTest::newRow("cbo_Venue") << QStringList{"Indoor air conditioning", "Indoor no air conditioning",
                                                  "Outdoors"};
        QTest::newRow("cbo_Medical") << QStringList{"None", "High: Asthma, Diabetes, Pregnancy, *",
                                                    "Extreme: Flu,Diarrhea,Drugs,Alcohol, *"};
        QTest::newRow("cbo_Other") << QStringList{
            "Shade available during breaks?", "Water freely available at venue?",
            "Sports trainer/first aid provider available?", "Individual body fat of participants?"};
    }
    void listEntries() {
        QFETCH(QStringList, entries);
        auto *combo = m_window->findChild<QComboBox *>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(combo);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i) {
            shown << combo->itemText(i);
        }
        QCOMPARE(shown, entries);
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->insertPolicy(), QComboBox::NoInsert);
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(combo->currentText(), QString());
        QVERIFY(combo->isEnabled());

        // Opened, the list shows every entry whole, without scrolling.
        QVERIFY(combo->maxVisibleItems() >= combo->count());
        combo->showPopup();
        QAbstractItemView *view = combo->view();
        QVERIFY(view->isVisible());
        QCOMPARE(view->verticalScrollBar()->maximum(), 0);
        for (int i = 0; i < combo->count(); ++i) {
            const QRect item = view->visualRect(view->model()->index(i, 0));
            QVERIFY2(view->viewport()->rect().contains(item), qPrintable(entries.at(i)));
            QVERIFY2(view->fontMetrics().horizontalAdvance(entries.at(i)) <= item.width(),
                     qPrintable(entries.at(i)));
        }
        combo->hidePopup();

        // A chosen entry shows whole in the closed list's edit field.
        QLineEdit *edit = combo->lineEdit();
        const QMargins margins = edit->textMargins();
        const int room = edit->width() - margins.left() - margins.right() - 4;
        for (const QString &entry : entries) {
            QVERIFY2(edit->fontMetrics().horizontalAdvance(entry) <= room, qPrintable(entry));
        }
    }

    void initialFocusOnExit() {
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmd_Back_to_Directory"));
    }

    void tabCycle_data() {
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("disabled");
        QTest::newRow("Tab") << true << QString();
        QTest::newRow("Shift+Tab") << false << QString();
        QTest::newRow("Tab, air temperature list disabled") << true << QStringLiteral("cbo_Dry_Bulb");
        QTest::newRow("Shift+Tab, air temperature list disabled") << false << QStringLiteral("cbo_Dry_Bulb");
        QTest::newRow("Tab, wet bulb list disabled") << true << QStringLiteral("cbo_WBGT");
        QTest::newRow("Shift+Tab, wet bulb list disabled") << false << QStringLiteral("cbo_WBGT");
    }
    void tabCycle() {
        QFETCH(bool, forward);
        QFETCH(QString, disabled);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        // A pick on one temperature scale disables the other one.
        if (!disabled.isEmpty()) {
            const QString used = disabled == QLatin1String("cbo_WBGT") ? "Dry_Bulb" : "WBGT";
            QVERIFY(pickWithMouse(list(m_window, used), list(m_window, used)->itemText(0)));
            QVERIFY(!m_window->findChild<QComboBox *>(disabled)->isEnabled());
            m_window->findChild<QWidget *>(QStringLiteral("cmd_Back_to_Directory"))->setFocus();
        }
        QStringList expected = focusCycle;
        expected.removeAll(disabled);
        if (forward) {
            expected.append(expected.takeFirst());
        } else {
            std::reverse(expected.begin(), expected.end());
        }
        const QStringList twice = expected + expected;
        QCOMPARE(visitedByTab(m_window, forward, static_cast<int>(twice.size())), twice);
    }

    void noDefaultOrCancelButton() {
        for (QPushButton *button : m_window->findChildren<QPushButton *>()) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        // Escape works no button, and Enter in a list works none either.
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTest::keyClick(list(m_window, "Age"), Qt::Key_Return);
        QVERIFY(m_window->isVisible());
    }

    void enterAndSpaceWorkTheFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("space bar") << int(Qt::Key_Space);
    }
    void enterAndSpaceWorkTheFocusedButton() {
        QFETCH(int, key);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QPointer<QWidget> window = m_window;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(window.isNull() || !window->isVisible());
    }

    void accessibleNames_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("cbo_WBGT") << "1. Wet Bulb Globe Temperature";
        QTest::newRow("cbo_Dry_Bulb") << "Ordinary Air Temperature*";
        QTest::newRow("cbo_Age") << "6. Age of Participants";
        QTest::newRow("cbo_Other") << "12. Other factors: Consider, but no points added.";
        QTest::newRow("txt_WBGT") << "Risk points for Wet Bulb Globe Temperature";
        QTest::newRow("txt_Dry_Bulb") << "Risk points for Ordinary Air Temperature";
        QTest::newRow("txt_Duration") << "Risk points for Overall length of event (min)";
        QTest::newRow("txt_Intensity") << "Risk points for Individual intensity during the event";
        QTest::newRow("txt_Acclimatization") << "Risk points for Acclimatization of participants";
        QTest::newRow("txt_Ability") << "Risk points for Athletic ability of individuals";
        QTest::newRow("txt_Age") << "Risk points for Age of Participants";
        QTest::newRow("txt_Drinks") << "Risk points for Time Between Drinks (min)";
        QTest::newRow("txt_Time") << "Risk points for Time of event (DST)";
        QTest::newRow("txt_Surface") << "Risk points for Surface type";
        QTest::newRow("txt_Venue") << "Risk points for Venue";
        QTest::newRow("txt_Medical") << "Risk points for Athletes' Other Risky Medical Conditions";
        QTest::newRow("txt_Total") << "Total risk score";
    }
    void accessibleNames() {
        QFETCH(QString, name);
        QWidget *widget = m_window->findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(widget);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), name);
    }

    void everyListHasItsCaptionAsBuddy() {
        const QList<QComboBox *> lists = m_window->findChildren<QComboBox *>();
        QCOMPARE(lists.size(), 13);
        for (QComboBox *combo : lists) {
            const QString key = combo->objectName().mid(4);
            auto *caption = m_window->findChild<QLabel *>(QStringLiteral("lbl_") + key);
            QVERIFY2(caption, qPrintable(key));
            QCOMPARE(caption->buddy(), combo);
            QCOMPARE(combo->accessibleName(), caption->text());
        }
    }

    // Each caption fits its box: labels word-wrapped within their height, buttons on one line.
    void captionsFit() {
        // The least room left beside and below any caption, reported for the record.
        QPair<int, QString> beside{INT_MAX, {}}, below{INT_MAX, {}};
        const auto note = [](QPair<int, QString> &least, int margin, const QString &name) {
            if (margin < least.first) {
                least = {margin, name};
            }
        };
        for (QLabel *label : m_window->findChildren<QLabel *>()) {
            const QRect room = label->contentsRect();
            const QRect wrapped = label->fontMetrics().boundingRect(
                QRect(0, 0, room.width(), 10 * room.height()), wrapFlags, label->text());
            const QRectF exact =
                QFontMetricsF(label->font())
                    .boundingRect(QRectF(0, 0, room.width(), 10 * room.height()), wrapFlags, label->text());
            const qreal height = inkHeight(label->font(), exact, label->text());
            QVERIFY2(wrapped.width() <= room.width(), qPrintable(label->objectName()));
            QVERIFY2(height <= room.height(), qPrintable(label->objectName()));
            note(beside, room.width() - wrapped.width(), label->objectName());
            note(below, qFloor(room.height() - height), label->objectName());
        }
        for (QPushButton *button : m_window->findChildren<QPushButton *>()) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect room =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QFontMetrics metrics = button->fontMetrics();
            const int width = metrics.horizontalAdvance(button->text());
            QVERIFY2(width <= room.width(), qPrintable(button->objectName()));
            QVERIFY2(metrics.tightBoundingRect(button->text()).height() <= room.height(),
                     qPrintable(button->objectName()));
            note(beside, room.width() - width, button->objectName());
        }
        qInfo("Captions drawn in %s; least room %d px beside %s, %d px below %s",
              qPrintable(QFontInfo(m_window->findChild<QLabel *>("lbl_Age")->font()).family()), beside.first,
              qPrintable(beside.second), below.first, qPrintable(below.second));
    }

    // Qt scales logical pixels: on a screen of device pixel ratio 2 the whole window doubles.
    void scalesAsAWhole() {
        const qreal ratio = m_window->devicePixelRatioF();
        const QPixmap picture = m_window->grab();
        QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(px(9375), px(5925)));
        QCOMPARE(picture.size(), (QSizeF(px(9375), px(5925)) * ratio).toSize());
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
            QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        }
        QCOMPARE(m_window->findChild<QWidget *>("txt_Total")->geometry(), box(8520, 5456, 735, 375));
    }

    void resizingMovesNothing() {
        QWidget *calculate = m_window->findChild<QWidget *>("cmd_Calculate");
        const QRect before = calculate->geometry();
        m_window->resize(m_window->width() + 200, m_window->height() + 100);
        QCOMPARE(calculate->geometry(), before);
        m_window->resize(300, 200);
        QCOMPARE(calculate->geometry(), before);
    }
};

QTEST_MAIN(TestCalculatorLayout)
#include "tst_calculatorlayout.moc"
