// The recogniser fed arbitrary captures: the seat reader and the lobby readers
// read any picture of any size without reading outside it. The glyph table is
// the one shipped ($KESTROVA_DATA_DIR/ocr.txt, or data/ocr.txt from the
// working directory).
//
// A lobby-sized capture costs milliseconds to make and read, so most inputs
// are a small picture (up to 256 x 64, a few text lines) placed anywhere in a
// capture of any size up to a little beyond the lobby's, the rest of which is
// one colour: every reader's edge is still crossed, and a reader that asks for
// a pixel outside the capture fails the check. The other inputs are a small
// Image read directly, for the readers' row-pointer path and the sanitizers'
// own bounds.
//
// Input: mode byte, 2 bytes capture width, 2 bytes capture height, 2 bytes
// list-window top, 2 bytes picture left, 2 bytes picture top, 1 byte picture
// width, 1 byte picture height, four colours (RGB), then the picture's pixels
// at two bits each (a colour's index), row by row, repeated to fill it: room
// for real text lines in a few kilobytes. The seeds are such lines drawn from
// the shipped glyph table: a highlighted lobby row and seat lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzCheck.h"
#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "client/ocr/LobbyPageReader.h"
#include "client/ocr/LobbyPageScan.h"
#include "client/ocr/SeatReader.h"
#include "client/ocr/SeatScan.h"
#include "common/Image.h"

namespace {

constexpr std::size_t kPaletteAt = 13;
constexpr std::size_t kHeaderBytes = kPaletteAt + 4 * 3;

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

// The input's pixels as an image, two bits each, repeated when they run out.
kestrova::Image picture(int width, int height, const std::uint8_t* palette,
                        const std::uint8_t* bytes, std::size_t size) {
    std::uint32_t colours[4];
    for (int i = 0; i < 4; ++i) {
        const std::uint8_t* c = palette + 3 * i;
        colours[i] = kestrova::rgb(c[0], c[1], c[2]);
    }
    kestrova::Image image(width, height);
    const std::size_t bits = size * 8;
    std::size_t at = 0;
    for (std::uint32_t& pixel : image.pixels()) {
        pixel = colours[(bytes[at / 8] >> (at % 8)) & 3];
        at = (at + 2) % bits;
    }
    return image;
}

// A capture that is `picture` at (left, top) and its first pixel elsewhere.
class PlacedPicture {
public:
    PlacedPicture(int width, int height, const kestrova::Image& picture, int left, int top)
        : width_(width),
          height_(height),
          picture_(picture),
          left_(left),
          top_(top),
          background_(picture.isNull() ? 0xff000000u : picture.pixel(0, 0)) {}

    int width() const { return width_; }
    int height() const { return height_; }
    // Not instrumented: called for every pixel read, it is the harness, not
    // the code under test.
    [[clang::no_sanitize("coverage")]] std::uint32_t pixel(int x, int y) const {
        FUZZ_CHECK(x >= 0 && y >= 0 && x < width_ && y < height_);
        return picture_.contains(x - left_, y - top_) ? picture_.pixel(x - left_, y - top_)
                                                      : background_;
    }

private:
    int width_;
    int height_;
    const kestrova::Image& picture_;
    int left_;
    int top_;
    std::uint32_t background_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size <= kHeaderBytes)
        return 0;
    const bool placed = (data[0] & 1) == 0;
    const int width = word(data + 1) % 1100;
    const int height = word(data + 3) % 800;
    const int listWindowTop = word(data + 5) % 400 - 60;
    const int left = word(data + 7) % 1100 - 64;
    const int top = word(data + 9) % 800 - 32;
    const kestrova::Image small = picture(data[11], data[12] % 65, data + kPaletteAt,
                                          data + kHeaderBytes, size - kHeaderBytes);
    const kestrova::GlyphTable& table = glyphs();
    kestrova::SeatReading seats;
    if (placed) {
        const kestrova::LobbyGeometry geometry =
            kestrova::LobbyGeometry::fromListWindow({0, listWindowTop, 1000, 700});
        const PlacedPicture capture(width, height, small, left, top);
        kestrova::readSeatsFrom(capture, table, seats);
        (void)kestrova::readLobbyPageFrom(capture, geometry, table);
        (void)kestrova::readSelectedNamesFrom(capture, geometry, table);
    } else {
        // The list pulled up into the small image, so that its lines are read.
        const kestrova::LobbyGeometry geometry = kestrova::LobbyGeometry::fromListWindow(
            {0, listWindowTop % 80 - kestrova::LobbyGeometry::kListTopBelowChild, 1000, 700});
        kestrova::readSeats(small, table, seats);
        (void)kestrova::readLobbyPage(small, geometry, table);
        (void)kestrova::readSelectedNames(small, geometry, table);
    }
    return 0;
}
