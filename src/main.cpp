#include "platform/fonts.h"
#include "platform/windowregistry.h"
#include "resources/emblem.h"
#include "windows/windowkinds.h"

#include <QApplication>

#include <clocale>
#include <thread>

int main(int argc, char *argv[]) {
    // The font configuration and the start-up bitmaps are read on the second core while the
    // application connects to the display. The locale is set first, as the application object
    // would set it, so that the two threads never change and read it at once.
    std::setlocale(LC_ALL, "");
    std::jthread readAhead([] {
        sweltra::platform::loadFontConfiguration();
        sweltra::resources::decodeAhead();
    });
    QApplication app(argc, argv);
    readAhead.join();
    QGuiApplication::setDesktopFileName(QStringLiteral("au.rudev.Sweltra"));
    sweltra::platform::installFontSubstitutes();
    sweltra::windows::registerWindowKinds();

    sweltra::platform::WindowRegistry::show(sweltra::platform::WindowKind::Startup);
    return QApplication::exec();
}
