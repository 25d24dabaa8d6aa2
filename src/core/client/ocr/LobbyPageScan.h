#pragma once

// The lobby-list readers over any PixelSource. LobbyPageReader.h gives the
// Image versions; include this only to read from another source.

#include "client/LobbyEntry.h"
#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "client/ocr/LobbyPageReader.h"
#include "client/ocr/PixelSource.h"
#include "client/ocr/SmoothedInk.h"
#include "client/ocr/TextLineRecogniser.h"
#include "common/Image.h"
#include "common/Text.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

namespace lobbyscan {

inline constexpr int kGridProbeX = 600;
inline constexpr int kLineRows = LobbyGeometry::kLineHeight;
// Column cuts relative to the list left: the name runs from +1 to +110
// inclusive, then game, stakes, seated/seats, extra, average pot; the waiting
// count runs from the last cut to the list's right edge less two.
inline constexpr int kNameFrom = 1;
inline constexpr int kNameEnd = 111;
inline constexpr int kFieldEnds[] = {178, 260, 337, 405, 488};

// Every channel above 250. A type rather than a function and branch-free, so
// that the row loops inline and vectorise it: a channel is above 250 when its
// top bit is set and its low seven bits carry past 127 once 5 is added (no
// carry crosses into the next channel).
struct WhiteInk {
    bool operator()(std::uint32_t argb) const {
        const std::uint32_t carried = (argb & 0x7f7f7fu) + 0x050505u;
        return (carried & argb & 0x808080u) == 0x808080u;
    }
};

void removeAll(std::string& text, std::string_view marker);
// Leading digits as a number; 0 when there are none.
int leadingInt(std::string_view text);
LobbyEntry entryFromFields(std::string name, std::string game, std::string stakes,
                           std::string seated, std::string extra, std::string averagePot,
                           std::string waiting);

template <PixelSource Source, class IsInk>
void readColumns(const LineRows<Source, kLineRows>& rows, IsInk isInk, int from, int to,
                 TextLineRecogniser& recogniser) {
    rows.feed(
        from, to, isInk, [](std::uint32_t code) { return code; }, recogniser);
    recogniser.cut();
}

// Calls read(isInk) with the selected line's ink rule: white, or with smoothed
// text the font's share of the way from the highlight to white.
template <PixelSource Source, class Read>
void withSelectedInk(const Source& source, const LobbyGeometry& geometry, int top,
                     std::optional<int> smoothPercent, Read read) {
    if (smoothPercent) {
        read(HalfwayInk::towardsWhiteFrom(source.pixel(geometry.listLeft + 2, top + 1),
                                          *smoothPercent));
    } else {
        read(WhiteInk{});
    }
}

// A geometry far beyond any capture is pulled in so that no coordinate
// arithmetic overflows; lines and columns outside the capture are skipped
// anyway, so the reading is the same.
inline LobbyGeometry bounded(const LobbyGeometry& geometry) {
    static constexpr int kLimit = 1 << 24;
    const auto clamp = [](int v) { return std::clamp(v, -kLimit, kLimit); };
    LobbyGeometry g = geometry;
    g.listLeft = clamp(g.listLeft);
    g.listRight = clamp(g.listRight);
    g.listTop = clamp(g.listTop);
    g.listBottom = clamp(g.listBottom);
    return g;
}

// Calls onSelected(lineTop) for each highlighted line whose 16 rows lie inside
// the source, top to bottom, until it returns false.
template <PixelSource Source, class OnSelected>
void forEachSelectedLine(const Source& source, const LobbyGeometry& geometry, int offset,
                         OnSelected onSelected) {
    const int probeX = geometry.listLeft + 2;
    int first = geometry.listTop + offset;
    if (first < 0) {
        // Lines above the capture are never read: start on the grid at row 0 or below.
        first += (-first + kLineRows - 1) / kLineRows * kLineRows;
    }
    for (int top = first; top + kLineRows - 1 <= geometry.listBottom; top += kLineRows) {
        if (top >= source.height()) {
            return;
        }
        if (!rowsInside(source, top, kLineRows) || !pixelInside(source, probeX, top + 1)) {
            continue;
        }
        if (isSelectionHighlight(source.pixel(probeX, top + 1)) && !onSelected(top)) {
            return;
        }
    }
}

}  // namespace lobbyscan

template <PixelSource Source>
int lineGridOffsetIn(const Source& source, const LobbyGeometry& unbounded) {
    const LobbyGeometry geometry = lobbyscan::bounded(unbounded);
    const int x = lobbyscan::kGridProbeX;
    for (int i = 0; i < lobbyscan::kLineRows - 1; ++i) {
        const int y = geometry.listTop + i;
        if (!pixelInside(source, x, y) || !pixelInside(source, x, y + 1)) {
            return 0;
        }
        if (((source.pixel(x, y) ^ source.pixel(x, y + 1)) & 0x00ffffffu) != 0) {
            return i + 1;
        }
    }
    return 0;
}

template <PixelSource Source>
LobbyPageReading readLobbyPageFrom(const Source& source, const LobbyGeometry& unbounded,
                                   const GlyphTable& glyphs) {
    const LobbyGeometry geometry = lobbyscan::bounded(unbounded);
    using namespace lobbyscan;
    LobbyPageReading reading;
    const int offset = lineGridOffsetIn(source, geometry);
    reading.firstLineFits = geometry.listTop + offset + kLineRows - 1 <= geometry.listBottom;

    TextLineRecogniser recogniser(glyphs);
    const int left = geometry.listLeft;
    forEachSelectedLine(source, geometry, offset, [&](int top) {
        const LineRows<Source, kLineRows> rows(source, top);
        std::string name;
        std::string fields[6];
        withSelectedInk(source, geometry, top, glyphs.smoothPercent(), [&](auto isInk) {
            readColumns(rows, isInk, left + kNameFrom, left + kNameEnd, recogniser);
            name = recogniser.takeText();
            int from = left + kNameEnd;
            for (int i = 0; i < 6; ++i) {
                const int to = i < 5 ? left + kFieldEnds[i] : geometry.listRight - 2;
                readColumns(rows, isInk, from, to, recogniser);
                fields[i] = recogniser.takeText();
                from = to;
            }
        });
        const AlikeGlyphs& alike = glyphs.alike();
        reading.selected =
            entryFromFields(alike.decided(name), alike.decided(fields[0]), alike.decided(fields[1]),
                            alike.decided(fields[2]), alike.decided(fields[3]),
                            alike.decided(fields[4]), alike.decided(fields[5]));
        return false;
    });
    return reading;
}

template <PixelSource Source>
std::vector<std::string> readSelectedNamesFrom(const Source& source, const LobbyGeometry& unbounded,
                                               const GlyphTable& glyphs) {
    const LobbyGeometry geometry = lobbyscan::bounded(unbounded);
    using namespace lobbyscan;
    std::vector<std::string> names;
    TextLineRecogniser recogniser(glyphs);
    const int left = geometry.listLeft;
    forEachSelectedLine(source, geometry, lineGridOffsetIn(source, geometry), [&](int top) {
        const LineRows<Source, kLineRows> rows(source, top);
        recogniser.reset();
        withSelectedInk(source, geometry, top, glyphs.smoothPercent(), [&](auto isInk) {
            readColumns(rows, isInk, left + kNameFrom, left + kNameEnd, recogniser);
        });
        names.push_back(tableName(glyphs.alike().decided(recogniser.text())));
        return true;
    });
    return names;
}

}  // namespace kestrova
