#pragma once

#include <QRect>

namespace sweltra::platform {

// Layout tables are kept in twips (1/1440 inch). 15 twips make one logical pixel at 96 dpi;
// Qt scales logical pixels on high-dpi screens. Every window converts through here, rounding to nearest.
constexpr int twipsToPixels(int twips) {
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

// A control's box given as left, top, width and height in twips.
struct TwipsBox {
    int left;
    int top;
    int width;
    int height;
};

constexpr QRect toPixels(TwipsBox box) {
    return {twipsToPixels(box.left), twipsToPixels(box.top), twipsToPixels(box.width),
            twipsToPixels(box.height)};
}

constexpr QSize toPixels(int widthTwips, int heightTwips) {
    return {twipsToPixels(widthTwips), twipsToPixels(heightTwips)};
}

} // namespace sweltra::platform
