// Each window's whole frame, title bar included, stands in the middle of the screen's available
// area, measured from outside with x11-utils on a real X server (through the virtual X helper), with
// a window manager or none.
#include "windowstesting.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScreen>

using sweltra::platform::WindowKind;
using sweltra::platform::WindowRegistry;

class TestFrameCentring : public QObject {
    Q_OBJECT

    // The whole numbers a tool prints after the marker.
    static QList<int> numbers(const QString &program, const QStringList &arguments, const QString &marker) {
        QProcess tool;
        tool.start(program, arguments);
        tool.waitForFinished(5000);
        QList<int> found;
        const QString text = QString::fromLocal8Bit(tool.readAllStandardOutput()).section(marker, 1);
        for (const QRegularExpressionMatch &match : QRegularExpression("-?\\b\\d+\\b").globalMatch(text)) {
            found << match.captured().toInt();
        }
        return found;
    }
    // The window's area as the X server has it, grown by the borders the window manager says it
    // drew, once it has stopped moving.
    static QRect settledFrame(QWidget *window, bool managed) {
        const QString id = QString::number(window->winId());
        QRect now, last;
        for (int attempt = 0; attempt < 40 && !(now.isValid() && now == last); ++attempt) {
            QTest::qWait(100);
            last = now;
            // Absolute x and y, relative x and y, width, height; the borders left, right, top, bottom.
            const QList<int> at = numbers("xwininfo", {"-id", id}, "upper-left X:"),
                             b = managed ? numbers("xprop", {"-id", id, "_NET_FRAME_EXTENTS"}, "=")
                                         : QList<int>(4);
            now = at.size() > 5 && b.size() == 4
                      ? QRect(at[0] - b[0], at[1] - b[2], at[4] + b[0] + b[1], at[5] + b[2] + b[3])
                      : QRect();
        }
        return now == last ? now : QRect();
    }

private slots:
    void init() { sweltra::windows::registerWindowKinds(); }
    void cleanup() { WindowRegistry::reset(); }

    void frameIsCentred_data() {
        QTest::addColumn<WindowKind>("kind");
        QTest::newRow("start-up window") << WindowKind::Startup;
        QTest::newRow("About window") << WindowKind::About;
        QTest::newRow("calculator") << WindowKind::Calculator;
        QTest::newRow("document viewer") << WindowKind::Viewer;
    }
    // Placed in the centre; then where the user drags it by its title bar, shown again or not.
    void frameIsCentred() {
        QFETCH(WindowKind, kind);
        QWidget *window = WindowRegistry::show(kind);
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        // Only a window manager publishes a work area.
        const bool managed = !numbers("xprop", {"-root", "_NET_WORKAREA"}, "=").isEmpty();
        const QRect frame = settledFrame(window, managed), available = window->screen()->availableGeometry();
        // Twice the distance between the centres, so that odd sizes compare exactly.
        const QPoint off =
            frame.topLeft() + frame.bottomRight() - available.topLeft() - available.bottomRight();
        qInfo("frame %d,%d %dx%d: centre off by %.1f, %.1f px", frame.x(), frame.y(), frame.width(),
              frame.height(), off.x() / 2.0, off.y() / 2.0);
        QVERIFY(frame.isValid() && std::abs(off.x()) <= 4 && std::abs(off.y()) <= 4);
        if (!managed) {
            return; // no title bar to drag
        }
        // The window manager starts the drag on the first motion and moves the frame on the next.
        const QPoint grip(frame.center().x(), (frame.top() + window->geometry().top()) / 2);
        QProcess::execute(
            "xdotool", QString::asprintf("mousemove %d %d sleep 0.2 mousedown 1 sleep 0.2 mousemove_relative "
                                         "20 15 sleep 0.2 mousemove_relative 20 15 sleep 0.2 mouseup 1",
                                         grip.x(), grip.y())
                           .split(' '));
        const QRect moved = settledFrame(window, true);
        QCOMPARE(moved.topLeft(), frame.topLeft() + QPoint(40, 30));
        QCOMPARE(WindowRegistry::show(kind), window);
        QCOMPARE(settledFrame(window, true), moved);
    }
};

QTEST_MAIN(TestFrameCentring)
#include "tst_framecentring.moc"
