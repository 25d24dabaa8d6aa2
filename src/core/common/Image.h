#pragma once

#include <cstdint>
#include <vector>

namespace kestrova {

// A 32-bit capture, one 0xAARRGGBB word per pixel, rows top to bottom.
// This is the layout of QImage::Format_RGB32 and of a 24/32-bit ZPixmap on a
// little-endian X server, so backends fill it with one copy.
class Image {
public:
    Image() = default;
    Image(int width, int height, std::uint32_t fill = 0xff000000u)
        : width_(width > 0 ? width : 0),
          height_(height > 0 ? height : 0),
          pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

    int width() const { return width_; }
    int height() const { return height_; }
    bool isNull() const { return pixels_.empty(); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Unchecked; callers test contains() or clip their loops first.
    std::uint32_t pixel(int x, int y) const { return pixels_[index(x, y)]; }
    void setPixel(int x, int y, std::uint32_t argb) { pixels_[index(x, y)] = argb; }
    const std::uint32_t* row(int y) const { return pixels_.data() + index(0, y); }
    std::uint32_t* row(int y) { return pixels_.data() + index(0, y); }
    std::vector<std::uint32_t>& pixels() { return pixels_; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

inline int redOf(std::uint32_t argb) {
    return static_cast<int>((argb >> 16) & 0xffu);
}
inline int greenOf(std::uint32_t argb) {
    return static_cast<int>((argb >> 8) & 0xffu);
}
inline int blueOf(std::uint32_t argb) {
    return static_cast<int>(argb & 0xffu);
}
inline std::uint32_t rgb(int r, int g, int b) {
    return 0xff000000u | (static_cast<std::uint32_t>(r & 0xff) << 16) |
           (static_cast<std::uint32_t>(g & 0xff) << 8) | static_cast<std::uint32_t>(b & 0xff);
}

}  // namespace kestrova
