#include "platform/windowregistry.h"

namespace sweltra::platform {

std::array<WindowRegistry::Slot, windowKindCount> &WindowRegistry::table() {
    static std::array<Slot, windowKindCount> entries;
    return entries;
}

void WindowRegistry::setFactory(WindowKind kind, Factory factory) {
    table()[static_cast<size_t>(kind)].factory = std::move(factory);
}

QWidget *WindowRegistry::find(WindowKind kind) {
    return table()[static_cast<size_t>(kind)].window.data();
}

QWidget *WindowRegistry::show(WindowKind kind) {
    Slot &slot = table()[static_cast<size_t>(kind)];
    if (!slot.window) {
        if (!slot.factory) {
            return nullptr;
        }
        QWidget *window = slot.factory();
        window->setAttribute(Qt::WA_DeleteOnClose);
        slot.window = window;
    }
    QWidget *window = slot.window;
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

QWidget *WindowRegistry::handOver(QWidget *current, WindowKind next) {
    QWidget *shown = show(next);
    if (current && current != shown) {
        current->close();
    }
    return shown;
}

void WindowRegistry::reset() {
    for (Slot &slot : table()) {
        slot.factory = nullptr;
        if (slot.window) {
            // Bypass a window that refuses to close: tests start from nothing.
            delete slot.window.data();
        }
    }
}

} // namespace sweltra::platform
