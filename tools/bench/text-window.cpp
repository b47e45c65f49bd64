// A second yardstick for the start-up benchmark: the bare window with one line of text in each of
// the three faces the start-up window shows, the way any Qt program would draw them. What it
// costs beyond the bare window is Qt's own price for text (fontconfig, font matching, FreeType).
#include "platform/fonts.h"
#include "platform/twips.h"
#include "startup/startupwindow.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

using sweltra::platform::Face;
using sweltra::startup::StartupWindow;

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    sweltra::platform::installFontSubstitutes();
    QWidget window;
    window.resize(sweltra::platform::toPixels(StartupWindow::clientWidth, StartupWindow::clientHeight));
    const struct {
        Face face;
        double points;
        bool bold;
    } lines[] = {
        {Face::Arial, 26.25, true}, {Face::ComicSansMs, 14.25, true}, {Face::MsSansSerif, 8.25, false}};
    int top = 40;
    for (const auto &line : lines) {
        auto *label = new QLabel(QStringLiteral("The quick brown fox jumps over the lazy dog"), &window);
        label->setFont(sweltra::platform::designFont(line.face, line.points, line.bold));
        label->move(40, top);
        label->adjustSize();
        top += label->height() + 40;
    }
    window.show();
    return QApplication::exec();
}
