#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "platform/windowregistry.h"
#include "startup/aboutwindow.h"
#include "startup/startupwindow.h"
#include "sweltraconfig.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextFrame>
#include <QTimer>

using namespace sweltra;
using platform::WindowKind;
using platform::WindowRegistry;

namespace {

QString openWindows() {
    QStringList names;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            names << window->objectName();
        }
    }
    return names.join(QLatin1Char(' '));
}

// Runs the action in the application's event loop, as the program runs: did the program end?
template <typename Action> bool quitsAfter(Action action) {
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTimer::singleShot(0, qApp, [&] {
        action();
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    });
    QApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return !lastClosed.isEmpty();
}

// Presses a key on the named control; a negative key is held down, and 0 clicks the control.
void press(WindowKind kind, const char *name, int key) {
    QWidget *control = WindowRegistry::find(kind)->findChild<QWidget *>(QLatin1String(name));
    control->setFocus();
    if (key == 0) {
        QTest::mouseClick(control, Qt::LeftButton);
    } else if (key < 0) {
        QKeyEvent held(QEvent::KeyPress, -key, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(control, &held);
    } else {
        QTest::keyClick(control, Qt::Key(key));
    }
}

} // namespace

class TestStartupFlow : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() {
        const QByteArray rtf = "{\\rtf1\\ansi First line of the conditions.\\par\n" +
                               QByteArray("More of the conditions.\\par\n").repeated(200);
        QFile file(m_folder.filePath(QStringLiteral("VESK Disclaimer-Setup.rtf")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(rtf + "}") > 0);
        platform::setProgramFolderForTesting(m_folder.path());
    }

    void init() {
        WindowRegistry::setFactory(WindowKind::Startup, [] { return new startup::StartupWindow; });
        WindowRegistry::setFactory(WindowKind::About, [] { return new startup::AboutWindow; });
        WindowRegistry::setFactory(WindowKind::Calculator, [] {
            auto *calculator = new QWidget;
            calculator->setObjectName(QStringLiteral("frm_Sweltra"));
            return calculator;
        });
        QVERIFY(!quitsAfter([] { WindowRegistry::show(WindowKind::Startup); }));
        // Drawn red round the white panel that holds the controls.
        QWidget *window = WindowRegistry::find(WindowKind::Startup), *panel = window->findChild<QFrame *>();
        const QColor around = window->grab().toImage().pixelColor(1, 1);
        QVERIFY(around.red() > 0 && around.green() + around.blue() == 0 &&
                panel->grab().toImage().pixelColor(1, 1) == Qt::white);
    }

    void cleanup() { WindowRegistry::reset(); }

    // Any character declines, Enter and space press the focused button; in About ("About:" rows)
    // Back gives a fresh start-up window.
    void choices_data() {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("opens");
        const QString none, about("frmVeskAbout"), calculator("frm_Sweltra"), startup("frmVESKsplash");
        const auto row = [](const char *name, const char *control, int key, const QString &opens) {
            QTest::newRow(name) << QByteArray(control) << key << opens;
        };
        row("Accept clicked", "cmdAccept", 0, calculator);
        row("Decline clicked", "cmdDecline", 0, none);
        row("letter on Readme", "cmdDisclaimer", Qt::Key_A, none);
        row("Esc on Accept", "cmdAccept", Qt::Key_Escape, none);
        row("Enter on Readme", "cmdDisclaimer", Qt::Key_Return, about);
        row("keypad Enter on Accept", "cmdAccept", Qt::Key_Enter, calculator);
        row("held Enter on Accept presses it only once", "cmdAccept", -Qt::Key_Return, startup);
        row("space on Accept", "cmdAccept", Qt::Key_Space, calculator);
        row("Tab only moves the focus", "cmdAccept", Qt::Key_Tab, startup);
        row("arrow only moves the focus", "cmdAccept", Qt::Key_Up, startup);
        row("About: click on Back", "cmdOK", 0, startup);
        row("About: Enter on the picture", "picNoMelt9", Qt::Key_Return, startup);
        row("About: Esc in the text", "txtDisclaimer", Qt::Key_Escape, startup);
        row("About: held Enter presses Back only once", "cmdOK", -Qt::Key_Return, about);
    }
    void choices() {
        const bool inAbout = QByteArray(QTest::currentDataTag()).startsWith("About:");
        QFETCH(QByteArray, control);
        QFETCH(int, key);
        QFETCH(QString, opens);
        if (inAbout) {
            QVERIFY(!quitsAfter([] { press(WindowKind::Startup, "cmdDisclaimer", 0); }));
            QWidget *about = WindowRegistry::find(WindowKind::About);
            // Its lines, top to bottom: the program, as the title names it, with its version, and a
            // copyright; nothing else.
            QMap<int, QString> lines;
            for (const QLabel *label : about->findChildren<QLabel *>())
                label->text().isEmpty() ? void() : void(lines[label->y()] = label->text());
            const QStringList shown = lines.values();
            QVERIFY2(shown.size() == 2 && shown[1].startsWith("Copyright © ") &&
                         shown[0] == about->windowTitle().section(' ', 1) + ", Version " SWELTRA_VERSION,
                     qPrintable(about->windowTitle() + '|' + shown.join('|')));
            auto *box = about->findChild<platform::RichTextBox *>("txtDisclaimer");
            QVERIFY(box->Text().startsWith(QStringLiteral("First line of the conditions.")));
            QCOMPARE(box->verticalScrollBar()->value() + box->SelStart() + box->SelLength(), 0);
            const QTextFrameFormat frame = box->document()->rootFrame()->frameFormat(); // text off both edges
            QVERIFY(frame.leftMargin() > 0 && frame.rightMargin() > 0);
            QCOMPARE(about->focusWidget()->objectName(), QStringLiteral("cmdOK"));
        }
        const WindowKind kind = inAbout ? WindowKind::About : WindowKind::Startup;
        QCOMPARE(quitsAfter([&] { press(kind, control, key); }), opens.isEmpty());
        QCOMPARE(openWindows(), opens);
    }
};

QTEST_MAIN(TestStartupFlow)
#include "tst_startupflow.moc"
