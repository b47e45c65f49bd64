#include "platform/firstpaint.h"
#include "platform/fonts.h"
#include "platform/windowregistry.h"
#include "resources/emblem.h"
#include "windows/windowkinds.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    sweltra::platform::reportFirstPaintIfAsked();
    QApplication::setApplicationName(QStringLiteral("SweltraC"));
    QGuiApplication::setDesktopFileName(QStringLiteral("au.rudev.Sweltra"));
    QApplication::setWindowIcon(sweltra::resources::windowIcon());
    sweltra::platform::installFontSubstitutes();
    sweltra::windows::registerWindowKinds();

    sweltra::platform::WindowRegistry::show(sweltra::platform::WindowKind::Startup);
    return QApplication::exec();
}
