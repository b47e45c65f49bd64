// A seeded monkey: thousands of random user actions across all windows, with the program's rules
// checked after each one. The seed is printed; SWELTRA_MONKEY_SEED repeats a run and
// SWELTRA_MONKEY_ACTIONS sets its length. A failure prints the last actions that led to it.
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "risk/catalogue.h"
#include "windowstesting.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <deque>

using sweltra::platform::WindowKind;
using sweltra::platform::WindowRegistry;
using namespace windowstesting;

namespace {

constexpr WindowKind allKinds[] = {WindowKind::Startup, WindowKind::About, WindowKind::Calculator,
                                   WindowKind::Viewer};

const char *windowName(WindowKind kind) {
    switch (kind) {
    case WindowKind::Startup:
        return "frmVESKsplash";
    case WindowKind::About:
        return "frmVeskAbout";
    case WindowKind::Calculator:
        return "frm_Sweltra";
    case WindowKind::Viewer:
        return "frmReadMeViewer";
    }
    return "";
}

// The offscreen platform says on every raise that it cannot raise; thousands of steps would bury
// the figures that matter under that one line.
QtMessageHandler testHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (!message.contains(QLatin1String("does not support raise()"))) {
        testHandler(type, context, message);
    }
}

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// Stands in for the browser: web links are counted, not opened.
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    int links = 0;
public slots:
    void open(const QUrl &) { ++links; }
};

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void randomUse();

private:
    void act();
    void log(const QString &action) {
        m_log.push_back(QStringLiteral("%1: %2").arg(m_step).arg(action));
        if (m_log.size() > 40) {
            m_log.pop_front();
        }
    }
    QString broken() const;
    QWidget *randomWindow();
    QWidget *focusTarget(QWidget *window) const;

    LinkCatcher m_links;
    QRandomGenerator m_random;
    std::deque<QString> m_log;
    int m_step = 0;
    int m_messages = 0;
    bool m_programEnded = false;
};

void TestMonkey::initTestCase() {
    testHandler = qInstallMessageHandler(quietHandler);
    sweltra::platform::installFontSubstitutes();
    // The documents beside the built program.
    sweltra::platform::setProgramFolderForTesting(QStringLiteral(SWELTRA_PROGRAM_FOLDER));
    sweltra::platform::setMessageObserver([this](const QString &) { ++m_messages; });
    sweltra::windows::registerWindowKinds();
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_links, "open");
    // The program ends when its last window closes: the monkey notes it and starts it again.
    connect(qApp, &QGuiApplication::lastWindowClosed, this, [this] { m_programEnded = true; });
}

void TestMonkey::cleanupTestCase() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    WindowRegistry::reset();
    settle();
}

QWidget *TestMonkey::randomWindow() {
    QList<QWidget *> open;
    for (WindowKind kind : allKinds) {
        if (QWidget *window = live(kind)) {
            open << window;
        }
    }
    return open.isEmpty() ? nullptr : open.at(m_random.bounded(open.size()));
}

// Keys go where the window's focus is, as they do for a person.
QWidget *TestMonkey::focusTarget(QWidget *window) const {
    QWidget *focus = window->focusWidget();
    return focus && focus->isVisible() ? focus : window;
}

void TestMonkey::act() {
    if (!randomWindow()) {
        log(QStringLiteral("start the program"));
        m_programEnded = false;
        WindowRegistry::show(WindowKind::Startup);
        return;
    }
    QWidget *window = randomWindow();
    const QString where = window->objectName();
    const int choice = static_cast<int>(m_random.bounded(100));
    if (choice < 30) {
        // A pick in a list, with the arrow keys or by choosing an entry in the open list.
        const QList<QComboBox *> lists = window->findChildren<QComboBox *>();
        if (lists.isEmpty()) {
            return;
        }
        QComboBox *list = lists.at(m_random.bounded(lists.size()));
        if (!list->isEnabled()) {
            log(QStringLiteral("%1: %2 is disabled").arg(where, list->objectName()));
            return;
        }
        if (m_random.bounded(2) == 0) {
            const bool down = m_random.bounded(2) == 0;
            log(QStringLiteral("%1: %2 arrow %3").arg(where, list->objectName(), down ? "down" : "up"));
            QTest::keyClick(list, down ? Qt::Key_Down : Qt::Key_Up);
        } else {
            const int index = static_cast<int>(m_random.bounded(list->count()));
            log(QStringLiteral("%1: %2 pick %3").arg(where, list->objectName(), list->itemText(index)));
            list->setCurrentIndex(index);
            emit list->activated(index);
        }
    } else if (choice < 50) {
        static const QString typed = QStringLiteral("aZ09 -*#\u00b0\b");
        const QChar key = typed.at(m_random.bounded(typed.size()));
        QWidget *target = focusTarget(window);
        log(QStringLiteral("%1: type %2 into %3").arg(where).arg(key.unicode()).arg(target->objectName()));
        QTest::keyClick(target, key.toLatin1() ? key.toLatin1() : 'x');
    } else if (choice < 60) {
        const bool back = m_random.bounded(2) == 0;
        QWidget *target = focusTarget(window);
        log(QStringLiteral("%1: %2 on %3").arg(where, back ? "Shift+Tab" : "Tab", target->objectName()));
        QTest::keyClick(target, back ? Qt::Key_Backtab : Qt::Key_Tab,
                        back ? Qt::ShiftModifier : Qt::NoModifier);
    } else if (choice < 82) {
        QList<QPushButton *> buttons;
        for (QPushButton *button : window->findChildren<QPushButton *>()) {
            if (button->isVisible() && button->isEnabled()) {
                buttons << button;
            }
        }
        if (buttons.isEmpty()) {
            return;
        }
        QPushButton *button = buttons.at(m_random.bounded(buttons.size()));
        log(QStringLiteral("%1: click %2").arg(where, button->objectName()));
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (choice < 88) {
        log(QStringLiteral("%1: close request").arg(where));
        window->close();
    } else {
        const bool escape = m_random.bounded(2) == 0;
        QWidget *target = focusTarget(window);
        log(QStringLiteral("%1: %2 on %3").arg(where, escape ? "Esc" : "Enter", target->objectName()));
        QTest::keyClick(target, escape ? Qt::Key_Escape : Qt::Key_Return);
    }
}

// The first rule the windows now break, or an empty text.
QString TestMonkey::broken() const {
    for (WindowKind kind : allKinds) {
        int shown = 0;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            shown += top->isVisible() && top->objectName() == QLatin1String(windowName(kind));
        }
        if (shown > 1) {
            return QStringLiteral("%1 windows of kind %2").arg(shown).arg(windowName(kind));
        }
        // A window that lives but is hidden would keep the program running unseen.
        if (QWidget *window = live(kind); window && !window->isVisible()) {
            return QStringLiteral("%1 is alive but hidden").arg(windowName(kind));
        }
    }
    const bool anyOpen =
        std::any_of(std::begin(allKinds), std::end(allKinds), [](WindowKind k) { return live(k); });
    if (m_programEnded && anyOpen) {
        return QStringLiteral("the program ended while a window was open");
    }

    if (QWidget *calculator = live(WindowKind::Calculator)) {
        int temperatures = 0;
        for (const sweltra::risk::RiskFactor &factor : sweltra::risk::factors()) {
            auto *box = calculator->findChild<QLineEdit *>(QStringLiteral("txt_") + qs(factor.key));
            if (!box) {
                continue;
            }
            const QString text = box->text();
            if (text.isEmpty()) {
                continue;
            }
            bool known = false;
            for (const sweltra::risk::FactorOption &option : factor.options) {
                known = known || text == qs(option.points);
            }
            if (!known) {
                return QStringLiteral("%1 holds %2, no points of its factor").arg(box->objectName(), text);
            }
            temperatures += factor.key == "WBGT" || factor.key == "Dry_Bulb";
        }
        if (temperatures > 1) {
            return QStringLiteral("both temperature boxes are filled");
        }
        static const QRegularExpression total(QStringLiteral("^( |-)[0-9]+$"));
        const QString shown = calculator->findChild<QLineEdit *>(QStringLiteral("txt_Total"))->text();
        if (!shown.isEmpty() && !total.match(shown).hasMatch()) {
            return QStringLiteral("the total box shows \"%1\"").arg(shown);
        }
    }
    if (QWidget *viewer = live(WindowKind::Viewer)) {
        const QString locator = viewer->findChild<QLineEdit *>(QStringLiteral("txtLocator"))->text();
        if (locator != QLatin1String("Sweltra")) {
            return QStringLiteral("the viewer is open with the locator \"%1\"").arg(locator);
        }
    }
    return {};
}

void TestMonkey::randomUse() {
    bool seeded = false;
    const quint32 seed = qEnvironmentVariableIntValue("SWELTRA_MONKEY_SEED", &seeded);
    const int asked = qEnvironmentVariableIntValue("SWELTRA_MONKEY_ACTIONS");
    const int actions = asked > 0 ? asked : 10000;
    m_random.seed(seeded ? seed : 20261206u);
    qInfo("monkey: seed %u, %d actions (SWELTRA_MONKEY_SEED, SWELTRA_MONKEY_ACTIONS to change)",
          seeded ? seed : 20261206u, actions);

    int programRuns = 0;
    int calculatorSteps = 0;
    int viewerSteps = 0;
    for (m_step = 1; m_step <= actions; ++m_step) {
        programRuns += !randomWindow();
        calculatorSteps += live(WindowKind::Calculator) != nullptr;
        viewerSteps += live(WindowKind::Viewer) != nullptr;
        act();
        settle();
        if (const QString problem = broken(); !problem.isEmpty()) {
            QString tail;
            for (const QString &line : m_log) {
                tail += QStringLiteral("\n  ") + line;
            }
            QFAIL(qPrintable(
                QStringLiteral("after action %1: %2\nlast actions:%3").arg(m_step).arg(problem, tail)));
        }
    }
    qInfo("monkey: %d actions, %d program starts, calculator open for %d and viewer for %d of them, "
          "%d messages, %d web links",
          actions, programRuns, calculatorSteps, viewerSteps, m_messages, m_links.links);
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
