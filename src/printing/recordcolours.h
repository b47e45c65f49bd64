#pragma once

#include <cstdint>

namespace sweltra::printing {

// Colours as 0xRRGGBB.
struct BandColours {
    std::uint32_t fill;
    std::uint32_t text;
};

// The score bands' colours, lowest band first: the record's scale and the guidance documents' band
// picture (scorebands hands them to make-band-bar.sh). Black is read better than white on the yellow.
inline constexpr BandColours bandColours[] = {
    {0x2e7d32, 0xffffff}, {0xf2c200, 0x000000}, {0xe06c00, 0xffffff}, {0xb71c1c, 0xffffff}};

// The record's ink for text and drawn lines: a near black that prints evenly.
inline constexpr std::uint32_t ink = 0x141414;

} // namespace sweltra::printing
