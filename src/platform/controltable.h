#pragma once

#include "platform/fonts.h"
#include "platform/twips.h"

#include <functional>
#include <span>
#include <string_view>

class QWidget;

namespace sweltra::platform {

// What a row of a window's layout table becomes.
enum class ControlKind {
    Label,     // static text, left-aligned at the top of its box
    Button,    // push button
    TextField, // single-line text field
    ReadOnly,  // read-only text field, centred, that still takes the focus
    List,      // drop-down list with an edit field
    Picture,   // a compiled-in bitmap (the caption names it), centred in its box
    RichText,  // rich-text box
    Outline,   // a thin rectangle drawn behind the controls it frames
};

// A font as the windows were designed; a size of 0 leaves the control in its window's font.
struct DesignFont {
    Face face;
    double points;
    bool bold;
};

inline constexpr DesignFont parentFont{Face::MsSansSerif, 0, false};

QFont toFont(DesignFont font);

// How a control differs from its kind's ordinary look.
enum class Look { Plain, Black, DarkRed, Hidden };

// One control of a window as designed: its box in twips from the top-left corner of its parent.
struct ControlRow {
    std::string_view name;
    ControlKind kind;
    std::string_view caption; // UTF-8
    TwipsBox box;
    int tabIndex; // place in the tab order; -1 for a control outside it
    DesignFont font;
    std::string_view toolTip = {};
    Look look = Look::Plain;
};

// What a window adds to each control of its own before the tab order is set.
using PrepareControl = std::function<void(const ControlRow &row, QWidget *control)>;

// Creates the rows' controls on the parent, named, placed, captioned and in their fonts, lets the
// window prepare each, and then chains those with a tab index in its order.
void buildControls(QWidget *parent, std::span<const ControlRow> rows, const PrepareControl &prepare = {});

// Makes the window a fixed-size dialog-framed window of the given client size, centred.
void makeFixedDialog(QWidget *window, const char *name, int widthTwips, int heightTwips);

} // namespace sweltra::platform
