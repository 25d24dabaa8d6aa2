#include "client/x11/ZPixmapDecoder.h"

#include <bit>
#include <cstring>

namespace kestrova {

namespace {

// One colour channel scaled to 8 bits, whatever the width of its mask.
int channel(std::uint32_t pixel, std::uint32_t mask) {
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const std::uint32_t value = (pixel & mask) >> shift;
    if (bits == 8)
        return static_cast<int>(value);
    if (bits > 8)
        return static_cast<int>(value >> (bits - 8));
    const std::uint32_t maxValue = (1u << bits) - 1u;
    return static_cast<int>((value * 255u + maxValue / 2u) / maxValue);
}

std::uint32_t readPixel(const std::uint8_t* p, int bytes, bool msbFirst) {
    std::uint32_t value = 0;
    if (msbFirst) {
        for (int i = 0; i < bytes; ++i)
            value = (value << 8) | p[i];
    } else {
        for (int i = bytes - 1; i >= 0; --i)
            value = (value << 8) | p[i];
    }
    return value;
}

}  // namespace

std::size_t ZPixmapFormat::rowBytes(int width) const {
    if (width <= 0 || bitsPerPixel <= 0 || scanlinePadBits <= 0)
        return 0;
    const std::size_t bits =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel);
    const auto pad = static_cast<std::size_t>(scanlinePadBits);
    return (bits + pad - 1) / pad * pad / 8;
}

bool ZPixmapFormat::supported() const {
    const bool sizeOk = bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
    const bool padOk = scanlinePadBits == 8 || scanlinePadBits == 16 || scanlinePadBits == 32;
    return sizeOk && padOk && redMask != 0 && greenMask != 0 && blueMask != 0;
}

bool decodeZPixmap(const ZPixmapFormat& format, const std::uint8_t* data, std::size_t size,
                   int rows, int firstRow, Image& image) {
    if (!format.supported() || !data || rows < 0 || firstRow < 0 ||
        firstRow + rows > image.height())
        return false;
    const int width = image.width();
    const std::size_t stride = format.rowBytes(width);
    if (rows > 0 && (stride == 0 || size / stride < static_cast<std::size_t>(rows)))
        return false;

    // The usual TrueColor layout: each pixel as it is, made opaque.
    if (format.bitsPerPixel == 32 && !format.msbFirst && format.redMask == 0xff0000u &&
        format.greenMask == 0xff00u && format.blueMask == 0xffu &&
        std::endian::native == std::endian::little) {
        for (int y = 0; y < rows; ++y) {
            std::uint32_t* dst = image.row(firstRow + y);
            std::memcpy(dst, data + static_cast<std::size_t>(y) * stride,
                        static_cast<std::size_t>(width) * 4);
            for (int x = 0; x < width; ++x)
                dst[x] |= 0xff000000u;
        }
        return true;
    }
    const int bytes = format.bitsPerPixel / 8;
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* src = data + static_cast<std::size_t>(y) * stride;
        std::uint32_t* dst = image.row(firstRow + y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = readPixel(src + x * bytes, bytes, format.msbFirst);
            dst[x] = rgb(channel(pixel, format.redMask), channel(pixel, format.greenMask),
                         channel(pixel, format.blueMask));
        }
    }
    return true;
}

}  // namespace kestrova
