#pragma once

namespace sweltra::windows {

// Tells the window registry how each of the four kinds of window is made, and gives the
// application the program's name and icon, which every window shows.
void registerWindowKinds();

} // namespace sweltra::windows
