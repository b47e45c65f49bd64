#include "windows/windowkinds.h"

#include "calculator/calculatorwindow.h"
#include "platform/windowregistry.h"
#include "resources/emblem.h"
#include "startup/aboutwindow.h"
#include "startup/startupwindow.h"
#include "viewer/viewerwindow.h"

#include <QGuiApplication>

namespace sweltra::windows {

void registerWindowKinds() {
    // The message box takes its caption from the application's name; every window shows its icon.
    QCoreApplication::setApplicationName(QStringLiteral("SweltraC"));
    QGuiApplication::setWindowIcon(resources::windowIcon());
    using platform::WindowKind;
    using platform::WindowRegistry;
    WindowRegistry::setFactory(WindowKind::Startup, [] { return new startup::StartupWindow; });
    WindowRegistry::setFactory(WindowKind::About, [] { return new startup::AboutWindow; });
    WindowRegistry::setFactory(WindowKind::Calculator, [] { return new calculator::CalculatorWindow; });
    WindowRegistry::setFactory(WindowKind::Viewer, [] { return new viewer::frmReadMeViewer; });
}

} // namespace sweltra::windows
