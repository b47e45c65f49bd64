#include "platform/fonts.h"

#include <QStringList>
#include <QWidget>

#ifdef SWELTRA_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#include <cmath>

namespace sweltra::platform {
namespace {

struct FaceEntry {
    Face face;
    const char *windowsName;
    // Debian's free faces, best fit first: metrics close to the original so captions fit their boxes.
    QStringList substitutes;
};

const FaceEntry &entry(Face face) {
    static const FaceEntry table[] = {
        // Arial's widths (Liberation Sans, Arimo) fit captions laid out for this face with room to
        // spare; plain DejaVu Sans is too wide for several, its condensed cut is not.
        {Face::MsSansSerif,
         "MS Sans Serif",
         {"Liberation Sans", "Arimo", "Arial", "DejaVu Sans Condensed", "DejaVu Sans"}},
        {Face::Arial, "Arial", {"Liberation Sans", "DejaVu Sans"}},
        {Face::Verdana, "Verdana", {"DejaVu Sans", "Liberation Sans"}},
        {Face::ComicSansMs, "Comic Sans MS", {"Comic Neue", "Comic Sans MS", "DejaVu Sans"}},
    };
    for (const auto &e : table) {
        if (e.face == face) {
            return e;
        }
    }
    return table[0];
}

} // namespace

QString familyName(Face face) {
    return QString::fromLatin1(entry(face).windowsName);
}

QFont designFont(Face face, double points, bool bold) {
    QFont font(familyName(face));
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    font.setStyleHint(face == Face::ComicSansMs ? QFont::Fantasy : QFont::SansSerif);
    return font;
}

QFont toFont(DesignFont font) {
    return designFont(font.face, font.points, font.bold);
}

void setWindowFont(QWidget *window, DesignFont font) {
    window->setFont(toFont(font));
}

void installFontSubstitutes() {
#ifndef Q_OS_WIN // Windows has the faces themselves
    // Substitutes are consulted only when the face itself is missing, so no need to ask the
    // font database first (which would cost start-up time).
    for (Face face : {Face::MsSansSerif, Face::Arial, Face::Verdana, Face::ComicSansMs}) {
        const FaceEntry &e = entry(face);
        QFont::insertSubstitutions(QString::fromLatin1(e.windowsName), e.substitutes);
    }
#endif
}

void loadFontConfiguration() {
#ifdef SWELTRA_FONTCONFIG
    // Qt asks fontconfig for the same configuration when it first needs a font; fontconfig keeps
    // the one loaded here, and two threads asking at once still get one between them.
    FcInit();
#endif
}

} // namespace sweltra::platform
