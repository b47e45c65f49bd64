#pragma once

#include "platform/fonts.h"
#include "platform/twips.h"

#include <QFont>

class QWidget;

namespace sweltra::startup {

enum class ControlKind { Button, Label, Picture, RichText };

struct FontChoice {
    platform::Face face;
    double points;
    bool bold;
};

// One control of a window as designed: its place in twips, its caption and its font.
struct ControlRow {
    const char *name;
    ControlKind kind;
    // The caption (UTF-8), or for a picture the resource that it shows.
    const char *content;
    platform::TwipsBox box;
    FontChoice font;
};

QFont fontFor(const FontChoice &choice);

// Creates the row's control on the parent: named, placed, captioned and in its font.
// A picture is shown at its natural size in the middle of its box.
QWidget *addControl(QWidget *parent, const ControlRow &row);

// Makes the window a fixed-size dialog-framed window of the given client size, centred.
void makeFixedDialog(QWidget *window, const char *name, int widthTwips, int heightTwips);

} // namespace sweltra::startup
