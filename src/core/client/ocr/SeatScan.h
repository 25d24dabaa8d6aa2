#pragma once

// The seat reader over any PixelSource. SeatReader.h gives the Image version;
// include this only to read from another source.

#include "client/ocr/GlyphTable.h"
#include "client/ocr/PixelSource.h"
#include "client/ocr/SeatReader.h"
#include "client/ocr/SmoothedInk.h"
#include "client/ocr/TextLineRecogniser.h"
#include "common/Image.h"
#include "common/Text.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kestrova {

namespace seatscan {

inline constexpr int kTopProbeX = 840;
inline constexpr int kTopProbeFromY = 285;
inline constexpr int kDefaultTop = 260;
inline constexpr int kLeftProbeFromX = 730;
inline constexpr int kLeftProbeToX = 651;
inline constexpr int kDefaultLeftEdge = 700;
inline constexpr int kAreaWidth = 235;
inline constexpr int kFirstLineBelowTop = 3;
inline constexpr int kLinePitch = 14;
inline constexpr int kLines = 10;
inline constexpr int kLineRows = 12;
inline constexpr std::uint32_t kAllRows = (1u << kLineRows) - 1;
inline constexpr int kNameEnd = 112;
inline constexpr int kChipsFrom = 148;

inline constexpr std::uint32_t kDot[] = {512, 512};
inline constexpr std::uint32_t kStroke[] = {1022, 1022};
inline constexpr std::uint32_t kDarkOnlyPrefix[] = {1016, 1016, 8, 1016, 1016};

inline bool sameColumns(std::span<const std::uint32_t> columns, std::span<const std::uint32_t> shape) {
    return std::ranges::equal(columns, shape);
}

inline bool allBelow(std::uint32_t argb, int limit) {
    return redOf(argb) < limit && greenOf(argb) < limit && blueOf(argb) < limit;
}

// The seat list's ambiguous glyphs, decided from the pixels around them.
template <PixelSource Source>
class SeatGlyphRules final : public GlyphRules {
public:
    explicit SeatGlyphRules(const Source& source) : source_(source) {}

    void setLine(int top, std::uint32_t background) {
        top_ = top;
        background_ = background;
    }

    std::optional<std::string_view> textFor(std::span<const std::uint32_t> columns,
                                            int firstX) const override {
        if (sameColumns(columns, kDot)) {
            return ".";
        }
        if (sameColumns(columns, kStroke)) {
            return hasCrossbar(firstX) ? "t" : "l";
        }
        return std::nullopt;
    }

    bool acceptsPrefix(std::span<const std::uint32_t> columns, int firstX) const override {
        if (!sameColumns(columns, kDarkOnlyPrefix)) {
            return true;
        }
        const int x = firstX + 3;
        const int y = top_ + 3;
        return pixelInside(source_, x, y) && allBelow(source_.pixel(x, y), 150);
    }

private:
    bool hasCrossbar(int strokeX) const {
        const int columns[] = {strokeX - 1, strokeX + 2, strokeX + 3};
        for (const int x : columns) {
            for (int y = top_ + 2; y <= top_ + 5; ++y) {
                if (pixelInside(source_, x, y) && brighterThanBackground(source_.pixel(x, y))) {
                    return true;
                }
            }
        }
        return false;
    }

    bool brighterThanBackground(std::uint32_t argb) const {
        return redOf(argb) > redOf(background_) + 60 && greenOf(argb) > greenOf(background_) + 60 &&
               blueOf(argb) > blueOf(background_) + 60;
    }

    const Source& source_;
    int top_ = 0;
    std::uint32_t background_ = 0;
};

template <PixelSource Source>
int findTopEdge(const Source& source) {
    const int x = kTopProbeX;
    if (x >= source.width()) {
        return kDefaultTop;
    }
    for (int y = std::min(kTopProbeFromY, source.height() - 1); y >= 1; --y) {
        if (allBelow(source.pixel(x, y), 100)) {
            return y;
        }
    }
    return kDefaultTop;
}

template <PixelSource Source>
int findLeftEdge(const Source& source, int top) {
    const int y = top + 1;
    if (y < 0 || y >= source.height()) {
        return kDefaultLeftEdge;
    }
    for (int x = std::min(kLeftProbeFromX, source.width() - 1); x >= kLeftProbeToX; --x) {
        if (allBelow(source.pixel(x, y), 180)) {
            return x;
        }
    }
    return kDefaultLeftEdge;
}

// Any colour but the line's background.
struct OtherThanBackground {
    std::uint32_t background;
    bool operator()(std::uint32_t argb) const { return ((argb ^ background) & 0x00ffffffu) != 0; }
};

template <PixelSource Source, class IsInk>
void readColumns(const LineRows<Source, kLineRows>& rows, IsInk isInk, int from, int to,
                 TextLineRecogniser& recogniser) {
    // A full column is a border or a highlight, not a letter.
    const auto fullIsEmpty = [](std::uint32_t code) { return code == kAllRows ? 0u : code; };
    rows.feed(from, to, isInk, fullIsEmpty, recogniser);
    recogniser.cut();
}

}  // namespace seatscan

template <PixelSource Source>
void readSeatsFrom(const Source& source, const GlyphTable& glyphs, SeatReading& seats) {
    using namespace seatscan;
    const int top = findTopEdge(source);
    const int left = findLeftEdge(source, top) + 1;
    const int right = left + kAreaWidth;

    SeatGlyphRules<Source> rules(source);
    // The rules are the shipped font's; a table drawn from an installed font
    // knows each of its glyphs as it is.
    TextLineRecogniser recogniser(glyphs, glyphs.font() ? nullptr : &rules);
    const std::optional<int> smoothPercent = glyphs.smoothPercent();
    // The area is written in one colour: a line of thin strokes alone (a short
    // waiting name) is cut as the others are, not by its own faintest ink.
    int areaContrast = 0;
    for (int line = 0; smoothPercent && line < kLines; ++line) {
        const int lineTop = top + kFirstLineBelowTop + line * kLinePitch;
        if (rowsInside(source, lineTop, kLineRows) && pixelInside(source, left, lineTop + 1)) {
            areaContrast = std::max(areaContrast, textContrast(source, lineTop, lineTop + kLineRows, left,
                                                               right, source.pixel(left, lineTop + 1)));
        }
    }
    int seat = 0;
    for (int line = 0; line < kLines; ++line) {
        const int lineTop = top + kFirstLineBelowTop + line * kLinePitch;
        if (!rowsInside(source, lineTop, kLineRows) || !pixelInside(source, left, lineTop + 1)) {
            ++seat;
            continue;
        }
        const std::uint32_t background = source.pixel(left, lineTop + 1);
        rules.setLine(lineTop, background);
        recogniser.reset();
        const LineRows<Source, kLineRows> rows(source, lineTop);

        std::string name;
        std::string chips;
        const auto readLine = [&](auto isInk) {
            readColumns(rows, isInk, left, left + kNameEnd, recogniser);
            name = glyphs.alike().decided(trimBlanks(recogniser.takeText()));
            readColumns(rows, isInk, left + kChipsFrom, right, recogniser);
            chips = normaliseChipText(recogniser.takeText());
        };
        if (smoothPercent) {
            readLine(HalfwayInk::forContrast(background, areaContrast, *smoothPercent));
        } else {
            readLine(OtherThanBackground{background});
        }

        const bool stored = !name.empty() || !chips.empty();
        if (stored && seat < SeatReading::kSlots) {
            if (!name.empty()) {
                seats.names[static_cast<std::size_t>(seat)] = name;
                seats.alike[static_cast<std::size_t>(seat)] = glyphs.alike().alternatives(name);
            }
            seats.chips[static_cast<std::size_t>(seat)] = std::move(chips);
        }
        if (stored && line == kLines - 1)
            seats.lastLineUsed = true;
        seat += stored ? 2 : 1;
    }
}

}  // namespace kestrova
