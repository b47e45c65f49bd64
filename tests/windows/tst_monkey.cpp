// Seeded random use of every window, the program's rules checked after each action; a failure prints
// the last actions. SWELTRA_MONKEY_SEED repeats a run, SWELTRA_MONKEY_ACTIONS sets its length.
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "risk/catalogue.h"
#include "risk/verdict.h"
#include "windowstesting.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTimer>

using namespace sweltra::platform;
using namespace sweltra::risk;
using namespace windowstesting;

class TestMonkey : public QObject {
    Q_OBJECT
    QRandomGenerator m_random;
    QStringList m_log;
    bool m_ended = false;
    QString m_total;

    template <typename T> T *any(const QList<T *> &among) {
        return among.isEmpty() ? nullptr : among.at(m_random.bounded(among.size()));
    }
    static QList<QWidget *> openWindows() {
        using enum WindowKind;
        QList<QWidget *> open{live(Startup), live(About), live(Calculator), live(Viewer)};
        open.removeAll(nullptr);
        return open;
    }

    // One random action on the window as a person does it (a start when there is none); what was done.
    QString act(QWidget *window) {
        if (!window) {
            return WindowRegistry::show(WindowKind::Startup)->objectName() + " started";
        }
        const int choice = int(m_random.bounded(100));
        if (choice < 5) {
            return (window->close() ? "closed " : "close refused by ") + window->objectName();
        }
        QList<QPushButton *> buttons = window->findChildren<QPushButton *>();
        buttons.removeIf([](QPushButton *b) { return !b->isVisible() || !b->isEnabled(); });
        if (QPushButton *button = choice < 35 ? any(buttons) : nullptr) {
            QTest::mouseClick(button, Qt::LeftButton);
            return "click " + button->objectName();
        }
        using enum Qt::Key; // keys go to a list (a pick) or where the window's focus is
        static const Qt::Key keys[] = {Key_Up,        Key_Down, Key_End,     Key_A,      Key_0,     Key_Minus,
                                       Key_Backspace, Key_Tab,  Key_Backtab, Key_Escape, Key_Return};
        const Qt::Key key = keys[m_random.bounded(int(std::size(keys)))];
        QWidget *target = choice < 70 ? any(window->findChildren<QComboBox *>()) : window->focusWidget();
        target = target && target->isVisible() ? target : window;
        QTest::keyClick(target, key);
        return QStringLiteral("key %1 on %2 of %3").arg(key).arg(target->objectName(), window->objectName());
    }

    // The first rule the windows now break, or an empty text. Every shown window is the registry's one of
    // its kind, and every live one is shown; the program ends exactly when its last window goes.
    QString broken() {
        const QList<QWidget *> open = openWindows();
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->isVisible() != open.contains(top) && top->windowType() != Qt::Popup) {
                return top->objectName() + (top->isVisible() ? " is shown twice" : " is alive but hidden");
            }
        }
        if (open.isEmpty() != std::exchange(m_ended, false)) {
            return open.isEmpty() ? "no window is left" : "the program ended with a window open";
        }
        QWidget *form = live(WindowKind::Calculator);
        RiskPoints points; // a points box holds nothing or the points of one of its factor's options
        for (const RiskFactor &factor : form ? factors() : std::span<const RiskFactor>()) {
            const QString name = "txt_" + QString::fromUtf8(factor.key);
            const auto *box = form->findChild<QLineEdit *>(name);
            std::string &text = points[factor] = box ? box->text().toStdString() : std::string();
            const auto options = factor.options;
            if (!text.empty() &&
                std::ranges::none_of(options, [&](auto &o) { return pointsText(o) == text; })) {
                return name + " holds " + QString::fromStdString(text);
            }
        }
        // A total, when it changes, is the verdict of the boxes as they stand.
        const QString total = form ? form->findChild<QLineEdit *>("txt_Total")->text() : QString();
        if (total != std::exchange(m_total, total) && !total.isEmpty() &&
            total.toDouble() != calculateRisk(points).total) {
            return "the total shows " + total;
        }
        return {};
    }

public slots:
    void openLink(const QUrl &) {} // stands in for the browser

private slots:
    void initTestCase() {
        installFontSubstitutes();
        setProgramFolderForTesting(QStringLiteral(SWELTRA_PROGRAM_FOLDER)); // the shipped documents
        setMessageObserver([](const QString &) {});
        sweltra::windows::registerWindowKinds();
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openLink");
        connect(qApp, &QGuiApplication::lastWindowClosed, this, [this] { m_ended = true; });
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    void randomUse() {
        const uint seed = qEnvironmentVariable("SWELTRA_MONKEY_SEED", QStringLiteral("20261206")).toUInt();
        const int actions = qEnvironmentVariable("SWELTRA_MONKEY_ACTIONS", QStringLiteral("10000")).toInt();
        qInfo("monkey: seed %u, %d actions", seed, actions);
        m_random.seed(seed);
        QString problem;
        QTimer::singleShot(0, qApp, [&] { // in the event loop, where the last window's closing is reported
            for (int step = 1; step <= actions && problem.isEmpty(); ++step) {
                m_log = m_log.mid(m_log.size() - 39)
                        << QString::number(step) + ": " + act(any(openWindows()));
                settle();
                problem = broken();
            }
            qApp->exit();
        });
        qApp->exec();
        QVERIFY2(problem.isEmpty(), qPrintable(problem + ", after:\n  " + m_log.join("\n  ")));
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
