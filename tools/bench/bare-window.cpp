// The yardstick for the benchmarks: a Qt program that shows one empty window the size of the
// start-up window and does nothing else.
#include "platform/twips.h"
#include "startup/startupwindow.h"

#include <QApplication>
#include <QWidget>

using sweltra::startup::StartupWindow;

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(sweltra::platform::toPixels(StartupWindow::clientWidth, StartupWindow::clientHeight));
    window.show();
    return QApplication::exec();
}
