#include "GdiFont.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace kestrova::sim {

namespace {

// Room around the pen position when a single character is rasterised.
constexpr int kScratchLeft = 16;
constexpr int kScratchTop = 16;
constexpr int kScratchSize = 64;

std::string signatureOf(const GdiFont::Glyph& glyph) {
    std::string signature;
    for (const std::uint32_t code : glyph.columns)
        signature += std::to_string(code) + ",";
    return signature;
}

}  // namespace

GdiFont::GdiFont()
    : font_(CreateFontA(-kPixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                        OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, "Tahoma")) {}

GdiFont::~GdiFont() {
    DeleteObject(static_cast<HFONT>(font_));
}

const char* GdiFont::characterSet() {
    return "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789$/,.()-_':!&#+@?";
}

GdiFont::Glyph GdiFont::rasterise(char character) const {
    Glyph glyph;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kScratchSize;
    info.bmiHeader.biHeight = -kScratchSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc == nullptr || bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        if (dc != nullptr)
            DeleteDC(dc);
        return glyph;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, static_cast<HFONT>(font_));
    std::memset(bits, 0xff, kScratchSize * kScratchSize * 4);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    TextOutA(dc, kScratchLeft, kScratchTop + kBaselineRow, &character, 1);
    SIZE extent{};
    GetTextExtentPoint32A(dc, &character, 1, &extent);
    glyph.advance = extent.cx;
    GdiFlush();

    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    int first = -1;
    std::vector<std::uint32_t> columns;
    for (int x = 0; x < kScratchSize; ++x) {
        std::uint32_t code = 0;
        bool any = false;
        for (int y = 0; y < kScratchSize; ++y) {
            if (((pixels[y * kScratchSize + x] >> 16) & 0xffu) >= 128)
                continue;
            any = true;
            const int row = y - kScratchTop;
            if (row < 0 || row >= kRows) {
                glyph.clipped = true;
                continue;
            }
            code |= 1u << row;
        }
        if (any) {
            if (first < 0)
                first = x;
            columns.resize(static_cast<std::size_t>(x - first), 0u);
            columns.push_back(code);
        }
    }
    if (first >= 0) {
        glyph.inkLeft = first - kScratchLeft;
        glyph.columns = std::move(columns);
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return glyph;
}

const GdiFont::Glyph& GdiFont::glyph(char character) const {
    auto it = cache_.find(character);
    if (it == cache_.end())
        it = cache_.emplace(character, rasterise(character)).first;
    return it->second;
}

void GdiFont::draw(Image& image, int x, int lineTop, const std::string& text, std::uint32_t colour,
                   int clipLeft, int clipRight) const {
    const int left = std::max(clipLeft, 0);
    const int right = std::min(clipRight, image.width());
    const Glyph* previous = nullptr;
    int previousRight = 0;  // last ink column of the previous glyph
    int pendingSpace = 0;   // pen advance of the blanks since it
    for (const char character : text) {
        const Glyph& current = glyph(character);
        if (current.width() == 0) {
            pendingSpace += std::max(current.advance, 1);
            continue;
        }
        int glyphX = x;
        if (previous != nullptr) {
            const int natural = previous->advance - previous->inkLeft - previous->width() +
                                pendingSpace + current.inkLeft;
            const int gap = pendingSpace > 0
                                ? std::clamp(natural, kMinSpaceColumns, kMaxSpaceColumns)
                                : std::clamp(natural, kMinGap, kMaxGap);
            glyphX = previousRight + 1 + gap;
        }
        for (int column = 0; column < current.width(); ++column) {
            const int px = glyphX + column;
            if (px < left || px >= right)
                continue;
            const std::uint32_t code = current.columns[static_cast<std::size_t>(column)];
            for (int row = 0; row < kRows; ++row) {
                const int py = lineTop + row;
                if ((code & (1u << row)) != 0 && py >= 0 && py < image.height())
                    image.setPixel(px, py, colour);
            }
        }
        previous = &current;
        previousRight = glyphX + current.width() - 1;
        pendingSpace = 0;
    }
}

std::string GdiFont::glyphTable(std::vector<std::string>& problems) const {
    std::string table;
    std::map<std::string, char> seen;
    for (const char* c = characterSet(); *c != '\0'; ++c) {
        const Glyph& g = glyph(*c);
        const std::string name = std::string("\"") + *c + "\"";
        if (g.width() == 0) {
            problems.push_back(name + " draws no ink");
            continue;
        }
        if (g.clipped)
            problems.push_back(name + " reaches outside the " + std::to_string(kRows) + " rows");
        if (std::find(g.columns.begin(), g.columns.end(), 0u) != g.columns.end())
            problems.push_back(name + " is split by an empty column");
        const std::string signature = signatureOf(g);
        if (const auto [it, added] = seen.emplace(signature, *c); !added)
            problems.push_back(name + " has the signature of \"" + it->second + "\"");
        table += signature + "\n" + *c + "\n";
    }
    return table;
}

}  // namespace kestrova::sim
