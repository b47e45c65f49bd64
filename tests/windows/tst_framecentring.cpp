// Each window's whole frame, title bar included, stands in the middle of the available area, measured
// with x11-utils on the virtual X server, with a window manager or none; a user's move stays.
#include "windowstesting.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScreen>

using namespace sweltra::platform;

class TestFrameCentring : public QObject {
    Q_OBJECT

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
    // The window's area grown by the borders the window manager says it drew, once it stops moving.
    static QRect settledFrame(QWidget *window, bool managed) {
        const QString id = QString::number(window->winId());
        QRect at, last;
        for (int attempt = 0; attempt < 40 && !(at.isValid() && at == last); ++attempt) {
            QTest::qWait(100);
            last = at;
            // Absolute x and y, relative x and y, width, height; the borders left, right, top, bottom.
            QList<int> g = numbers("xwininfo", {"-id", id}, "upper-left X:").mid(0, 6);
            g += managed ? numbers("xprop", {"-id", id, "_NET_FRAME_EXTENTS"}, "=") : QList<int>(4);
            at = g.size() < 10 ? QRect() : QRect(g[0], g[1], g[4], g[5]).adjusted(-g[6], -g[8], g[7], g[9]);
        }
        return at == last ? at : QRect();
    }

private slots:
    void init() { WindowRegistry::reset(), sweltra::windows::registerWindowKinds(); }

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
        const QRect frame = settledFrame(window, managed), area = window->screen()->availableGeometry();
        // Twice the distance between the centres, so that odd sizes compare exactly.
        const QPoint off = frame.topLeft() + frame.bottomRight() - area.topLeft() - area.bottomRight();
        qInfo() << "frame" << frame << "centre off by" << off.x() / 2.0 << off.y() / 2.0;
        QVERIFY(frame.isValid() && std::abs(off.x()) <= 4 && std::abs(off.y()) <= 4);
        if (!managed) // no title bar to drag
            return;
        // The window manager starts the drag on the first motion and moves the frame on the next.
        const QPoint grip(frame.center().x(), (frame.top() + window->geometry().top()) / 2);
        const QString drag =
            "mousemove %1 %2 sleep .2 mousedown 1 sleep .2 mousemove_relative 20 15 sleep .2 "
            "mousemove_relative 20 15 sleep .2 mouseup 1";
        QProcess::execute("xdotool", drag.arg(grip.x()).arg(grip.y()).split(' '));
        QCOMPARE(settledFrame(window, true), frame.translated(40, 30));
        QCOMPARE(WindowRegistry::show(kind), window);
        QCOMPARE(settledFrame(window, true), frame.translated(40, 30));
    }
};

QTEST_MAIN(TestFrameCentring)
#include "tst_framecentring.moc"
