// The yardstick for the benchmarks: a Qt program that shows one empty window the size of the
// start-up window and does nothing else.
#include "platform/firstpaint.h"
#include "platform/twips.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    sweltra::platform::reportFirstPaintIfAsked();
    QWidget window;
    window.resize(sweltra::platform::toPixels(9405, 6240));
    window.show();
    return QApplication::exec();
}
