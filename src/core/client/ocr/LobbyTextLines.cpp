#include "client/ocr/LobbyTextLines.h"

#include "client/ocr/LobbyPageReader.h"
#include "client/ocr/LobbyPageScan.h"
#include "client/ocr/SeatScan.h"
#include "client/ocr/TextLineRecogniser.h"

namespace kestrova {

namespace {

int rowsOf(LineKind kind) {
    return kind == LineKind::Seat ? seatscan::kLineRows : lobbyscan::kLineRows;
}

bool linePixelsInside(const Image& capture, int top, int rows, int x) {
    return rowsInside(capture, top, rows) && capture.contains(x, top + 1);
}

// Column codes of [from, to) clipped to the capture, as the line's reader forms them.
std::vector<std::uint32_t> columnCodes(const Image& capture, const TextLine& line, int from,
                                       int to) {
    const int rows = rowsOf(line.kind);
    from = std::max(from, 0);
    to = std::min(to, capture.width());
    std::vector<std::uint32_t> codes;
    if (from >= to || !rowsInside(capture, line.top, rows)) {
        return codes;
    }
    const std::uint32_t all = (1u << rows) - 1;
    codes.assign(static_cast<std::size_t>(to - from), 0u);
    for (int r = 0; r < rows; ++r) {
        const std::uint32_t* pixels = capture.row(line.top + r);
        for (int x = from; x < to; ++x) {
            const std::uint32_t p = pixels[x];
            const bool ink = line.smoothedInk                  ? (*line.smoothedInk)(p)
                             : line.kind == LineKind::SelectedRow ? lobbyscan::WhiteInk{}(p)
                                                                  : ((p ^ line.background) & 0x00ffffffu) != 0;
            if (ink) {
                codes[static_cast<std::size_t>(x - from)] |= 1u << r;
            }
        }
    }
    if (line.kind != LineKind::SelectedRow) {
        for (std::uint32_t& code : codes) {
            code = code == all ? 0u : code;
        }
    }
    return codes;
}

void appendCode(std::string& signature, std::uint32_t code) {
    signature += std::to_string(code);
    signature += ',';
}

// The smoothed-text rule of a line whose fields are set; contrast: of its
// text (unused for the highlighted row's white text).
void setSmoothedInk(TextLine& line, int contrast, int percent) {
    line.smoothedInk = line.kind == LineKind::SelectedRow
                           ? HalfwayInk::towardsWhiteFrom(line.background, percent)
                           : HalfwayInk::forContrast(line.background, contrast, percent);
}

// The text contrast over lines, each against its own background.
int contrastOver(const Image& capture, const std::vector<TextLine>& lines) {
    int contrast = 0;
    for (const TextLine& line : lines) {
        if (line.kind != LineKind::SelectedRow && !line.fields.empty()) {
            contrast = std::max(
                contrast, textContrast(capture, line.top, line.top + rowsOf(line.kind),
                                       line.fields.front().from, line.fields.back().to,
                                       line.background));
        }
    }
    return contrast;
}

}  // namespace

TextLine listLine(const Image& capture, int top, bool selected,
                  std::optional<int> smoothPercent) {
    TextLine line;
    line.kind = selected ? LineKind::SelectedRow : LineKind::ListRow;
    line.top = top;
    const int left = LobbyGeometry::kListLeft;
    if (capture.contains(left + 2, top + 1)) {
        line.background = capture.pixel(left + 2, top + 1);
    }
    int from = left + lobbyscan::kNameFrom;
    int to = left + lobbyscan::kNameEnd;
    line.fields.push_back({from, to});
    for (const int end : lobbyscan::kFieldEnds) {
        from = to;
        to = left + end;
        line.fields.push_back({from, to});
    }
    line.fields.push_back({to, LobbyGeometry::kListRight - 2});
    if (smoothPercent) {
        setSmoothedInk(line, contrastOver(capture, {line}), *smoothPercent);
    }
    return line;
}

std::vector<TextLine> seatLines(const Image& capture, std::optional<int> smoothPercent) {
    using namespace seatscan;
    const int top = findTopEdge(capture);
    const int left = findLeftEdge(capture, top) + 1;
    std::vector<TextLine> lines;
    for (int i = 0; i < kLines; ++i) {
        TextLine line;
        line.kind = LineKind::Seat;
        line.top = top + kFirstLineBelowTop + i * kLinePitch;
        if (capture.contains(left, line.top + 1)) {
            line.background = capture.pixel(left, line.top + 1);
        }
        line.fields = {{left, left + kNameEnd}, {left + kChipsFrom, left + kAreaWidth}};
        lines.push_back(std::move(line));
    }
    if (smoothPercent) {
        // One colour for the area, as the seat reader cuts it.
        const int contrast = contrastOver(capture, lines);
        for (TextLine& line : lines) {
            setSmoothedInk(line, contrast, *smoothPercent);
        }
    }
    return lines;
}

std::optional<int> findHighlightTop(const Image& capture) {
    const int x = LobbyGeometry::kListLeft + 2;
    if (x >= capture.width()) {
        return std::nullopt;
    }
    for (int y = 0; y + lobbyscan::kLineRows <= capture.height(); ++y) {
        if (isSelectionHighlight(capture.pixel(x, y))) {
            return y;
        }
    }
    return std::nullopt;
}

std::vector<TextLine> listLines(const Image& capture, const LobbyGeometry& geometry,
                                std::optional<int> smoothPercent) {
    std::vector<TextLine> lines;
    const int probeX = geometry.listLeft + 2;
    const int first = geometry.listTop + lineGridOffset(capture, geometry);
    for (int top = std::max(first, 0); top + lobbyscan::kLineRows - 1 <= geometry.listBottom;
         top += lobbyscan::kLineRows) {
        if (!linePixelsInside(capture, top, lobbyscan::kLineRows, probeX)) {
            break;
        }
        lines.push_back(listLine(capture, top, isSelectionHighlight(capture.pixel(probeX, top + 1))));
    }
    if (smoothPercent) {
        smoothLines(capture, lines, *smoothPercent);
    }
    return lines;
}

void smoothLines(const Image& capture, std::vector<TextLine>& lines, int smoothPercent) {
    for (TextLine& line : lines) {
        setSmoothedInk(line, contrastOver(capture, {line}), smoothPercent);
    }
}

bool looksSmoothed(const Image& capture, const std::vector<TextLine>& lines) {
    long strong = 0;
    long between = 0;
    for (const TextLine& line : lines) {
        const int rows = rowsOf(line.kind);
        if (line.fields.empty() || !rowsInside(capture, line.top, rows)) {
            continue;
        }
        const int from = std::max(line.fields.front().from, 0);
        const int to = std::min(line.fields.back().to, capture.width());
        const int contrast = textContrast(capture, line.top, line.top + rows, from, to,
                                          line.background);
        if (contrast < HalfwayInk::kMinContrast) {
            continue;  // no text on this line
        }
        for (int y = line.top; y < line.top + rows; ++y) {
            for (int x = from; x < to; ++x) {
                const int d = colourDistance(capture.pixel(x, y), line.background);
                strong += d * 20 >= contrast * 17 ? 1 : 0;
                between += d * 20 > contrast * 3 && d * 20 < contrast * 17 ? 1 : 0;
            }
        }
    }
    // Unsmoothed text has its own colour and the background's, and little else.
    return strong > 0 && between * 4 > strong;
}

std::vector<InkGlyph> glyphsIn(const Image& capture, const TextLine& line, const TextField& field) {
    const std::vector<std::uint32_t> codes = columnCodes(capture, line, field.from, field.to);
    std::vector<InkGlyph> glyphs;
    bool inGlyph = false;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == 0) {
            inGlyph = false;
            continue;
        }
        if (!inGlyph) {
            glyphs.push_back({std::max(field.from, 0) + static_cast<int>(i), 0, {}});
            inGlyph = true;
        }
        ++glyphs.back().width;
        appendCode(glyphs.back().signature, codes[i]);
    }
    return glyphs;
}

std::string readField(const Image& capture, const TextLine& line, const TextField& field,
                      const GlyphTable& glyphs) {
    seatscan::SeatGlyphRules<Image> seatRules(capture);
    seatRules.setLine(line.top, line.background);
    TextLineRecogniser recogniser(
        glyphs, line.kind == LineKind::Seat && !glyphs.font() ? &seatRules : nullptr);
    const int from = std::max(field.from, 0);
    const std::vector<std::uint32_t> codes = columnCodes(capture, line, from, field.to);
    std::string text;
    bool inGlyph = false;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        recogniser.addColumn(from + static_cast<int>(i), codes[i]);
        std::string piece = recogniser.takeText();
        if (inGlyph && codes[i] == 0 && piece.empty()) {
            piece = "?";
        }
        text += piece;
        inGlyph = codes[i] != 0;
    }
    const bool endsInGlyph = inGlyph;
    recogniser.cut();
    std::string last = recogniser.takeText();
    text += endsInGlyph && last.empty() ? "?" : last;
    return glyphs.alike().decided(trimBlanks(text));
}

}  // namespace kestrova
