#pragma once

#include <QIcon>
#include <QImage>

namespace sweltra::resources {

// The emblem as compiled into the program, drawn in emblem.svg and rendered by render-icons.sh.
inline constexpr char emblem90Path[] = ":/emblem-90.png"; // 90 by 90, opaque on white: start-up window
inline constexpr char emblem48Path[] = ":/emblem-48.png"; // 48 by 48: About window
inline constexpr char icon32Path[] = ":/icon-32.png";     // 32 by 32: window icon
inline constexpr char icon256Path[] = ":/icon-256.png";   // 256 by 256: large icons, high-dpi screens

// The compiled-in bitmap at one of the paths above, decoded once and then shared. Decoded
// directly: Qt's own image reader first loads every image-format plugin it can find (SVG, JPEG,
// ...), which costs more start-up time than the decoding itself.
QImage bitmap(const char *path);

// Decodes the bitmaps the start-up window and the window icon need. Safe on any thread and
// before the application object exists, so start-up can do it while it connects to the display.
void decodeAhead();

// The window icon in the sizes the screens need: 32 and 48, and 256 on high-density screens.
QIcon windowIcon();

} // namespace sweltra::resources
