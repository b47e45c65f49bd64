#pragma once

namespace sweltra::windows {

// Tells the window registry how each of the four kinds of window is made.
void registerWindowKinds();

} // namespace sweltra::windows
