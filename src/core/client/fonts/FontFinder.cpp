#include "client/fonts/FontFinder.h"

#include "client/ocr/InkSplitter.h"
#include "client/ocr/LobbyTextLines.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <set>

namespace kestrova {

namespace {

// Narrowing keeps the candidates whose digits the capture shows this often...
constexpr int kMinDigitMatches = 4;
// ...and compares the whole tables of this many of the best of them.
constexpr std::size_t kMaxTables = 8;
// A glyph the client drew a pixel or two otherwise is still that glyph.
constexpr int kMaxPixelsOff = 2;
// Runs wider than this are words, never one glyph.
constexpr std::size_t kMaxGlyphColumns = 40;

int pixelsOff(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    int off = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        off += std::popcount(a[i] ^ b[i]);
    }
    return off;
}

// The list lines around the highlighted row that show a list row's colours.
std::vector<TextLine> linesAroundHighlight(const Image& capture, std::optional<int> percent) {
    std::vector<TextLine> lines;
    const std::optional<int> top = findHighlightTop(capture);
    const int x = LobbyGeometry::kListLeft + 2;
    const int pitch = LobbyGeometry::kLineHeight;
    if (!top) {
        return lines;
    }
    const auto inside = [&](int t) { return t >= 0 && t + pitch <= capture.height() && capture.contains(x, t + 1); };
    std::set<std::uint32_t> rowColours;
    for (const int t : {*top - pitch, *top + pitch}) {
        if (inside(t)) {
            rowColours.insert(capture.pixel(x, t + 1));
        }
    }
    lines.push_back(listLine(capture, *top, true, percent));
    for (const int direction : {-1, 1}) {
        for (int t = *top + direction * pitch; inside(t) && rowColours.count(capture.pixel(x, t + 1)) != 0;
             t += direction * pitch) {
            lines.push_back(listLine(capture, t, false, percent));
        }
    }
    return lines;
}

std::vector<TextLine> textLines(const Image& capture, const LobbyGeometry* geometry,
                                std::optional<int> percent) {
    std::vector<TextLine> lines =
        geometry != nullptr ? listLines(capture, *geometry, percent) : linesAroundHighlight(capture, percent);
    for (TextLine& line : seatLines(capture, percent)) {
        lines.push_back(std::move(line));
    }
    return lines;
}

// A glyph's columns moved up to row 0, with the row its ink started on.
struct Aligned {
    std::vector<std::uint32_t> columns;
    int firstRow = 0;
};

Aligned alignedToTop(std::vector<std::uint32_t> columns) {
    std::uint32_t all = 0;
    for (const std::uint32_t code : columns) {
        all |= code;
    }
    const int first = all == 0 ? 0 : std::countr_zero(all);
    for (std::uint32_t& code : columns) {
        code >>= first;
    }
    return {std::move(columns), first};
}

// A glyph's ink columns, any row, cut as the readers cut smoothed text.
std::optional<Aligned> digitShape(RasterFont& font, char32_t digit, Smoothing smoothing, int& top) {
    const std::optional<GlyphBitmap> bitmap = font.glyph(digit);
    if (!bitmap || bitmap->rows > 32) {
        return std::nullopt;
    }
    const int threshold = inkCut(smoothing);
    std::vector<std::uint32_t> columns;
    for (int x = 0; x < bitmap->width; ++x) {
        std::uint32_t code = 0;
        for (int y = 0; y < bitmap->rows; ++y) {
            code |= bitmap->at(x, y) >= threshold ? 1u << y : 0u;
        }
        if (code != 0 || !columns.empty()) {
            columns.push_back(code);
        }
    }
    while (!columns.empty() && columns.back() == 0) {
        columns.pop_back();
    }
    if (columns.empty()) {
        return std::nullopt;
    }
    top = bitmap->top;
    return alignedToTop(std::move(columns));
}

struct Candidate {
    std::size_t face = 0;
    int pixelSize = 0;
    int matches = 0;
    int baseline = 0;
};

// Whether two glyphs are read by one entry of the table, or both by none.
bool sameEntry(const GlyphTable& table, const std::vector<std::uint32_t>& a,
               const std::vector<std::uint32_t>& b) {
    return a == b || (!table.find(signatureOf(a)) && !table.find(signatureOf(b)));
}

}  // namespace

std::string FontFit::describe() const {
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.1f", fit * 100.0);
    return choice.describe() + " (fits " + percent + " % of the lobby's text)";
}

CaptureInk captureInk(const Image& capture, const LobbyGeometry* geometry, int smoothPercent) {
    CaptureInk ink;
    std::vector<TextLine> lines = textLines(capture, geometry, std::nullopt);
    if (looksSmoothed(capture, lines)) {
        ink.smoothed = true;
        lines = textLines(capture, geometry, smoothPercent);
    }
    for (const TextLine& line : lines) {
        for (const TextField& field : line.fields) {
            for (const InkGlyph& glyph : glyphsIn(capture, line, field)) {
                ++ink.runs[glyph.signature];
                ink.columns += glyph.width;
            }
        }
    }
    return ink;
}

FontFinder::FontFinder(std::vector<FontFace> faces, Opener opener)
    : faces_(std::move(faces)), opener_(std::move(opener)) {
    if (!opener_) {
        opener_ = [](const FontFace& face, int size, Smoothing smoothing) {
            return InstalledFonts::open(face, size, smoothing);
        };
    }
}

std::optional<FontFit> FontFinder::findInstalled(const Image& capture, const LobbyGeometry* geometry,
                                                 std::string* problem) {
    std::string listProblem;
    std::vector<FontFace> faces = InstalledFonts::list(&listProblem);
    if (faces.empty()) {
        if (problem != nullptr) {
            *problem = listProblem;
        }
        return std::nullopt;
    }
    return FontFinder(std::move(faces)).find(capture, geometry, problem);
}

double FontFinder::fitOf(const GlyphTable& table, const CaptureInk& ink) {
    if (ink.columns == 0) {
        return 0;
    }
    long explained = 0;
    for (const auto& [signature, count] : ink.runs) {
        const std::vector<std::uint32_t> columns = GlyphTable::columnsOf(signature);
        if (table.find(signature) || InkSplitter(table, nullptr).read(columns, 0)) {
            explained += static_cast<long>(columns.size()) * count;
        }
    }
    return static_cast<double>(explained) / static_cast<double>(ink.columns);
}

std::optional<FontFit> FontFinder::find(const Image& capture, const LobbyGeometry* geometry,
                                        std::string* problem) const {
    const auto fail = [&](std::string why) -> std::optional<FontFit> {
        if (problem != nullptr) {
            *problem = std::move(why);
        }
        return std::nullopt;
    };
    const CaptureInk ink = captureInk(capture, geometry);
    if (ink.columns == 0) {
        return fail("the capture shows no text where the lobby's rows and seats are");
    }
    const Smoothing smoothing = ink.smoothed ? Smoothing::Grey : Smoothing::Plain;
    const int tolerance = smoothing == Smoothing::Plain ? 0 : 1;

    // The capture's lone glyphs, moved up to row 0, with the rows they start on.
    std::map<std::size_t, std::vector<std::pair<Aligned, int>>> byWidth;
    for (const auto& [signature, count] : ink.runs) {
        std::vector<std::uint32_t> columns = GlyphTable::columnsOf(signature);
        if (columns.size() <= kMaxGlyphColumns) {
            Aligned aligned = alignedToTop(std::move(columns));
            const int row = aligned.firstRow;
            byWidth[aligned.columns.size()].emplace_back(std::move(aligned), row);
        }
    }

    FontFit tried;  // what the search cost, whichever font it finds
    std::vector<Candidate> candidates;
    for (std::size_t f = 0; f < faces_.size(); ++f) {
        std::unique_ptr<RasterFont> font = opener_(faces_[f], kMinPixelSize, smoothing);
        if (!font) {
            continue;
        }
        ++tried.facesTried;
        for (int size = kMinPixelSize; size <= kMaxPixelSize; ++size) {
            if (size != kMinPixelSize && !font->resize(size)) {
                continue;
            }
            ++tried.candidatesDrawn;
            Candidate candidate{f, size, 0, 0};
            std::map<int, int> votes;
            for (char32_t digit = '0'; digit <= '9'; ++digit) {
                int top = 0;
                const std::optional<Aligned> shape = digitShape(*font, digit, smoothing, top);
                if (!shape) {
                    continue;
                }
                bool matched = false;
                for (const auto& [seen, row] : byWidth[shape->columns.size()]) {
                    if (pixelsOff(seen.columns, shape->columns) <= tolerance) {
                        matched = true;
                        ++votes[row + top - shape->firstRow];
                    }
                }
                candidate.matches += matched ? 1 : 0;
            }
            if (candidate.matches >= kMinDigitMatches) {
                candidate.baseline = std::max_element(votes.begin(), votes.end(), [](const auto& a, const auto& b) {
                                         return a.second < b.second;
                                     })->first;
                candidates.push_back(candidate);
            }
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.matches > b.matches; });
    if (candidates.size() > kMaxTables) {
        candidates.resize(kMaxTables);
    }

    std::optional<FontFit> best;
    std::vector<DrawnGlyph> bestGlyphs;
    std::map<int, CaptureInk> inkAt{{kFontSmoothPercent, ink}};
    for (const Candidate& candidate : candidates) {
        std::unique_ptr<RasterFont> font = opener_(faces_[candidate.face], candidate.pixelSize, smoothing);
        if (!font) {
            continue;
        }
        // Smoothed text: the cut that reads the capture best, the higher on a tie
        // (the client's smoothing need not weigh its grey as this rasteriser does).
        std::vector<int> percents = {kFontSmoothPercent};
        if (smoothing == Smoothing::Grey) {
            percents = {kFontSmoothPercent, 33, 25, 50};
        }
        for (const int percent : percents) {
            FontChoice choice{faces_[candidate.face], candidate.pixelSize, smoothing,
                              candidate.baseline, percent};
            if (inkAt.count(percent) == 0) {
                inkAt[percent] = captureInk(capture, geometry, percent);
            }
            std::vector<DrawnGlyph> glyphs =
                drawGlyphs(*font, windows1252Characters(), choice.baseline, smoothing, percent);
            std::vector<GlyphTable::Entry> entries = fontTableEntries(glyphs, choice);
            GlyphTable table;
            for (const GlyphTable::Entry& entry : entries) {
                table.add(entry.signature, entry.text);
            }
            ++tried.tablesDrawn;
            const double share = fitOf(table, inkAt[percent]);
            if (!best || share > best->fit) {
                best = FontFit{choice, share, std::move(entries)};
                bestGlyphs = std::move(glyphs);
            }
        }
    }
    if (!best) {
        return fail("no installed font draws the digits this lobby shows (" +
                    std::to_string(tried.facesTried) + " fonts tried at " +
                    std::to_string(kMinPixelSize) + " to " + std::to_string(kMaxPixelSize) + " px)");
    }
    best->facesTried = tried.facesTried;
    best->candidatesDrawn = tried.candidatesDrawn;
    best->tablesDrawn = tried.tablesDrawn;

    // The capture's own shape of a glyph the client drew a pixel or two otherwise.
    GlyphTable table;
    for (const GlyphTable::Entry& entry : best->entries) {
        table.add(entry.signature, entry.text);
    }
    const CaptureInk& cut = inkAt[best->choice.smoothPercent];
    for (const auto& [signature, count] : cut.runs) {
        const std::vector<std::uint32_t> columns = GlyphTable::columnsOf(signature);
        if (table.find(signature) || columns.size() > kMaxGlyphColumns ||
            InkSplitter(table, nullptr).read(columns, 0)) {
            continue;
        }
        int nearest = kMaxPixelsOff + 1;
        int nearestCount = 0;
        const DrawnGlyph* match = nullptr;
        for (const DrawnGlyph& glyph : bestGlyphs) {
            if (glyph.split || glyph.columns.size() != columns.size()) {
                continue;
            }
            const int off = pixelsOff(glyph.columns, columns);
            if (off < nearest) {
                nearest = off;
                nearestCount = 1;
                match = &glyph;
            } else if (off == nearest) {
                nearestCount += sameEntry(table, glyph.columns, match->columns) ? 0 : 1;
            }
        }
        if (match != nullptr && nearestCount == 1) {
            const std::optional<std::string_view> named = table.find(signatureOf(match->columns));
            if (!named) {
                continue;
            }
            const std::string text(*named);
            best->entries.push_back({signature, text});
            table.add(signature, text);
            ++best->corrected;
        }
    }
    if (best->corrected > 0) {
        best->fit = fitOf(table, cut);
    }
    if (best->fit < kMinFit) {
        char percent[32];
        std::snprintf(percent, sizeof percent, "%.1f", best->fit * 100.0);
        return fail("no installed font fits this lobby: the nearest, " + best->choice.describe() +
                    ", explains only " + percent + " % of its text (" + std::to_string(tried.facesTried) +
                    " fonts tried)");
    }
    return best;
}

}  // namespace kestrova
