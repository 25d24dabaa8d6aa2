#pragma once

#include <cstdint>

namespace kestrova {

// A colour of a profile range, 8 bits per channel. White is the "no colour" of
// the colour lookup: a cell whose lookup gives white keeps its background.
struct Rgb {
    int red = 255;
    int green = 255;
    int blue = 255;

    static constexpr Rgb white() { return Rgb{255, 255, 255}; }
    constexpr bool isWhite() const { return red == 255 && green == 255 && blue == 255; }
    // 0xAARRGGBB, opaque, as the images of the core hold pixels.
    constexpr std::uint32_t argb() const {
        return 0xff000000u | (static_cast<std::uint32_t>(red & 0xff) << 16) |
               (static_cast<std::uint32_t>(green & 0xff) << 8) |
               static_cast<std::uint32_t>(blue & 0xff);
    }

    bool operator==(const Rgb&) const = default;
};

}  // namespace kestrova
