#include "windows/windowkinds.h"

#include "calculator/calculatorwindow.h"
#include "platform/windowregistry.h"
#include "startup/aboutwindow.h"
#include "startup/startupwindow.h"
#include "viewer/viewerwindow.h"

namespace sweltra::windows {

void registerWindowKinds() {
    using platform::WindowKind;
    using platform::WindowRegistry;
    WindowRegistry::setFactory(WindowKind::Startup, [] { return new startup::StartupWindow; });
    WindowRegistry::setFactory(WindowKind::About, [] { return new startup::AboutWindow; });
    WindowRegistry::setFactory(WindowKind::Calculator, [] { return new calculator::CalculatorWindow; });
    WindowRegistry::setFactory(WindowKind::Viewer, [] { return new viewer::frmReadMeViewer; });
}

} // namespace sweltra::windows
