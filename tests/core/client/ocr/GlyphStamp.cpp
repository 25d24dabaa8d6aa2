#include "GlyphStamp.h"

#include <sstream>

namespace kestrova::testing {

std::vector<std::uint32_t> columnsOf(std::string_view signature) {
    std::vector<std::uint32_t> columns;
    std::uint32_t value = 0;
    for (const char c : signature) {
        if (c == ',') {
            columns.push_back(value);
            value = 0;
        } else {
            value = value * 10 + static_cast<std::uint32_t>(c - '0');
        }
    }
    return columns;
}

int stamp(Image& image, int x, int top, std::string_view signature, std::uint32_t ink) {
    const std::vector<std::uint32_t> columns = columnsOf(signature);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        for (int r = 0; r < 32; ++r) {
            const int px = x + static_cast<int>(i);
            if ((columns[i] >> r) & 1u && image.contains(px, top + r)) {
                image.setPixel(px, top + r, ink);
            }
        }
    }
    return static_cast<int>(columns.size());
}

void fill(Image& image, int left, int top, int right, int bottom, std::uint32_t argb) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (image.contains(x, y)) {
                image.setPixel(x, y, argb);
            }
        }
    }
}

TestFont::TestFont() {
    signatures_['1'] = "4,1022,";
    signatures_['.'] = "512,512,";
    signatures_['l'] = "1022,1022,";
    signatures_['m'] = "1016,1016,8,1016,1016,";
    signatures_['r'] = "1016,16,8,";
    signatures_['n'] = "1016,8,8,1008,";
    // The rest: a frame with a distinct middle column.
    const std::string others = "023456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijkopqstuvwxyz$/,()-_':";
    std::uint32_t middle = 2;
    for (const char c : others) {
        signatures_[c] = "1020," + std::to_string(middle) + ",1020,";
        middle += 2;
    }
}

std::string TestFont::tableText() const {
    std::string text;
    for (const auto& [c, signature] : signatures_) {
        text += signature + "\n" + std::string(1, c) + "\n";
    }
    return text;
}

GlyphTable TestFont::table() const {
    std::istringstream in(tableText());
    return GlyphTable::parse(in);
}

int TestFont::draw(Image& image, int x, int top, std::string_view text, std::uint32_t ink,
                   int gap) const {
    bool first = true;
    for (const char c : text) {
        if (c == ' ') {
            x += 5 - gap;
            continue;
        }
        if (!first) {
            x += gap;
        }
        first = false;
        x += stamp(image, x, top, signature(c), ink);
    }
    return x;
}

Image cropped(const Image& image, int width, int height, std::uint32_t outside) {
    Image small(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            small.setPixel(x, y, image.contains(x, y) ? image.pixel(x, y) : outside);
    }
    return small;
}

}  // namespace kestrova::testing
