// Interaction benchmark: how long the program's main steps take from the user's press to the
// result on screen, measured inside the process on a real X server, and the peak resident
// memory with every window open and the full guidelines shown. Prints figures, asserts nothing.
//   bench-interactions [RUNS]
#include "platform/fonts.h"
#include "platform/twips.h"
#include "platform/windowregistry.h"
#include "startup/startupwindow.h"
#include "windows/windowkinds.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QPushButton>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using sweltra::platform::WindowKind;
using sweltra::platform::WindowRegistry;
using sweltra::startup::StartupWindow;

namespace {

// Counts the frames each window has painted and flushed to the screen.
class PaintCounter : public QObject {
public:
    int frames(const QWidget *window) const { return m_frames.value(window); }
    // A window made later may reuse a closed one's address: counts start afresh for each step.
    void forget() { m_frames.clear(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        // A window paints when it is first exposed, and later when a top-level widget handles
        // its batched update request.
        auto *window = qobject_cast<QWindow *>(watched);
        auto *widget = qobject_cast<QWidget *>(watched);
        const bool exposed = window && event->type() == QEvent::Expose && window->isExposed();
        const bool updated = widget && widget->isWindow() && event->type() == QEvent::UpdateRequest;
        if (!(exposed || updated) || m_inside) {
            return false;
        }
        // Count after the window has painted, not before.
        m_inside = true;
        QCoreApplication::sendEvent(watched, event);
        m_inside = false;
        ++m_frames[widget ? widget : topLevelOf(window)];
        return true;
    }

private:
    static const QWidget *topLevelOf(const QWindow *window) {
        for (const QWidget *candidate : QApplication::topLevelWidgets()) {
            if (candidate->windowHandle() == window) {
                return candidate;
            }
        }
        return nullptr;
    }

    QHash<const QWidget *, int> m_frames;
    bool m_inside = false;
};

PaintCounter *counter() {
    static auto *instance = [] {
        auto *c = new PaintCounter;
        QCoreApplication::instance()->installEventFilter(c);
        return c;
    }();
    return instance;
}

// Runs the step, then the event loop until the window of this kind has painted a new frame;
// the time in milliseconds, or -1 when nothing was painted within five seconds.
double timeUntilPainted(const std::function<void()> &step, const std::function<QWidget *()> &target) {
    QCoreApplication::processEvents();
    counter()->forget();
    QElapsedTimer timer;
    timer.start();
    step();
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (counter()->frames(target()) > 0) {
            return static_cast<double>(timer.nsecsElapsed()) / 1e6;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return -1;
}

QWidget *live(WindowKind kind) {
    return WindowRegistry::find(kind);
}

void click(WindowKind kind, const char *button) {
    live(kind)->findChild<QPushButton *>(QLatin1String(button))->click();
}

// A pick as the user makes it: the entry chosen, then the list reports the choice.
void pick(const char *list, int index) {
    auto *combo = live(WindowKind::Calculator)->findChild<QComboBox *>(QLatin1String(list));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void pickEveryFactor() {
    pick("cbo_WBGT", 1);
    for (const char *list : {"cbo_Duration", "cbo_Intensity", "cbo_Acclimatization", "cbo_Ability", "cbo_Age",
                             "cbo_Drinks", "cbo_Time", "cbo_Surface", "cbo_Venue", "cbo_Medical"}) {
        pick(list, 1);
    }
    pick("cbo_Medical", 0);
}

// A figure of /proc/self/status in kB ("VmHWM", "RssAnon", ...), 0 where the system has none.
long statusKb(const QByteArray &field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(field + ':')) {
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLong();
        }
    }
    return 0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    sweltra::platform::installFontSubstitutes();
    sweltra::windows::registerWindowKinds();
    QApplication::setQuitOnLastWindowClosed(false);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 20;

    std::vector<double> bare, accept, calculate, asterisk, guidelines;
    long peakKb = 0;
    for (int run = 0; run < runs; ++run) {
        // An empty window the size of the start-up window, shown in this same process.
        QWidget *empty = nullptr;
        bare.push_back(timeUntilPainted(
            [&] {
                empty = new QWidget;
                empty->resize(
                    sweltra::platform::toPixels(StartupWindow::clientWidth, StartupWindow::clientHeight));
                empty->show();
            },
            [&] { return empty; }));
        delete empty;

        timeUntilPainted([] { WindowRegistry::show(WindowKind::Startup); },
                         [] { return live(WindowKind::Startup); });
        accept.push_back(timeUntilPainted([] { click(WindowKind::Startup, "cmdAccept"); },
                                          [] { return live(WindowKind::Calculator); }));
        pickEveryFactor();
        calculate.push_back(timeUntilPainted([] { click(WindowKind::Calculator, "cmd_Calculate"); },
                                             [] { return live(WindowKind::Calculator); }));
        asterisk.push_back(timeUntilPainted([] { click(WindowKind::Calculator, "cmd_asterisk"); },
                                            [] { return live(WindowKind::Viewer); }));
        guidelines.push_back(timeUntilPainted([] { click(WindowKind::Calculator, "cmd_SMA_Guidelines"); },
                                              [] { return live(WindowKind::Viewer); }));
        // Every window at once, the full guidelines in the viewer.
        timeUntilPainted([] { WindowRegistry::show(WindowKind::Startup); },
                         [] { return live(WindowKind::Startup); });
        timeUntilPainted([] { WindowRegistry::show(WindowKind::About); },
                         [] { return live(WindowKind::About); });
        peakKb = std::max(peakKb, statusKb("VmHWM"));
        if (run == 0) {
            // Where the memory lies: the program's own heap, mapped libraries and fonts, and the
            // windows' pixel buffers shared with the X server.
            std::printf(
                "  resident, every window open: heap and stacks %.1f MB, files %.1f MB, shared %.1f MB\n",
                statusKb("RssAnon") / 1024.0, statusKb("RssFile") / 1024.0, statusKb("RssShmem") / 1024.0);
        }

        click(WindowKind::Viewer, "cmdBackfromReadme");
        for (WindowKind kind : {WindowKind::Calculator, WindowKind::Startup, WindowKind::About}) {
            if (QWidget *window = live(kind)) {
                window->close();
            }
        }
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::printf("Interactions, press to painted, median of %d runs, in one process\n", runs);
    std::printf("  %-44s%9.1f ms\n", "empty window of the start-up size shown", median(bare));
    std::printf("  %-44s%9.1f ms\n", "Accept to calculator painted", median(accept));
    std::printf("  %-44s%9.1f ms\n", "Calculate to recommendation painted", median(calculate));
    std::printf("  %-44s%9.1f ms\n", "\"*\" to viewer painted", median(asterisk));
    std::printf("  %-44s%9.1f ms\n", "Full SMA Guidelines to viewer painted", median(guidelines));
    std::printf("accept-ms %.3f\ncalculate-ms %.3f\nasterisk-ms %.3f\nguidelines-ms %.3f\n", median(accept),
                median(calculate), median(asterisk), median(guidelines));
    std::printf("peak-kb %ld\n", peakKb);
    return 0;
}
