#pragma once

#include "platform/fonts.h"
#include "platform/twips.h"

#include <QImage>

#include <functional>
#include <span>
#include <string_view>

class QWidget;

namespace sweltra::platform {

// What a row of a window's layout table becomes.
enum class ControlKind {
    Label,     // static text, left-aligned at the top of its box
    Button,    // push button; Enter presses it when it has the focus, once however long it is held
    TextField, // single-line text field
    ReadOnly,  // read-only text field, centred, that still takes the focus
    List,      // drop-down list with an edit field
    Picture,   // the picture the caption names, centred in its box
    RichText,  // rich-text box
    Outline,   // a thin rectangle drawn behind the controls it frames
};

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

// The picture a Picture row's caption names.
using PictureLookup = std::function<QImage(const char *name)>;

// Creates the rows' controls on the parent, named, placed, captioned, in their fonts and with
// their pictures, lets the window prepare each, and then chains those with a tab index in its order.
void buildControls(QWidget *parent, std::span<const ControlRow> rows, const PrepareControl &prepare = {},
                   const PictureLookup &pictures = {});

// Makes the window a fixed-size dialog-framed window of the given client size, centred.
void makeFixedDialog(QWidget *window, const char *name, int widthTwips, int heightTwips);

// The words the windows' layout tables are written in.
namespace layout {
using platform::DesignFont;
using platform::Face;
using K = ControlKind;
using L = Look;
} // namespace layout

} // namespace sweltra::platform
