#pragma once

#include <QFont>

class QWidget;

namespace sweltra::platform {

// The Windows faces the windows are designed for.
enum class Face { MsSansSerif, Arial, Verdana, ComicSansMs };

// A font as the windows were designed; a size of 0 leaves a control in its window's font.
struct DesignFont {
    Face face;
    double points;
    bool bold;
};

inline constexpr DesignFont parentFont{Face::MsSansSerif, 0, false};

QFont toFont(DesignFont font);

// Gives the window its own font, the one its controls take unless their row names another.
void setWindowFont(QWidget *window, DesignFont font);

// A font of the given face and point size as the windows were designed at 96 dpi.
// Sizes are set in pixels so layouts do not depend on the screen's reported dpi.
QFont designFont(Face face, double points, bool bold);

// The family names Qt is asked for, substitutes included, for a face.
QString familyName(Face face);

// Registers free substitutes for the Windows faces that this machine lacks.
void installFontSubstitutes();

// Reads the system's font configuration (fontconfig: some fifty files of XML), the largest single
// cost of the first text a window measures; nothing where Qt does not use fontconfig. Safe on any
// thread and before the application object exists, so start-up can do it while it connects to
// the display.
void loadFontConfiguration();

} // namespace sweltra::platform
