#pragma once

// Helpers for tests that drive several windows together, as the program does.

#include "platform/windowregistry.h"
#include "windows/windowkinds.h"

#include <QPushButton>
#include <QTest>

namespace windowstesting {

inline QWidget *live(sweltra::platform::WindowKind kind) {
    return sweltra::platform::WindowRegistry::find(kind);
}

// A control of the live window of this kind, by its name; nullptr when either is missing.
template <typename T> T *control(sweltra::platform::WindowKind kind, const char *name) {
    QWidget *window = live(kind);
    return window ? window->findChild<T *>(QLatin1String(name)) : nullptr;
}

// Clicks a button of the live window of this kind; false when window or button is missing.
inline bool click(sweltra::platform::WindowKind kind, const char *button) {
    auto *control = windowstesting::control<QPushButton>(kind, button);
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
