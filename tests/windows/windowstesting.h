#pragma once

// Helpers for tests that drive several windows together, as the program does.

#include "calculator/calculatorwindow.h"
#include "documents/readmeviewer.h"
#include "platform/placement.h"
#include "platform/windowregistry.h"
#include "startup/aboutwindow.h"
#include "startup/startupwindow.h"

#include <QPushButton>
#include <QTest>

namespace windowstesting {

// The four kinds of window, made as the program makes them.
inline void registerAllWindows() {
    using namespace sweltra::platform;
    WindowRegistry::setFactory(WindowKind::Startup, [] { return new sweltra::startup::StartupWindow; });
    WindowRegistry::setFactory(WindowKind::About, [] { return new sweltra::startup::AboutWindow; });
    WindowRegistry::setFactory(WindowKind::Calculator,
                               [] { return new sweltra::calculator::CalculatorWindow; });
    WindowRegistry::setFactory(WindowKind::Viewer, [] { return new sweltra::documents::frmReadMeViewer; });
}

inline QWidget *live(sweltra::platform::WindowKind kind) {
    return sweltra::platform::WindowRegistry::find(kind);
}

// Clicks a button of the live window of this kind; false when window or button is missing.
inline bool click(sweltra::platform::WindowKind kind, const char *button) {
    auto *control = sweltra::platform::control<QPushButton>(live(kind), button);
    if (!control || !control->isVisible() || !control->isEnabled()) {
        return false;
    }
    QTest::mouseClick(control, Qt::LeftButton);
    return true;
}

// Windows close by deleting themselves later: let that happen.
inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace windowstesting
