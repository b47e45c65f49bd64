// The calculator driven as a user drives it: picks, text refused, commands, the viewer hand-off.

#include "calculatortesting.h"
#include "documents/documentstore.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "platform/utf8.h"
#include "risk/catalogue.h"
#include "risk/wbgt.h"
#include "support/picks.h"
#include "viewer/viewerwindow.h"
#include "windows/windowkinds.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <numeric>

using namespace calculatortesting;
using namespace sweltra::platform;
using namespace sweltra;

namespace {

// What each test document says: its own name, so the test sees which one was loaded.
QString mark(documents::Document document) {
    return documents::fileName(document).chopped(4);
}

// Picks with the mouse the entries on the temperature scale `scale` whose points add up to `total`,
// the factor `skip` aside.
bool pickSum(QWidget *window, const QString &scale, int total, const QString &skip = {}) {
    const auto picked = picks::forTotal(total, *risk::findFactor(scale.toStdString()));
    return picked && pickAll(window, *picked, skip);
}

// Text in quotes is typed; <drop> drops and <input method> composes the clipboard's text; else a key.
void act(QComboBox *combo, const QString &stroke) {
    QLineEdit *field = combo->lineEdit();
    const QPoint inside = field->rect().center();
    QWidget *target = combo->view()->isVisible() ? combo->view() : static_cast<QWidget *>(combo);
    QMimeData data;
    data.setText(QApplication::clipboard()->text());
    QDragEnterEvent enter(inside, Qt::CopyAction, &data, Qt::LeftButton, {});
    QDropEvent drop(QPointF(inside), Qt::CopyAction, &data, Qt::LeftButton, {});
    QInputMethodEvent composing(data.text(), {}), committed;
    committed.setCommitString(data.text());
    if (stroke.startsWith(QLatin1Char('"'))) {
        QTest::keyClicks(target, stroke.mid(1).chopped(1));
        QTest::keyClicks(target == combo ? field : target, stroke.mid(1).chopped(1));
    } else if (stroke == QLatin1String("<drop>")) {
        // A drop arrives only where the drag was let in.
        QApplication::sendEvent(field, &enter);
        enter.isAccepted() && QApplication::sendEvent(field, &drop);
    } else if (stroke == QLatin1String("<input method>")) {
        // While it composes, the field does not show the text either.
        const QImage looks = field->grab().toImage();
        QApplication::sendEvent(QApplication::focusObject(), &composing);
        QVERIFY(field->grab().toImage() == looks);
        QApplication::sendEvent(QApplication::focusObject(), &committed);
    } else {
        // With Ctrl a letter types its control character, as a keyboard does.
        const QKeyCombination key = QKeySequence(stroke)[0];
        const int mask = key.keyboardModifiers() == Qt::ControlModifier ? 0x1f : 0x7f;
        QTest::sendKeyEvent(QTest::Click, target, key.key(), char(QTest::keyToAscii(key.key()) & mask),
                            key.keyboardModifiers());
    }
    QApplication::processEvents();
}

} // namespace

class TestCalculator : public QObject {
    Q_OBJECT
    QWidget *m_window = nullptr;
    QTemporaryDir m_folder;
    QStringList m_messages;

    // The button by its caption and the total in the box next to it, as the user finds them.
    QPushButton *calculateButton() const { return captioned<QPushButton>(m_window, "Calculate Total:"); }
    QLineEdit *total() const { return qobject_cast<QLineEdit *>(nearestBeside<QWidget>(calculateButton())); }
    RichTextBox *guidelines() const { return m_window->findChild<RichTextBox *>("txtGuidelines"); }
    void click(const QString &n) { QTest::mouseClick(m_window->findChild<QWidget *>(n), Qt::LeftButton); }
private slots:
    void initTestCase() {
        installFontSubstitutes();
        QApplication::setCursorFlashTime(0); // a steady caret, for the input method's before and after
        setProgramFolderForTesting(m_folder.path());
        for (const documents::Document document : documents::allDocuments) {
            QFile file(documents::documentPath(document));
            QVERIFY(file.open(QIODevice::WriteOnly) &&
                    file.write("{\\rtf1\\ansi " + mark(document).toLatin1() + "\\par}"));
        }
        windows::registerWindowKinds(); // the program's title, the box's caption
    }
    void init() {
        m_messages.clear();
        setMessageObserver([this](const QString &message) { m_messages << message; });
        WindowRegistry::setFactory(WindowKind::Viewer, [] { return new viewer::frmReadMeViewer; });
        WindowRegistry::setFactory(WindowKind::Calculator, [] { return new calculator::CalculatorWindow; });
        m_window = WindowRegistry::show(WindowKind::Calculator);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QCOMPARE(QApplication::focusWidget()->objectName(), "cmd_Back_to_Directory");
        for (const QWidget *control : m_window->findChildren<QWidget *>()) // every tip a whole sentence
            QVERIFY2(QRegularExpression("^([A-Z].*[.\"])?$").match(control->toolTip()).hasMatch(),
                     qPrintable(control->toolTip()));
    }
    void cleanup() { WindowRegistry::reset(); }

    // Every entry of every list, from none chosen, every other one by the arrow key from the one
    // before: the list beside or under the factor's caption holds its entries; a pick shows the
    // catalogue's points in the box on the list's right on its row and in no other, and a pick on
    // one temperature scale makes the other unavailable.
    void pickShowsPointsBesideItsList_data() {
        QTest::addColumn<QString>("key");
        for (const risk::RiskFactor &factor : risk::factors())
            QTest::newRow(factor.key.data()) << qs(factor.key);
    }
    void pickShowsPointsBesideItsList() {
        QFETCH(QString, key);
        const risk::RiskFactor *factor = risk::findFactor(key.toStdString());
        auto *combo = nearestBeside<QComboBox>(captioned<QLabel>(m_window, qs(factor->caption)), true);
        QVERIFY2(combo, qPrintable(qs(factor->caption)));
        QLineEdit *box = nearestBeside<QLineEdit>(combo);
        for (std::size_t i = 0; i < factor->options.size(); ++i) {
            const QString text = qs(factor->options[i].text),
                          points = qs(risk::pointsText(factor->options[i]));
            if (i % 2)
                QTest::keyClick(combo, Qt::Key_Down);
            else
                QVERIFY(pickWithMouse(combo, text));
            QCOMPARE(combo->currentText(), text);
            QCOMPARE(box ? box->text() : QString(), points);
            QCOMPARE(allPoints(m_window).join(QString()), points);
            const int enabled = combo->isEnabled() + list(m_window, "WBGT")->isEnabled() +
                                list(m_window, "Dry_Bulb")->isEnabled();
            QCOMPARE(enabled, factor->role == risk::Role::TemperatureScale ? 2 : 3);
        }
    }
    // Only a pick changes a list: not typed, pasted, dropped or composed text, not its own entry.
    void onlyPicksChangeAList_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("picked");
        QTest::addColumn<QStringList>("strokes");
        QTest::addColumn<int>("expected");
        QTest::newRow("letters over a pick") << "Age" << 1 << QStringList{"\"Over\""} << 1;
        QTest::newRow("digits, degree sign") << "WBGT" << -1 << QStringList{"\"25\u00B0\""} << -1;
        QTest::newRow("Backspace over a pick") << "Ability" << 0 << QStringList{"Backspace"} << 0;
        QTest::newRow("Ctrl+X over a pick") << "Surface" << 2 << QStringList{"Ctrl+X"} << 2;
        QTest::newRow("Ctrl+A selects nothing") << "Age" << 1 << QStringList{"End", "Ctrl+A", "Delete"} << 1;
        QTest::newRow("letters in the open list") << "Time" << 0 << QStringList{"F4", "\"O\"", "Esc"} << 0;
        QTest::newRow("F4, Enter picks") << "Surface" << -1 << QStringList{"F4", "Down", "Return"} << 1;
        QTest::newRow("Alt+Down, Enter") << "Drinks" << 1 << QStringList{"Alt+Down", "Down", "Enter"} << 2;
        QTest::newRow("Shift+Insert, empty list") << "Surface" << -1 << QStringList{"Shift+Ins"} << -1;
        QTest::newRow("drop over a pick") << "Time" << 1 << QStringList{"<drop>"} << 1;
        QTest::newRow("input method over a pick") << "Drinks" << 0 << QStringList{"<input method>"} << 0;
    }
    void onlyPicksChangeAList() {
        QFETCH(QString, key);
        QFETCH(int, picked);
        QFETCH(QStringList, strokes);
        QFETCH(int, expected);
        QComboBox *combo = list(m_window, key);
        QVERIFY(picked < 0 || pickWithMouse(combo, combo->itemText(picked)));
        QApplication::clipboard()->setText(combo->itemText(combo->count() - 1));
        QStringList before = allPoints(m_window);
        combo->setFocus();
        combo->lineEdit()->selectAll();
        std::for_each(strokes.begin(), strokes.end(), [combo](const QString &stroke) { act(combo, stroke); });
        QCOMPARE(combo->currentIndex(), expected);
        QCOMPARE(combo->lineEdit()->text(), expected < 0 ? QString() : combo->itemText(expected));
        QCOMPARE(allPoints(m_window) == before, expected == picked);
    }
    // Catalogue picks adding up to the bands' edges, a factor missing, a medical condition.
    void calculate_data() {
        QTest::addColumn<QString>("scale");
        QTest::addColumn<int>("sum");
        QTest::addColumn<QString>("change");  // a factor left out, or the medical entry picked
        QTest::addColumn<QString>("outcome"); // the document's mark, or the message
        using documents::Document;
        // A total per band, the lowest and highest among them: the bands' edges are the core's.
        const std::pair<int, Document> edges[] = {{18, Document::Band55andBelow},
                                                  {65, Document::Band56to65},
                                                  {74, Document::Band66to74},
                                                  {98, Document::TopBand}};
        for (const auto &[sum, document] : edges) {
            QTest::addRow("%d", sum) << (sum % 2 ? "WBGT" : "Dry_Bulb") << sum << "" << mark(document);
        }
        QTest::newRow("no venue") << "WBGT" << 50 << QString("Venue") << "Please add Venue data.";
        for (const risk::FactorOption &option : risk::findFactor("Medical")->options) {
            if (std::holds_alternative<risk::Referral>(option.points)) {
                QTest::newRow(qPrintable(qs(option.text)))
                    << "WBGT" << 50 << qs(option.text) << mark(documents::Document::MedicalConditions);
            }
        }
    }
    void calculate() {
        QFETCH(QString, scale);
        QFETCH(int, sum);
        QFETCH(QString, change);
        QFETCH(QString, outcome);
        QVERIFY(pickSum(m_window, scale, sum, change));
        QVERIFY(change.isEmpty() || risk::findFactor(change.toStdString()) ||
                pickWithMouse(list(m_window, "Medical"), change));
        total()->setText(" 40");
        QStringList totalAtLoad;
        connect(guidelines(), &RichTextBox::Change, this, [&] { totalAtLoad << total()->text(); });
        QTest::mouseClick(calculateButton(), Qt::LeftButton);
        const bool message = outcome.startsWith(QLatin1String("Please"));
        QCOMPARE(m_messages, message ? QStringList{outcome} : QStringList());
        QVERIFY2(message || guidelines()->Text().contains(outcome), qPrintable(guidelines()->Text()));
        QCOMPARE(totalAtLoad, message ? QStringList()
                                      : QStringList{change.isEmpty() ? " " + QString::number(sum) : " 40"});
    }

    // The WBGT estimate, opened by key or either temperature list's menu, typed in, used or cancelled,
    // read back as drawn; closed to an air temperature until Reset.
    void estimateWbgt_data() {
        QTest::addColumn<QString>("opener");    // a key, or a list whose menu opens it
        QTest::addColumn<QStringList>("typed"); // temperature, humidity, what closes it; a locale
        QTest::addColumn<int>("refused");       // the field refused: 0 none, 1 temperature, 2 humidity
        QTest::newRow("humid 28, used") << "Ctrl+E" << QStringList{"28", "90", "Return"} << 0;
        QTest::newRow("dry 32, WBGT list's menu") << "WBGT" << QStringList{"32", "20", "Return"} << 0;
        QTest::newRow("decimal comma, German")
            << "Dry_Bulb" << QStringList{"27,5", "55.5", "Return", "de"} << 0;
        QTest::newRow("too hot, Return refused") << "Ctrl+E" << QStringList{"50.5", "50", "Return"} << 1;
        QTest::newRow("humidity not a number") << "Ctrl+E" << QStringList{"30", "1,5,", "Escape"} << 2;
        QTest::newRow("cancelled") << "WBGT" << QStringList{"28", "90", "Cancel"} << 0;
        QTest::newRow("air temperature chosen") << "Dry_Bulb" << QStringList{"", "", "", "air"} << 0;
    }
    void estimateWbgt() {
        QFETCH(QString, opener);
        QFETCH(QStringList, typed);
        QFETCH(int, refused);
        const bool air = typed.value(3) == "air", key = opener.startsWith("Ctrl");
        QLocale::setDefault(QLocale(typed.value(3) == "de" ? QLocale::German : QLocale::English));
        QVERIFY(pickSum(m_window, "WBGT", 50, "WBGT") &&
                (!air || pickWithMouse(list(m_window, "Dry_Bulb"), "<24\u00B0C")));
        const QStringList points = allPoints(m_window);
        const int others = std::accumulate(points.begin(), points.end(), 0,
                                           [](int sum, auto &p) { return sum + p.toInt(); });
        QLineEdit *field = list(m_window, key ? "Age" : opener)->lineEdit();
        QContextMenuEvent request(QContextMenuEvent::Mouse, {}, field->mapToGlobal(QPoint()));
        key ? QTest::keySequence(field, opener) : void(QApplication::sendEvent(field, &request));
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            QAction *command = menu->actions().constLast();
            QVERIFY(menu->actions().size() > 3 && command->shortcut() == QKeySequence("Ctrl+E") &&
                    command->text().contains(air ? "Reset"
                                                 : "Estimate WBGT from temperature and humidity\u2026"));
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(command).center());
        }
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QCOMPARE(!dialog, air);
        const QList<QLineEdit *> fields = dialog ? dialog->findChildren<QLineEdit *>() : QList<QLineEdit *>();
        for (QLineEdit *each : fields) {
            QTest::keyClicks(each, typed[fields.indexOf(each)]);
            QCOMPARE(nearestBeside<QLabel>(each)->text().isEmpty(), refused != fields.indexOf(each) + 1);
        }
        for (QWidget *each :
             dialog ? dialog->findChildren<QWidget *>() : QList<QWidget *>()) // a screen reader's
            QVERIFY(each->focusPolicy() == Qt::NoFocus ||
                    !QAccessible::queryAccessibleInterface(each)->text(QAccessible::Name).isEmpty());
        const auto estimate =
            risk::estimateWbgt({QString(typed[0]).replace(',', '.').toDouble(), typed[1].toDouble()});
        const auto *found = dialog && !refused ? std::get_if<risk::WbgtEstimate>(&estimate) : nullptr;
        const risk::FactorOption *option =
            found ? &risk::findFactor("WBGT")->options[found->option] : nullptr;
        if (dialog) {
            QCOMPARE(captioned<QPushButton>(dialog, "&Use this")->isEnabled(), bool(found));
            const QString shown = option ? QLocale().toString(found->wbgt, 'f', 1) +
                                               " \u00B0C, which falls in \u201c" + qs(option->text)
                                         : "Type both";
            QVERIFY(std::ranges::any_of(dialog->findChildren<QLabel *>(),
                                        [&](QLabel *label) { return label->text().contains(shown); }));
            if (typed[2] == "Cancel") {
                QPushButton *cancel =
                    dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel);
                QVERIFY(cancel);
                QTest::mouseClick(cancel, Qt::LeftButton);
            } else {
                QTest::keyClick(fields[1], typed[2] == "Return" ? Qt::Key_Return : Qt::Key_Escape);
            }
            QCOMPARE(dialog->isVisible(), refused && typed[2] == "Return");
        }
        const bool used = found && typed[2] == "Return";
        QCOMPARE(nearestBeside<QLineEdit>(list(m_window, "WBGT"))->text(),
                 used ? qs(risk::pointsText(*option)) : "");
        QCOMPARE(list(m_window, "Dry_Bulb")->isEnabled(), !used);
        QTest::mouseClick(calculateButton(), Qt::LeftButton);
        QCOMPARE(total()->text() + m_messages.join(""),
                 used || air ? QString(" %1").arg(others + (used ? std::get<int>(option->points) : 0))
                             : "Please add Temperature data.");
    }

    // Reset empties all and frees both scales; the viewer, handed "*" or the guidelines, outlives it.
    void resetViewerExit_data() {
        QTest::addColumn<QString>("scale");
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("button");
        QTest::newRow("wet bulb, * twice") << "WBGT" << mark(documents::Document::Asterisk) << "cmd_asterisk";
        QTest::newRow("air, guide") << "Dry_Bulb" << mark(documents::Document::FullGuidelines)
                                    << "cmd_SMA_Guidelines";
    }
    void resetViewerExit() {
        QFETCH(QString, scale);
        QFETCH(QString, document);
        QFETCH(QString, button);
        QVERIFY(pickSum(m_window, scale, 50) &&
                pickWithMouse(list(m_window, "Other"), list(m_window, "Other")->itemText(1)));
        click("cmd_Calculate");
        click("cmd_asterisk");
        auto *box = WindowRegistry::find(WindowKind::Viewer)->findChild<RichTextBox *>("txtAirportHazards");
        box->setText(QStringLiteral("line\n").repeated(200));
        click(button);
        QVERIFY2(box->isVisible() && box->Text().contains(document), qPrintable(box->Text()));
        QCOMPARE(box->window()->findChild<QLineEdit *>("txtLocator")->text(), "Sweltra");
        click("cmd_Reset");
        QTest::keySequence(m_window, QKeySequence("Ctrl+E")); // the estimate is open to both scales again
        QVERIFY(QApplication::activeModalWidget() && QApplication::activeModalWidget()->close());
        QCOMPARE(allPoints(m_window).join(QString()) + total()->text() + guidelines()->Text(), QString());
        for (QComboBox *combo : m_window->findChildren<QComboBox *>()) {
            QVERIFY(combo->currentIndex() == -1 && combo->currentText().isEmpty() && combo->isEnabled());
        }
        // Enter works the focused button though the window has no default button.
        QTest::keyClick(m_window->findChild<QWidget *>("cmd_Back_to_Directory"), Qt::Key_Return);
        QTRY_VERIFY(!WindowRegistry::find(WindowKind::Calculator));
        QVERIFY(box->isVisible());
    }
};

QTEST_MAIN(TestCalculator)
#include "tst_calculator.moc"
