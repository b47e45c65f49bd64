// The calculator window as laid out: the window itself, its lists, the tab cycle computed from
// its own table, and the keys that work its buttons.

#include "calculatortesting.h"
#include "platform/fonts.h"
#include "risk/catalogue.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <cmath>

using namespace calculatortesting;
using sweltra::calculator::CalculatorWindow;
using sweltra::platform::WindowRegistry;

namespace {

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

// The order Tab walks through the window: the table's tab indexes.
QStringList focusCycle() {
    std::vector<sweltra::platform::ControlRow> rows;
    for (const auto &row : CalculatorWindow::controlTable()) {
        if (row.tabIndex >= 0) {
            rows.push_back(row);
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto &a, const auto &b) { return a.tabIndex < b.tabIndex; });
    QStringList names;
    for (const auto &row : rows) {
        names << QString::fromLatin1(row.name.data(), qsizetype(row.name.size()));
    }
    return names;
}

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

    // Each list holds its factor's entries in the catalogue's order, none chosen, each shown whole.
    void listEntries_data() {
        QTest::addColumn<QString>("key");
        for (const sweltra::risk::RiskFactor &factor : sweltra::risk::factors()) {
            QTest::newRow(std::string(factor.key).c_str())
                << QString::fromLatin1(factor.key.data(), qsizetype(factor.key.size()));
        }
    }
    void listEntries() {
        QFETCH(QString, key);
        QComboBox *combo = list(m_window, key);
        QVERIFY(combo);
        QStringList entries;
        for (const auto &option : sweltra::risk::findFactor(key.toStdString())->options) {
            entries << QString::fromUtf8(option.text.data(), qsizetype(option.text.size()));
        }
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
        QStringList expected = focusCycle();
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
