#include "platform/fonts.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "platform/twips.h"
#include "platform/windowregistry.h"
#include "startup/aboutwindow.h"
#include "startup/startupwindow.h"
#include "sweltraconfig.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextFrame>

#include <functional>

using namespace sweltra;
using platform::WindowKind;
using platform::WindowRegistry;

namespace {

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

// Sees the application's request to end itself, as made once its last window has closed.
class QuitWatcher : public QObject {
public:
    bool seen = false;
    bool eventFilter(QObject *watched, QEvent *event) override {
        seen = seen || (watched == qApp && event->type() == QEvent::Quit);
        return false;
    }
};

// Runs the action inside the application's own event loop, as the program runs, and tells
// whether the application then asked to quit.
bool quitsAfter(const std::function<void()> &action) {
    QuitWatcher watcher;
    qApp->installEventFilter(&watcher);
    QMetaObject::invokeMethod(
        &watcher,
        [&] {
            action();
            QMetaObject::invokeMethod(
                &watcher, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    QApplication::exec();
    // A request to quit may still wait in the queue.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return watcher.seen;
}

// The user presses a key on the named control of the window, or clicks it when the key is 0.
void press(WindowKind kind, const char *name, int key) {
    QWidget *control = WindowRegistry::find(kind)->findChild<QWidget *>(QLatin1String(name));
    QVERIFY2(control, name);
    if (key == 0) {
        QTest::mouseClick(control, Qt::LeftButton);
    } else {
        control->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(control, Qt::Key(key));
    }
}

} // namespace

class TestStartupFlow : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    int m_startupsMade = 0;

private slots:
    void initTestCase() {
        platform::installFontSubstitutes();
        // Long enough to scroll, so "shown from its start" means something.
        QByteArray rtf = "{\\rtf1\\ansi First line of the conditions.\\par\n";
        for (int line = 2; line <= 200; ++line) {
            rtf += "More of the conditions.\\par\n";
        }
        QFile file(m_folder.filePath(QStringLiteral("VESK Disclaimer-Setup.rtf")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(rtf + "}") > 0);
        platform::setProgramFolderForTesting(m_folder.path());
    }

    void init() {
        m_startupsMade = 0;
        WindowRegistry::setFactory(WindowKind::Startup, [this] {
            ++m_startupsMade;
            return new startup::StartupWindow;
        });
        WindowRegistry::setFactory(WindowKind::About, [] { return new startup::AboutWindow; });
        WindowRegistry::setFactory(WindowKind::Calculator, [] {
            auto *calculator = new QWidget;
            calculator->setObjectName(QStringLiteral("frm_Sweltra"));
            return calculator;
        });
        QVERIFY(!quitsAfter([] { WindowRegistry::show(WindowKind::Startup); }));
        QCOMPARE(openWindows(), QStringList{"frmVESKsplash"});
        QCOMPARE(WindowRegistry::find(WindowKind::Startup)->windowTitle(), QString());
    }

    void cleanup() { WindowRegistry::reset(); }

    // Accept, Decline and Readme, clicked or pressed; any character declines, wherever the focus is.
    void startupChoices_data() {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("opens");
        const QString none, about("frmVeskAbout"), calculator("frm_Sweltra"), startup("frmVESKsplash");
        QTest::newRow("Accept clicked") << QByteArray("cmdAccept") << 0 << calculator;
        QTest::newRow("Decline clicked") << QByteArray("cmdDecline") << 0 << none;
        QTest::newRow("Readme clicked") << QByteArray("cmdDisclaimer") << 0 << about;
        QTest::newRow("letter on Readme") << QByteArray("cmdDisclaimer") << int(Qt::Key_A) << none;
        QTest::newRow("digit on Accept") << QByteArray("cmdAccept") << int(Qt::Key_7) << none;
        QTest::newRow("Esc on Accept") << QByteArray("cmdAccept") << int(Qt::Key_Escape) << none;
        QTest::newRow("Enter on Readme") << QByteArray("cmdDisclaimer") << int(Qt::Key_Return) << about;
        QTest::newRow("keypad Enter on Accept")
            << QByteArray("cmdAccept") << int(Qt::Key_Enter) << calculator;
        QTest::newRow("space on Accept") << QByteArray("cmdAccept") << int(Qt::Key_Space) << calculator;
        QTest::newRow("Enter on Decline") << QByteArray("cmdDecline") << int(Qt::Key_Return) << none;
        QTest::newRow("Tab only moves the focus") << QByteArray("cmdAccept") << int(Qt::Key_Tab) << startup;
        QTest::newRow("arrow only moves the focus") << QByteArray("cmdAccept") << int(Qt::Key_Up) << startup;
    }
    void startupChoices() {
        QFETCH(QByteArray, button);
        QFETCH(int, key);
        QFETCH(QString, opens);
        QCOMPARE(quitsAfter([&] { press(WindowKind::Startup, button, key); }), opens.isEmpty());
        QCOMPARE(openWindows(), opens.isEmpty() ? QStringList() : QStringList{opens});
        QCOMPARE(m_startupsMade, 1);
    }

    // Readme shows the conditions from their start; Back (Enter and Esc where no control takes
    // them) returns to a fresh start-up window.
    void aboutBackGivesAFreshStartup_data() {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("key");
        QTest::newRow("click on Back") << QByteArray("cmdOK") << 0;
        QTest::newRow("space on Back") << QByteArray("cmdOK") << int(Qt::Key_Space);
        QTest::newRow("Enter on the picture") << QByteArray("picNoMelt9") << int(Qt::Key_Return);
        QTest::newRow("Esc in the text") << QByteArray("txtDisclaimer") << int(Qt::Key_Escape);
    }
    void aboutBackGivesAFreshStartup() {
        QFETCH(QByteArray, control);
        QFETCH(int, key);
        QVERIFY(!quitsAfter([] { press(WindowKind::Startup, "cmdDisclaimer", 0); }));
        QWidget *about = WindowRegistry::find(WindowKind::About);
        QCOMPARE(about->windowTitle(), QStringLiteral("About Sweltra °C"));
        QCOMPARE(about->findChild<QLabel *>(QStringLiteral("lblTitle"))->text(),
                 QStringLiteral("Sweltra °C, Version " SWELTRA_VERSION));
        auto *box = about->findChild<platform::RichTextBox *>(QStringLiteral("txtDisclaimer"));
        QVERIFY(box->Text().startsWith(QStringLiteral("First line of the conditions.")));
        QVERIFY(box->verticalScrollBar()->maximum() > 0);
        QCOMPARE(box->verticalScrollBar()->value(), 0);
        QCOMPARE(box->SelStart() + box->SelLength(), 0);
        QCOMPARE(box->document()->rootFrame()->frameFormat().leftMargin(), platform::twipsToPixels(100));
        QCOMPARE(box->document()->rootFrame()->frameFormat().rightMargin(), platform::twipsToPixels(100));
        QCOMPARE(about->focusWidget()->objectName(), QStringLiteral("cmdOK"));

        QVERIFY(!quitsAfter([&] { press(WindowKind::About, control, key); }));
        QCOMPARE(openWindows(), QStringList{"frmVESKsplash"});
        QCOMPARE(m_startupsMade, 2);
        QCOMPARE(WindowRegistry::find(WindowKind::Startup)->focusWidget()->objectName(), "cmdDisclaimer");
    }
};

QTEST_MAIN(TestStartupFlow)
#include "tst_startupflow.moc"
