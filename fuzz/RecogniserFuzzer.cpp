// The recogniser fed arbitrary captures: the seat reader and the lobby readers
// read any picture of any size without reading outside it. The glyph table is
// the one shipped ($KESTROVA_DATA_DIR/ocr.txt, or data/ocr.txt from the
// working directory). Input: 2 bytes width, 2 bytes height, 2 bytes list top,
// then pixels, repeated to fill the picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "client/ocr/LobbyPageReader.h"
#include "client/ocr/SeatReader.h"
#include "common/Image.h"

namespace {

const kestrova::GlyphTable& glyphs() {
    static const kestrova::GlyphTable table = [] {
        const char* dir = std::getenv("KESTROVA_DATA_DIR");
        return kestrova::GlyphTable::load(std::string(dir ? dir : "data") + "/ocr.txt");
    }();
    return table;
}

int word(const std::uint8_t* data) {
    return data[0] | (data[1] << 8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 7)
        return 0;
    // Up to a little beyond the lobby's size, so every reader's edge is crossed.
    const int width = word(data) % 1100;
    const int height = word(data + 2) % 800;
    kestrova::LobbyGeometry geometry =
        kestrova::LobbyGeometry::fromListWindow({0, word(data + 4) % 400 - 60, 1000, 700});
    const std::uint8_t* pixels = data + 6;
    const std::size_t pixelBytes = size - 6;
    kestrova::Image capture(width, height);
    // One row from the input, repeated with a shift per row: cheap to fill,
    // and still different from row to row.
    std::vector<std::uint32_t> pattern(pixelBytes);
    for (std::size_t i = 0; i < pixelBytes; ++i)
        pattern[i] = 0xff000000u | (std::uint32_t{pixels[i]} << 16) |
                     (std::uint32_t{pixels[(i + 1) % pixelBytes]} << 8) |
                     pixels[(i + 2) % pixelBytes];
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = capture.row(y);
        const std::size_t shift = static_cast<std::size_t>(y) * 7;
        for (int x = 0; x < width; ++x)
            row[x] = pattern[(shift + static_cast<std::size_t>(x)) % pixelBytes];
    }
    kestrova::SeatReading seats;
    kestrova::readSeats(capture, glyphs(), seats);
    (void)kestrova::readLobbyPage(capture, geometry, glyphs());
    (void)kestrova::readSelectedNames(capture, geometry, glyphs());
    return 0;
}
