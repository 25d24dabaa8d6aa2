#include "BenchCapture.h"

#include <sstream>
#include <string_view>
#include <vector>

namespace kestrova {

namespace {

constexpr std::string_view kCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789$/,.()-_'";

// Every character a distinct three-column frame, 12 rows at most.
GlyphTable builtInFont() {
    std::ostringstream text;
    unsigned middle = 2;
    for (const char c : kCharacters) {
        text << "1020," << middle << ",1020,\n" << c << "\n";
        middle += 2;
    }
    std::istringstream in(text.str());
    return GlyphTable::parse(in);
}

// The first single-character entry of each character that fits 12 rows.
std::map<char, std::string> glyphsOf(const GlyphTable& table) {
    std::map<char, std::string> glyphs;
    const auto entries = table.entries();
    for (std::size_t i = entries.size(); i-- > 0;) {
        const GlyphTable::Pair entry = entries[i];
        if (entry.text.size() != 1 || glyphs.contains(entry.text[0])) {
            continue;
        }
        bool fits = true;
        unsigned value = 0;
        for (const char c : entry.signature) {
            if (c == ',') {
                fits = fits && value < (1u << 12) - 1;
                value = 0;
            } else {
                value = value * 10 + static_cast<unsigned>(c - '0');
            }
        }
        if (fits) {
            glyphs[entry.text[0]] = entry.signature;
        }
    }
    return glyphs;
}

void fill(Image& image, int left, int top, int right, int bottom, std::uint32_t argb) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            image.setPixel(x, y, argb);
        }
    }
}

int draw(Image& image, const std::map<char, std::string>& glyphs, int x, int top,
         std::string_view text, std::uint32_t ink, int gap = 1) {
    for (const char c : text) {
        const auto glyph = glyphs.find(c);
        if (c == ' ' || glyph == glyphs.end()) {
            x += 5;
            continue;
        }
        unsigned value = 0;
        for (const char s : glyph->second) {
            if (s != ',') {
                value = value * 10 + static_cast<unsigned>(s - '0');
                continue;
            }
            for (int r = 0; r < 16; ++r) {
                if ((value >> r) & 1u) {
                    image.setPixel(x, top + r, ink);
                }
            }
            value = 0;
            ++x;
        }
        x += gap;
    }
    return x;
}

class ImageVirtualPixels final : public VirtualPixels {
public:
    explicit ImageVirtualPixels(const Image& image) : image_(image) {}
    std::uint32_t pixel(int x, int y) const override { return image_.pixel(x, y); }
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }

private:
    const Image& image_;
};

}  // namespace

std::unique_ptr<VirtualPixels> makeVirtualPixels(const Image& image) {
    return std::make_unique<ImageVirtualPixels>(image);
}

BenchCapture makeBenchCapture(const std::filesystem::path& glyphFile, int seatNameGap) {
    BenchCapture capture;
    capture.glyphs = GlyphTable::load(glyphFile);
    std::map<char, std::string> glyphs = glyphsOf(capture.glyphs);
    capture.fontSource = glyphFile.filename().string();
    if (glyphs.size() < 40) {
        capture.glyphs = builtInFont();
        glyphs = glyphsOf(capture.glyphs);
        capture.fontSource = "built-in font";
    }

    capture.image = Image(1000, 620, rgb(110, 110, 120));
    capture.geometry = LobbyGeometry::fromListWindow(Rect{0, 20, 990, 600});
    Image& image = capture.image;
    const LobbyGeometry& g = capture.geometry;
    const std::uint32_t white = rgb(255, 255, 255);

    // Table list: 21 lines starting 6 rows below the list top, line 9 selected.
    fill(image, g.listLeft, g.listTop, g.listRight, g.listTop + 6, rgb(20, 20, 40));
    for (int line = 0; line < 21; ++line) {
        const int top = g.listTop + 6 + 16 * line;
        if (top + 16 > g.listBottom) {
            break;
        }
        const std::uint32_t background =
            line == 9 ? rgb(40, 150, 40) : (line % 2 ? rgb(30, 30, 70) : rgb(40, 40, 90));
        fill(image, g.listLeft, top, g.listRight, top + 16, background);
        std::string name = "Kathmandu ";
        name += std::to_string(line);
        name += " (S)";
        draw(image, glyphs, g.listLeft + 3, top, name, white);
        draw(image, glyphs, g.listLeft + 113, top, "Hold'em", white);
        draw(image, glyphs, g.listLeft + 181, top, "$0.10/$0.25", white);
        draw(image, glyphs, g.listLeft + 262, top, "7/10", white);
        draw(image, glyphs, g.listLeft + 340, top, "No Limit", white);
        draw(image, glyphs, g.listLeft + 408, top, "$12.40", white);
        draw(image, glyphs, g.listLeft + 490, top, "41/h", white);
    }

    // Seat list: border at y = 250 and x = 690, ten lines of one player each.
    fill(image, 690, 250, 1000, 420, rgb(215, 215, 205));
    fill(image, 690, 250, 1000, 251, rgb(10, 10, 10));
    fill(image, 690, 250, 691, 420, rgb(10, 10, 10));
    const char* names[] = {"Paddy_77", "rnicola", "Ill1ad", "O'Brien", "mister.x",
                           "Qwerty9",  "zz_top",  "Lola",   "Baxter",  "Nobody Home"};
    for (int line = 0; line < 10; ++line) {
        const int top = 253 + 14 * line;
        const std::uint32_t ink = rgb(20, 20, 140);
        draw(image, glyphs, 693, top, names[line], ink, seatNameGap);
        capture.seatNames.emplace_back(names[line]);
        std::string chips = "$";
        chips += std::to_string(line + 1);
        chips += ",234.50";
        draw(image, glyphs, 691 + 150, top, chips, ink);
    }
    return capture;
}

}  // namespace kestrova
