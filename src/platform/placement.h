#pragma once

#include <QWidget>

namespace sweltra::platform {

// Gives the window a client area of the given size in twips; a fixed frame cannot be resized.
void setClientSize(QWidget *window, int widthTwips, int heightTwips, bool fixed);

// Places the whole window, frame included, in the middle of its screen's available area. The
// frame a window manager draws is known only once the window is on the screen: the window is
// placed as well as can be guessed now and put right when it first appears; later moves stay.
void centreOnScreen(QWidget *window);

} // namespace sweltra::platform
