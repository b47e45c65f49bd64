#include "calculator/calculatorwindow.h"
#include "documents/readmeviewer.h"
#include "platform/firstpaint.h"
#include "platform/fonts.h"
#include "platform/windowregistry.h"
#include "resources/emblem.h"
#include "startup/aboutwindow.h"
#include "startup/startupwindow.h"

#include <QApplication>

using sweltra::platform::WindowKind;
using sweltra::platform::WindowRegistry;

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    sweltra::platform::reportFirstPaintIfAsked();
    QApplication::setApplicationName(QStringLiteral("SweltraC"));
    QGuiApplication::setDesktopFileName(QStringLiteral("au.rudev.Sweltra"));
    QApplication::setWindowIcon(sweltra::resources::windowIcon());
    sweltra::platform::installFontSubstitutes();

    WindowRegistry::setFactory(WindowKind::Startup, [] { return new sweltra::startup::StartupWindow; });
    WindowRegistry::setFactory(WindowKind::About, [] { return new sweltra::startup::AboutWindow; });
    WindowRegistry::setFactory(WindowKind::Calculator,
                               [] { return new sweltra::calculator::CalculatorWindow; });
    WindowRegistry::setFactory(WindowKind::Viewer, [] { return new sweltra::documents::frmReadMeViewer; });

    WindowRegistry::show(WindowKind::Startup);
    return QApplication::exec();
}
