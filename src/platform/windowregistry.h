#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

namespace sweltra::platform {

// The program's four kinds of window; at most one of each is alive.
enum class WindowKind { Startup, About, Calculator, Viewer };
constexpr int windowKindCount = 4;

// Windows name each other by kind; a window calls the typed hand-off of one in a module below
// it, never its controls. registerWindowKinds() tells the registry how each kind is made; tests
// may register only what they need.
class WindowRegistry {
public:
    using Factory = std::function<QWidget *()>;

    static void setFactory(WindowKind kind, Factory factory);

    // Creates the window of this kind if none is alive (deleted again when it closes),
    // shows it and brings it to the front; a live window is raised unchanged.
    static QWidget *show(WindowKind kind);

    // The same, typed: a window asks one below it for its hand-off this way; nullptr when the
    // kind is made as another class.
    template <typename W> static W *show(WindowKind kind) { return qobject_cast<W *>(show(kind)); }

    // The live window of this kind, or nullptr.
    static QWidget *find(WindowKind kind);

    template <typename W> static W *find(WindowKind kind) { return qobject_cast<W *>(find(kind)); }

    // Shows the next window first and closes the current one second, so the program
    // never passes through a moment without a window.
    static QWidget *handOver(QWidget *current, WindowKind next);

    // Closes every live window and forgets every factory; for tests.
    static void reset();

private:
    struct Slot {
        Factory factory;
        QPointer<QWidget> window;
    };
    static std::array<Slot, windowKindCount> &table();
};

} // namespace sweltra::platform
