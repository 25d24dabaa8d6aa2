#pragma once

#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "common/Image.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kestrova {

// A lobby capture with a full table list (one line selected) and a seat list
// of ten lines, drawn with the glyphs of a table: "ocr.txt" when it holds the
// characters, otherwise a small built-in font.
struct BenchCapture {
    Image image;
    LobbyGeometry geometry;
    GlyphTable glyphs;
    std::string fontSource;
    std::vector<std::string> seatNames;
};

// seatNameGap: empty columns between the glyphs of the seat names; 0 draws
// every name as one run of touching glyphs that the map does not know.
BenchCapture makeBenchCapture(const std::filesystem::path& glyphFile, int seatNameGap = 1);

// One virtual call per pixel, the cost model of a GetPixel-style reader. The
// implementation lives in another file so that the compiler cannot see
// through the call.
class VirtualPixels {
public:
    virtual ~VirtualPixels() = default;
    virtual std::uint32_t pixel(int x, int y) const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
};

std::unique_ptr<VirtualPixels> makeVirtualPixels(const Image& image);

}  // namespace kestrova
