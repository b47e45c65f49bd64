#pragma once

#include <QFont>

namespace sweltra::platform {

// The Windows faces the windows are designed for.
enum class Face { MsSansSerif, Arial, Verdana, ComicSansMs };

// A font of the given face and point size as the windows were designed at 96 dpi.
// Sizes are set in pixels so layouts do not depend on the screen's reported dpi.
QFont designFont(Face face, double points, bool bold);

// The family names Qt is asked for, substitutes included, for a face.
QString familyName(Face face);

// Registers free substitutes for the Windows faces that this machine lacks.
void installFontSubstitutes();

} // namespace sweltra::platform
