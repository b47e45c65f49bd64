// Each window's whole frame, title bar included, stands in the middle of the screen's available
// area, measured from outside with x11-utils on a real X server, with a window manager or none.
#include "platform/fonts.h"
#include "windowstesting.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <utility>

using sweltra::platform::WindowKind;
using sweltra::platform::WindowRegistry;

namespace {

QString x11(const QString &program, const QStringList &arguments) {
    QProcess tool;
    tool.start(program, arguments);
    return tool.waitForFinished(5000) && tool.exitCode() == 0
               ? QString::fromLocal8Bit(tool.readAllStandardOutput())
               : QString();
}

// The numbers of a property as xprop prints them ("NAME(CARDINAL) = 1, 2, 3").
QList<int> cardinals(const QStringList &arguments) {
    QList<int> numbers;
    for (const QString &number : x11("xprop", arguments).section('=', 1).split(',', Qt::SkipEmptyParts)) {
        numbers << number.trimmed().toInt();
    }
    return numbers;
}

bool windowManaged() {
    return x11("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
}

// The window's area as the X server has it, grown by the borders the window manager says it drew,
// once the window is mapped and has stopped moving.
QRect settledFrame(QWidget *window) {
    const QString id = QString::number(window->winId());
    const QRegularExpression area(
        "X: +(-?\\d+)\\s+Absolute upper-left Y: +(-?\\d+)[^W]*Width: (\\d+)\\s+Height: (\\d+)");
    QRect last;
    for (int attempt = 0; attempt < 40; ++attempt) {
        QTest::qWait(100);
        const QString info = x11("xwininfo", {"-id", id});
        const QRegularExpressionMatch at = area.match(info);
        QList<int> border = cardinals({"-id", id, "_NET_FRAME_EXTENTS"});
        border = border.isEmpty() && !windowManaged() ? QList<int>{0, 0, 0, 0} : border;
        const QRect now = at.hasMatch() && info.contains("IsViewable") && border.size() == 4
                              ? QRect(at.captured(1).toInt(), at.captured(2).toInt(), at.captured(3).toInt(),
                                      at.captured(4).toInt())
                                    .adjusted(-border[0], -border[2], border[1], border[3])
                              : QRect();
        if (now.isValid() && now == std::exchange(last, now)) {
            return now;
        }
    }
    return {};
}

} // namespace

class TestFrameCentring : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != "xcb" || x11("xwininfo", {"-root"}).isEmpty()) {
            QVERIFY2(!qEnvironmentVariableIntValue("SWELTRA_REQUIRE_X"), "needs an X server and x11-utils");
            QSKIP("needs an X server and x11-utils: run through the virtual X helper");
        }
        sweltra::platform::installFontSubstitutes();
    }
    void init() { sweltra::windows::registerWindowKinds(); }
    void cleanup() { WindowRegistry::reset(); }

    void frameIsCentred_data() {
        QTest::addColumn<WindowKind>("kind");
        QTest::newRow("start-up window") << WindowKind::Startup;
        QTest::newRow("About window") << WindowKind::About;
        QTest::newRow("calculator") << WindowKind::Calculator;
        QTest::newRow("document viewer") << WindowKind::Viewer;
    }
    void frameIsCentred() {
        QFETCH(WindowKind, kind);
        QWidget *window = WindowRegistry::show(kind);
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        const QRect frame = settledFrame(window);
        const QList<int> area = cardinals({"-root", "_NET_WORKAREA"});
        const QRect available =
            area.size() >= 4 ? QRect(area[0], area[1], area[2], area[3]) : window->screen()->geometry();
        // Twice the distance between the centres, so that odd sizes compare exactly.
        const QPoint off =
            frame.topLeft() + frame.bottomRight() - available.topLeft() - available.bottomRight();
        qInfo("frame %d,%d %dx%d: centre off by %.1f, %.1f px", frame.x(), frame.y(), frame.width(),
              frame.height(), off.x() / 2.0, off.y() / 2.0);
        QVERIFY(frame.isValid() && std::abs(off.x()) <= 4 && std::abs(off.y()) <= 4);
    }

    // Once placed, the window stays where the user drags it by its title bar, shown again or not.
    void userMoveIsKept() {
        if (!windowManaged() || QStandardPaths::findExecutable("xdotool").isEmpty()) {
            QSKIP("needs a window manager and xdotool to drag the window");
        }
        QWidget *window = WindowRegistry::show(WindowKind::Calculator);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QRect placed = settledFrame(window);
        const QPoint grip(placed.center().x(), (placed.top() + window->geometry().top()) / 2);
        // The window manager starts the drag on the first motion and moves the frame on the next.
        x11("xdotool", QString("mousemove %1 %2 sleep 0.2 mousedown 1 sleep 0.2 mousemove %3 %4 sleep 0.2 "
                               "mousemove %5 %6 sleep 0.2 mouseup 1")
                           .arg(grip.x())
                           .arg(grip.y())
                           .arg(grip.x() + 20)
                           .arg(grip.y() + 15)
                           .arg(grip.x() + 40)
                           .arg(grip.y() + 30)
                           .split(' '));
        const QRect moved = settledFrame(window);
        QVERIFY(placed.isValid() && moved.topLeft() == placed.topLeft() + QPoint(40, 30));
        QCOMPARE(WindowRegistry::show(WindowKind::Calculator), window);
        QCOMPARE(settledFrame(window), moved);
    }
};

QTEST_MAIN(TestFrameCentring)
#include "tst_framecentring.moc"
