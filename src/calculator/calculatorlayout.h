#pragma once

#include "platform/twips.h"

#include <span>
#include <string_view>

namespace sweltra::calculator {

// What a row of the window's layout becomes.
enum class ControlKind { Label, List, PointsBox, TotalBox, Button, Rectangle, RichText };

// A control's font as the window was designed: MS Sans Serif at a point size. A size of 0 leaves
// the control with the window's font (the guideline box shows each document's own fonts).
struct DesignFont {
    double points;
    bool bold;
};

// One control of the calculator window, positioned in twips from the client area's top-left corner.
struct ControlRow {
    std::string_view name;
    ControlKind kind;
    // Caption of a label or button. Factor captions and list entries come from the risk catalogue.
    std::string_view text;
    platform::TwipsBox box;
    int tabIndex; // place in the tab order; -1 for controls that never take the focus
    DesignFont font;
    std::string_view toolTip;
    bool darkRed = false; // text colour red 128, green 0, blue 0
};

// The window's client area in twips.
inline constexpr int clientWidthTwips = 9375;
inline constexpr int clientHeightTwips = 5925;

// The window's own font, for controls that name none.
inline constexpr DesignFont windowFont{8.25, false};

// Every control of the window, factor by factor and then the rest.
std::span<const ControlRow> calculatorLayout();

} // namespace sweltra::calculator
