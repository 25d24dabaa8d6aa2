#pragma once

#include "client/LobbyGeometry.h"
#include "client/fonts/FontGlyphs.h"
#include "client/fonts/InstalledFonts.h"
#include "client/ocr/GlyphTable.h"
#include "common/Image.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

// The font that explains a lobby capture best, and its glyph table.
struct FontFit {
    FontChoice choice;
    // The share of the capture's ink columns the table reads.
    double fit = 0;
    // The table: the settings line first, then one entry per glyph shape.
    std::vector<GlyphTable::Entry> entries;
    // Shapes taken from the capture where the client drew a glyph a pixel
    // or two otherwise than the platform's rasteriser.
    int corrected = 0;
    int facesTried = 0;
    int candidatesDrawn = 0;  // (face, pixel size) pairs whose digits were drawn
    int tablesDrawn = 0;      // whole tables drawn and compared

    // "DejaVu Sans, 11 px, plain (fits 99.8 % of the lobby's text)"
    std::string describe() const;
};

// The runs of ink on the text lines of one lobby capture: glyphs, or glyphs
// that touch, as the readers cut them.
struct CaptureInk {
    std::map<std::string, int> runs;  // signature -> times seen
    long columns = 0;                 // ink columns over all runs
    bool smoothed = false;
};

// Where the readers find text in a capture: the list's rows (from the
// geometry, or around the highlighted row) and the seat lines.
// Smoothed text is cut at smoothPercent.
CaptureInk captureInk(const Image& capture, const LobbyGeometry* geometry,
                      int smoothPercent = kFontSmoothPercent);

// Finds the installed font a lobby capture was drawn with: the candidates are
// narrowed by their digits (every lobby shows them: stakes, pots, seats),
// then the whole tables of the few left are compared with the capture's ink.
class FontFinder final {
public:
    static constexpr int kMinPixelSize = 8;
    static constexpr int kMaxPixelSize = 20;
    // Below this share of the ink explained no font is taken: a guess would
    // read wrong names.
    static constexpr double kMinFit = 0.9;

    using Opener = std::function<std::unique_ptr<RasterFont>(const FontFace&, int pixelSize, Smoothing)>;

    explicit FontFinder(std::vector<FontFace> faces, Opener opener = {});

    // geometry: where the list is (null: around the highlighted row). Nothing,
    // with the reason, when the capture shows no text or no font fits.
    std::optional<FontFit> find(const Image& capture, const LobbyGeometry* geometry,
                                std::string* problem) const;

    // find() among the fonts installed here.
    static std::optional<FontFit> findInstalled(const Image& capture, const LobbyGeometry* geometry,
                                                std::string* problem);

    // How much of the ink a table reads.
    static double fitOf(const GlyphTable& table, const CaptureInk& ink);

private:
    std::vector<FontFace> faces_;
    Opener opener_;
};

}  // namespace kestrova
