#pragma once

#include "common/Image.h"

#include <cstddef>
#include <cstdint>

namespace kestrova {

// How the server lays out the pixels of a GetImage reply in ZPixmap format.
struct ZPixmapFormat {
    int bitsPerPixel = 32;
    int scanlinePadBits = 32;
    bool msbFirst = false;  // the server's image byte order
    std::uint32_t redMask = 0xff0000u;
    std::uint32_t greenMask = 0x00ff00u;
    std::uint32_t blueMask = 0x0000ffu;

    // Bytes of one row, padded as the server pads scanlines; 0 for an unusable format.
    std::size_t rowBytes(int width) const;
    // 16, 24 and 32 bits per pixel with non-empty colour masks.
    bool supported() const;
};

// Writes `rows` rows of ZPixmap data into image rows firstRow.., as opaque
// 0xAARRGGBB. False, leaving the image unchanged, when the format is not supported,
// the rows do not fit the image or the data is shorter than the rows need.
bool decodeZPixmap(const ZPixmapFormat& format, const std::uint8_t* data, std::size_t size,
                   int rows, int firstRow, Image& image);

}  // namespace kestrova
