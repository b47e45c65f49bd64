// Loaded into a program by the start-up benchmark (LD_PRELOAD, see bench-startup.py), so that the
// program itself carries none of it. With SWELTRA_BENCH_FIRST_PAINT set, the first window that is
// painted and flushed to the screen prints one line to standard output,
//   first-paint <steady clock in ns> <peak resident memory in kB> <processor time used in us>
// and the program carries on as usual.
#include <QCoreApplication>
#include <QEvent>
#include <QExposeEvent>
#include <QFile>
#include <QWindow>

#include <chrono>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

// Peak resident memory of this process in kB, 0 where the system does not say.
long peakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return 0;
}

// Processor time this process has used so far, user and system, in microseconds.
long long processorMicroseconds() {
#ifdef Q_OS_UNIX
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) == 0) {
        const auto micros = [](const timeval &t) { return t.tv_sec * 1000000LL + t.tv_usec; };
        return micros(usage.ru_utime) + micros(usage.ru_stime);
    }
#endif
    return 0;
}

class FirstPaintReporter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *window = qobject_cast<QWindow *>(watched);
        const bool exposing = event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
        if (!window || !exposing || !window->isExposed()) {
            return false;
        }
        // Let the window paint and flush first, then take the time: the figure ends when the
        // pixels have left for the screen, not when painting begins.
        QCoreApplication::instance()->removeEventFilter(this);
        QCoreApplication::sendEvent(watched, event);
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("first-paint %lld %ld %lld\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                    peakResidentKb(), processorMicroseconds());
        std::fflush(stdout);
        deleteLater();
        return true;
    }
};

// Called as the application object is made.
void reportFirstPaintIfAsked() {
    if (qEnvironmentVariableIsSet("SWELTRA_BENCH_FIRST_PAINT")) {
        QCoreApplication::instance()->installEventFilter(
            new FirstPaintReporter(QCoreApplication::instance()));
    }
}
Q_COREAPP_STARTUP_FUNCTION(reportFirstPaintIfAsked)

} // namespace
