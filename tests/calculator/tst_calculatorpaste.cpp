// Text that reaches a list's edit field without a pick: pasted by key, middle click or context
// menu, dropped, or composed by an input method. The field keeps what it showed (an entry of
// the list, or nothing) and the points and the total stay as they were.

#include "calculatortesting.h"
#include "platform/fonts.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

using namespace calculatortesting;
using sweltra::platform::WindowRegistry;

namespace {

enum class Way { CtrlV, ShiftInsert, MiddleClick, ContextMenu, Drop, InputMethod };

// Chooses the context menu's Paste with the mouse once the menu is up.
void clickPasteInMenu(bool *clicked) {
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    // The standard menu names each action's shortcut after a tab.
    const QString shortcut = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    QAction *paste = nullptr;
    for (QAction *action : menu ? menu->actions() : QList<QAction *>()) {
        if (!shortcut.isEmpty() && action->text().endsWith(QLatin1Char('\t') + shortcut)) {
            paste = action;
        }
    }
    if (!paste || !paste->isEnabled()) {
        if (menu) {
            menu->close();
        }
        return;
    }
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
    *clicked = true;
}

} // namespace

Q_DECLARE_METATYPE(Way)

class TestCalculatorPaste : public QObject {
    Q_OBJECT
    QWidget *m_window = nullptr;

private slots:
    void initTestCase() {
        sweltra::platform::installFontSubstitutes();
        // A steady caret, so that the field looks the same from one moment to the next.
        QApplication::setCursorFlashTime(0);
    }
    void init() {
        m_window = showCalculator();
        QVERIFY(m_window);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }
    void cleanup() { WindowRegistry::reset(); }

    void foreignTextIsRefused_data() {
        QTest::addColumn<Way>("way");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("text");
        QTest::newRow("Ctrl+V over a pick") << Way::CtrlV << "Surface"
                                            << "Grass"
                                            << "Outdoors";
        QTest::newRow("Shift+Insert over a pick") << Way::ShiftInsert << "Age"
                                                  << "13 to 17"
                                                  << "Over 40 and more";
        QTest::newRow("Shift+Insert of the list's own entry into an empty list")
            << Way::ShiftInsert << "Surface"
            << ""
            << "Asphalt";
        QTest::newRow("middle click over a pick") << Way::MiddleClick << "Medical"
                                                  << "None"
                                                  << "X";
        QTest::newRow("context menu Paste into an empty list") << Way::ContextMenu << "Venue"
                                                               << ""
                                                               << "Outdoors";
        QTest::newRow("context menu Paste over a pick") << Way::ContextMenu << "WBGT"
                                                        << "<23°C"
                                                        << "40°C";
        QTest::newRow("drop over a pick") << Way::Drop << "Time"
                                          << "After dark"
                                          << "Before 9 am";
        QTest::newRow("input method over a pick") << Way::InputMethod << "Drinks"
                                                  << "<15"
                                                  << "\u6C34";
        QTest::newRow("input method into the other factors") << Way::InputMethod << "Other"
                                                             << ""
                                                             << "Shade available during breaks?";
    }
    void foreignTextIsRefused() {
        QFETCH(Way, way);
        QFETCH(QString, key);
        QFETCH(QString, picked);
        QFETCH(QString, text);
        QComboBox *combo = list(m_window, key);
        QLineEdit *field = combo->lineEdit();
        if (!picked.isEmpty()) {
            QVERIFY(pickWithMouse(combo, picked));
        }
        combo->setFocus();
        QTRY_VERIFY(combo->hasFocus());
        QApplication::clipboard()->setText(text);
        const QStringList points = allPoints(m_window);
        const QString total = m_window->findChild<QLineEdit *>(QStringLiteral("txt_Total"))->text();
        const QPoint inside = field->rect().center();

        switch (way) {
        case Way::CtrlV:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
            break;
        case Way::ShiftInsert:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert, Qt::ShiftModifier);
            break;
        case Way::MiddleClick:
            if (!QApplication::clipboard()->supportsSelection()) {
                QSKIP("this platform has no selection to paste with the middle button");
            }
            QApplication::clipboard()->setText(text, QClipboard::Selection);
            QTest::mouseClick(field, Qt::MiddleButton, {}, inside);
            break;
        case Way::ContextMenu: {
            bool clicked = false;
            QTimer::singleShot(0, field, [&clicked] { clickPasteInMenu(&clicked); });
            QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, inside, field->mapToGlobal(inside));
            QApplication::sendEvent(field, &menuRequest);
            QTRY_VERIFY(clicked);
            break;
        }
        case Way::Drop: {
            // A drop arrives only where the drag was let in.
            auto *data = new QMimeData;
            data->setText(text);
            QDragEnterEvent enter(inside, Qt::CopyAction, data, Qt::LeftButton, {});
            QApplication::sendEvent(field, &enter);
            if (enter.isAccepted()) {
                QDropEvent drop(QPointF(inside), Qt::CopyAction, data, Qt::LeftButton, {});
                QApplication::sendEvent(field, &drop);
            }
            delete data;
            break;
        }
        case Way::InputMethod: {
            // The input method hands its text to whatever has the focus; while it composes, the
            // field does not show the text either.
            const QImage looks = field->grab().toImage();
            QInputMethodEvent composing(text, {});
            QApplication::sendEvent(QApplication::focusObject(), &composing);
            QCOMPARE(field->grab().toImage(), looks);
            QInputMethodEvent committed;
            committed.setCommitString(text);
            QApplication::sendEvent(QApplication::focusObject(), &committed);
            break;
        }
        }
        QApplication::processEvents();

        QCOMPARE(combo->currentText(), picked);
        QCOMPARE(field->text(), picked);
        QCOMPARE(allPoints(m_window), points);
        QCOMPARE(m_window->findChild<QLineEdit *>(QStringLiteral("txt_Total"))->text(), total);
        // The list still picks as before.
        QVERIFY(pickWithKeys(combo, combo->itemText(combo->count() - 1)));
        QCOMPARE(field->text(), combo->itemText(combo->count() - 1));
    }
};

QTEST_MAIN(TestCalculatorPaste)
#include "tst_calculatorpaste.moc"
