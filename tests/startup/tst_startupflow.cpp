#include "documents/documentstore.h"
#include "platform/fonts.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "platform/windowregistry.h"
#include "startup/aboutwindow.h"
#include "startup/startupwindow.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextFrame>
#include <QWindow>

#include <functional>

using namespace sweltra;
using platform::RichTextBox;
using platform::WindowKind;
using platform::WindowRegistry;

namespace {

const QString startupName = QStringLiteral("frmVESKsplash");
const QString aboutName = QStringLiteral("frmVeskAbout");
const QString calculatorName = QStringLiteral("frm_Sweltra");

// The names of the windows on screen, sorted.
QStringList openWindows() {
    QStringList names;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            names << window->objectName();
        }
    }
    names.sort();
    return names;
}

// Sees the application's request to end itself.
class QuitWatcher : public QObject {
public:
    bool seen = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
            seen = true;
        }
        return false;
    }
};

// Runs the action inside the application's own event loop, as the program runs, and tells
// whether the application then asked to quit, as it does once its last window has closed.
bool quitsAfter(const std::function<void()> &action) {
    QuitWatcher watcher;
    QCoreApplication::instance()->installEventFilter(&watcher);
    QObject context;
    QMetaObject::invokeMethod(
        &context,
        [&] {
            action();
            QMetaObject::invokeMethod(
                &context, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    QApplication::exec();
    // A request to quit may still wait in the queue.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return watcher.seen;
}

QWidget *controlOf(WindowKind kind, const QString &name) {
    QWidget *window = WindowRegistry::find(kind);
    return window ? window->findChild<QWidget *>(name) : nullptr;
}

// A key as the user types it: it goes to the control that has the focus in the window.
void type(WindowKind kind, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget *window = WindowRegistry::find(kind);
    QWidget *target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key, modifiers);
}

void focus(WindowKind kind, const QString &name) {
    QWidget *control = controlOf(kind, name);
    QVERIFY2(control, qPrintable(name));
    control->setFocus(Qt::OtherFocusReason);
}

QString focusedName(WindowKind kind) {
    QWidget *window = WindowRegistry::find(kind);
    return window && window->focusWidget() ? window->focusWidget()->objectName() : QString();
}

void click(WindowKind kind, const QString &name) {
    QTest::mouseClick(controlOf(kind, name), Qt::LeftButton);
}

// A key column holds 0 for a mouse click on the control instead.
void pressOrClick(WindowKind kind, const QString &control, int key) {
    if (key == 0) {
        click(kind, control);
    } else {
        focus(kind, control);
        type(kind, Qt::Key(key));
    }
}

RichTextBox *disclaimer() {
    return qobject_cast<RichTextBox *>(controlOf(WindowKind::About, QStringLiteral("txtDisclaimer")));
}

} // namespace

class TestStartupFlow : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    QTemporaryDir m_emptyFolder;
    int m_startupsMade = 0;
    int m_calculatorsMade = 0;

    // Starts the program: the start-up window and nothing else.
    void launch() {
        QVERIFY(!quitsAfter([] { WindowRegistry::show(WindowKind::Startup); }));
        QCOMPARE(openWindows(), QStringList{startupName});
    }

    void openConditions() {
        QVERIFY(!quitsAfter([] { click(WindowKind::Startup, QStringLiteral("cmdDisclaimer")); }));
        QCOMPARE(openWindows(), QStringList{aboutName});
    }

private slots:
    void initTestCase() {
        platform::installFontSubstitutes();
        QVERIFY(m_folder.isValid() && m_emptyFolder.isValid());
        // Long enough to scroll, so "shown from its start" means something.
        QByteArray rtf = "{\\rtf1\\ansi First line of the conditions.\\par\n";
        for (int line = 2; line <= 200; ++line) {
            rtf += "Line " + QByteArray::number(line) + " of the conditions.\\par\n";
        }
        rtf += "}";
        QFile file(m_folder.filePath(QStringLiteral("VESK Disclaimer-Setup.rtf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(rtf), rtf.size());
    }

    void init() {
        platform::setProgramFolderForTesting(m_folder.path());
        m_startupsMade = 0;
        m_calculatorsMade = 0;
        WindowRegistry::setFactory(WindowKind::Startup, [this] {
            auto *window = new startup::StartupWindow;
            window->setProperty("serial", ++m_startupsMade);
            return window;
        });
        WindowRegistry::setFactory(WindowKind::About, [] { return new startup::AboutWindow; });
        WindowRegistry::setFactory(WindowKind::Calculator, [this] {
            ++m_calculatorsMade;
            auto *calculator = new QWidget;
            calculator->setObjectName(calculatorName);
            return calculator;
        });
    }

    void cleanup() {
        WindowRegistry::reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::setProgramFolderForTesting({});
    }

    void launchShowsOnlyTheStartupWindowCentred() {
        launch();
        QWidget *window = WindowRegistry::find(WindowKind::Startup);
        QCOMPARE(focusedName(WindowKind::Startup), QStringLiteral("cmdDisclaimer"));
        // The frame is placed before its size is known: allow for it.
        const QPoint offset = window->geometry().center() - window->screen()->availableGeometry().center();
        const QMargins frame = window->windowHandle()->frameMargins();
        QVERIFY2(qAbs(offset.x()) <= frame.left() + 1 && qAbs(offset.y()) <= frame.top() + 1, "not centred");
    }

    // Moving the focus is not typing a character: the window stays.
    void focusMoves_data() {
        QTest::addColumn<bool>("inAbout");
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("to");
        const int none = Qt::NoModifier;
        const int shift = Qt::ShiftModifier;
        QTest::newRow("Tab from Readme")
            << false << "cmdDisclaimer" << int(Qt::Key_Tab) << none << "cmdDecline";
        QTest::newRow("Tab from Decline") << false << "cmdDecline" << int(Qt::Key_Tab) << none << "cmdAccept";
        QTest::newRow("Tab from Accept wraps")
            << false << "cmdAccept" << int(Qt::Key_Tab) << none << "cmdDisclaimer";
        QTest::newRow("Shift+Tab from Readme")
            << false << "cmdDisclaimer" << int(Qt::Key_Backtab) << shift << "cmdAccept";

        QTest::newRow("right arrow") << false << "cmdDisclaimer" << int(Qt::Key_Right) << none
                                     << "cmdDecline";
        QTest::newRow("up arrow") << false << "cmdAccept" << int(Qt::Key_Up) << none << "cmdDecline";
        QTest::newRow("function key") << false << "cmdAccept" << int(Qt::Key_F1) << none << "cmdAccept";

        QTest::newRow("About: Tab from Back") << true << "cmdOK" << int(Qt::Key_Tab) << none << "picNoMelt9";

        QTest::newRow("About: Tab from picture")
            << true << "picNoMelt9" << int(Qt::Key_Tab) << none << "txtDisclaimer";
        QTest::newRow("About: Tab from text")
            << true << "txtDisclaimer" << int(Qt::Key_Tab) << none << "cmdOK";
        QTest::newRow("About: Shift+Tab from Back")
            << true << "cmdOK" << int(Qt::Key_Backtab) << shift << "txtDisclaimer";
    }
    void focusMoves() {
        QFETCH(bool, inAbout);
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, to);
        const WindowKind kind = inAbout ? WindowKind::About : WindowKind::Startup;
        launch();
        if (inAbout) {
            openConditions();
        }
        QVERIFY(!quitsAfter([&] {
            focus(kind, from);
            type(kind, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        }));
        QCOMPARE(focusedName(kind), to);
        QCOMPARE(openWindows().size(), 1);
    }

    // Any character typed on the start-up window declines, whichever button has the focus.
    void characterKeysEndTheProgram_data() {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("letter on Readme") << "cmdDisclaimer" << int(Qt::Key_A) << int(Qt::NoModifier);
        QTest::newRow("capital on Accept") << "cmdAccept" << int(Qt::Key_Q) << int(Qt::ShiftModifier);
        QTest::newRow("digit on Accept") << "cmdAccept" << int(Qt::Key_7) << int(Qt::NoModifier);
        QTest::newRow("comma on Decline") << "cmdDecline" << int(Qt::Key_Comma) << int(Qt::NoModifier);
        QTest::newRow("Esc on Accept") << "cmdAccept" << int(Qt::Key_Escape) << int(Qt::NoModifier);
        QTest::newRow("Backspace on Readme")
            << "cmdDisclaimer" << int(Qt::Key_Backspace) << int(Qt::NoModifier);
    }
    void characterKeysEndTheProgram() {
        QFETCH(QString, focused);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        launch();
        QVERIFY(quitsAfter([&] {
            focus(WindowKind::Startup, focused);
            type(WindowKind::Startup, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        }));
        QCOMPARE(openWindows(), QStringList());
        QCOMPARE(m_calculatorsMade, 0);
    }

    // Enter and the space bar press the focused button instead of declining.
    void enterAndSpacePressTheFocusedButton_data() {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("windows");
        QTest::addColumn<bool>("quits");
        const QStringList about{aboutName};
        const QStringList calculator{calculatorName};
        QTest::newRow("Enter on Readme") << "cmdDisclaimer" << int(Qt::Key_Return) << about << false;
        QTest::newRow("keypad Enter on Readme") << "cmdDisclaimer" << int(Qt::Key_Enter) << about << false;
        QTest::newRow("space on Readme") << "cmdDisclaimer" << int(Qt::Key_Space) << about << false;
        QTest::newRow("Enter on Accept") << "cmdAccept" << int(Qt::Key_Return) << calculator << false;
        QTest::newRow("space on Accept") << "cmdAccept" << int(Qt::Key_Space) << calculator << false;
        QTest::newRow("Enter on Decline") << "cmdDecline" << int(Qt::Key_Return) << QStringList() << true;
        QTest::newRow("space on Decline") << "cmdDecline" << int(Qt::Key_Space) << QStringList() << true;
    }
    void enterAndSpacePressTheFocusedButton() {
        QFETCH(QString, focused);
        QFETCH(int, key);
        QFETCH(QStringList, windows);
        QFETCH(bool, quits);
        launch();
        QCOMPARE(quitsAfter([&] { pressOrClick(WindowKind::Startup, focused, key); }), quits);
        QCOMPARE(openWindows(), windows);
    }

    void leavingWithoutAccepting_data() {
        QTest::addColumn<bool>("fromAbout");
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("Decline clicked") << false << false;
        QTest::newRow("start-up closed from its frame") << false << true;
        QTest::newRow("About closed from its frame") << true << true;
    }
    void leavingWithoutAccepting() {
        QFETCH(bool, fromAbout);
        QFETCH(bool, byFrame);
        launch();
        if (fromAbout) {
            openConditions();
        }
        const WindowKind kind = fromAbout ? WindowKind::About : WindowKind::Startup;
        QVERIFY(quitsAfter([&] {
            if (byFrame) {
                WindowRegistry::find(kind)->windowHandle()->close();
            } else {
                click(kind, QStringLiteral("cmdDecline"));
            }
        }));
        QCOMPARE(openWindows(), QStringList());
        QCOMPARE(m_calculatorsMade, 0);
        QCOMPARE(m_startupsMade, 1);
    }

    void readmeShowsTheConditionsFromTheirStart() {
        launch();
        QPointer<QWidget> startup = WindowRegistry::find(WindowKind::Startup);
        openConditions();
        QVERIFY(startup.isNull());
        RichTextBox *box = disclaimer();
        QVERIFY(box);
        QVERIFY(box->Text().contains(QStringLiteral("First line of the conditions.")));
        QVERIFY2(box->verticalScrollBar()->maximum() > 0, "the document should need scrolling");
        QCOMPARE(box->verticalScrollBar()->value(), 0);
        QCOMPARE(box->SelStart(), 0);
        QCOMPARE(box->SelLength(), 0);
        QCOMPARE(focusedName(WindowKind::About), QStringLiteral("cmdOK"));
    }

    void readmeWithoutTheDocumentStillOpens() {
        platform::setProgramFolderForTesting(m_emptyFolder.path());
        launch();
        openConditions();
        QVERIFY(disclaimer()->Text().contains(QStringLiteral("VESK Disclaimer-Setup.rtf")));
        QCOMPARE(focusedName(WindowKind::About), QStringLiteral("cmdOK"));
        QVERIFY(!quitsAfter([] { click(WindowKind::About, QStringLiteral("cmdOK")); }));
        QCOMPARE(openWindows(), QStringList{startupName});
    }

    // Every new text is given its margins and shown from its start, nothing selected, in focus.
    void changeHandlerShowsEachTextFromItsStart() {
        startup::AboutWindow about;
        auto *box = about.findChild<RichTextBox *>(QStringLiteral("txtDisclaimer"));
        auto *back = about.findChild<QWidget *>(QStringLiteral("cmdOK"));
        box->setText(QStringLiteral("An earlier text, long enough to place the caret in it."));
        box->setSelStart(20);
        box->setSelLength(10);
        back->setFocus();
        documents::loadDocument(*box, documents::conditionsOfUse);
        QVERIFY(box->Text().contains(QStringLiteral("Line 200 of the conditions.")));
        QCOMPARE(box->SelStart(), 0);
        QCOMPARE(box->SelLength(), 0);
        QCOMPARE(about.focusWidget(), box);
        const QTextFrameFormat frame = box->document()->rootFrame()->frameFormat();
        QCOMPARE(frame.leftMargin(), 7.0);
        QCOMPARE(frame.rightMargin(), 7.0);
    }

    // Back is the default and the cancel button: Enter and Esc press it wherever no control
    // takes the key, and each time a new start-up window opens.
    void backReturnsToAFreshStartupWindow_data() {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("key");
        QTest::newRow("click on Back") << "cmdOK" << 0;
        QTest::newRow("Esc on Back") << "cmdOK" << int(Qt::Key_Escape);
        QTest::newRow("Enter on Back") << "cmdOK" << int(Qt::Key_Return);
        QTest::newRow("keypad Enter on Back") << "cmdOK" << int(Qt::Key_Enter);
        QTest::newRow("space on Back") << "cmdOK" << int(Qt::Key_Space);
        QTest::newRow("Enter on the picture") << "picNoMelt9" << int(Qt::Key_Return);
        QTest::newRow("Esc on the picture") << "picNoMelt9" << int(Qt::Key_Escape);
        QTest::newRow("Enter in the read-only text") << "txtDisclaimer" << int(Qt::Key_Return);
        QTest::newRow("Esc in the read-only text") << "txtDisclaimer" << int(Qt::Key_Escape);
    }
    void backReturnsToAFreshStartupWindow() {
        QFETCH(QString, focused);
        QFETCH(int, key);
        launch();
        openConditions();
        QVERIFY(!quitsAfter([&] { pressOrClick(WindowKind::About, focused, key); }));
        QCOMPARE(openWindows(), QStringList{startupName});
        QCOMPARE(WindowRegistry::find(WindowKind::Startup)->property("serial").toInt(), 2);
        QCOMPARE(focusedName(WindowKind::Startup), QStringLiteral("cmdDisclaimer"));
    }

    void openingTheConditionsAgainStartsAtTheTop() {
        launch();
        openConditions();
        // Read to the end and select a little.
        QVERIFY(!quitsAfter([] {
            focus(WindowKind::About, QStringLiteral("txtDisclaimer"));
            type(WindowKind::About, Qt::Key_End, Qt::ControlModifier);
            type(WindowKind::About, Qt::Key_Up, Qt::ShiftModifier);
        }));
        QVERIFY(disclaimer()->verticalScrollBar()->value() > 0);
        QVERIFY(disclaimer()->SelLength() > 0);
        QVERIFY(!quitsAfter([] { click(WindowKind::About, QStringLiteral("cmdOK")); }));
        openConditions();
        QCOMPARE(disclaimer()->verticalScrollBar()->value(), 0);
        QCOMPARE(disclaimer()->SelStart(), 0);
        QCOMPARE(disclaimer()->SelLength(), 0);
    }

    // Until Accept exactly one of the two windows is open; after it, only the calculator.
    void acceptLeavesOnlyTheCalculator_data() {
        QTest::addColumn<int>("visits");
        QTest::newRow("straight away") << 0;
        QTest::newRow("after reading the conditions") << 1;
        QTest::newRow("after reading them three times") << 3;
    }
    void acceptLeavesOnlyTheCalculator() {
        QFETCH(int, visits);
        launch();
        for (int visit = 0; visit < visits; ++visit) {
            openConditions();
            QVERIFY(!quitsAfter([] { type(WindowKind::About, Qt::Key_Escape); }));
            QCOMPARE(openWindows(), QStringList{startupName});
        }
        QCOMPARE(m_startupsMade, visits + 1);
        QVERIFY(!quitsAfter([] { click(WindowKind::Startup, QStringLiteral("cmdAccept")); }));
        QCOMPARE(openWindows(), QStringList{calculatorName});
        QCOMPARE(WindowRegistry::find(WindowKind::Startup), nullptr);
        QCOMPARE(WindowRegistry::find(WindowKind::About), nullptr);
        QCOMPARE(m_calculatorsMade, 1);
    }
};

QTEST_MAIN(TestStartupFlow)
#include "tst_startupflow.moc"
