#include "client/x11/EventTimestamps.h"
#include "client/x11/KeyCodeMapper.h"
#include "client/x11/ZPixmapDecoder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace kestrova {
namespace {

// The Xvfb runs cover the ordinary keyboard, 24-bit captures and rising times;
// these are the cases an Xvfb does not show.

TEST(KeyCodeMapper, LowestKeycodeUnshiftedFirstAndNeverPastTheMapping) {
    // Two columns per keycode from keycode 8: (a, A), (Home, -), (b, a), (Home, -).
    const KeyCodeMapper mapper(8, 2, {'a', 'A', 0xff50, 0, 'b', 'a', 0xff50, 0});
    EXPECT_EQ(mapper.keycodeForKeysym('a'), 8);
    EXPECT_EQ(mapper.keycodeForKeysym('b'), 10);
    EXPECT_EQ(mapper.keycodeForKeysym('A'), 8) << "only in a shifted column";
    EXPECT_EQ(mapper.keycodeForVirtualKey(0x24), 9);
    EXPECT_FALSE(mapper.keycodeForVirtualKey(0x28).has_value()) << "no Down key on this keyboard";
    EXPECT_FALSE(KeyCodeMapper(8, 4, {'x', 'y'}).keycodeForKeysym('x').has_value());
    // Keycodes stop at 255 however long the table claims to be.
    std::vector<std::uint32_t> many(300, 0);
    many[260] = 'z';
    EXPECT_FALSE(KeyCodeMapper(8, 1, many).keycodeForKeysym('z').has_value());
}

TEST(ZPixmapDecoder, MostSignificantByteFirstAndSixteenBits) {
    const std::vector<std::uint8_t> msb{0x00, 0x10, 0x20, 0x30, 0x80, 0xdd, 0xee, 0xff};
    ZPixmapFormat format;
    format.msbFirst = true;
    Image image(2, 1, 0);
    ASSERT_TRUE(decodeZPixmap(format, msb.data(), msb.size(), 1, 0, image));
    EXPECT_EQ(image.pixel(0, 0), 0xff102030u);
    EXPECT_EQ(image.pixel(1, 0), 0xffddeeffu) << "alpha of a depth-32 pixel is dropped";

    ZPixmapFormat rgb565;
    rgb565.bitsPerPixel = 16;
    rgb565.redMask = 0xf800;
    rgb565.greenMask = 0x07e0;
    rgb565.blueMask = 0x001f;
    const std::vector<std::uint8_t> data{0x00, 0xf8, 0xe0, 0x07, 0x1f, 0x00, 0x00, 0x00};
    Image wide(3, 1, 0);
    ASSERT_TRUE(decodeZPixmap(rgb565, data.data(), data.size(), 1, 0, wide));
    EXPECT_EQ(wide.pixels(), (std::vector<std::uint32_t>{0xffff0000u, 0xff00ff00u, 0xff0000ffu}));
}

TEST(ZPixmapDecoder, RejectsShortDataBadRowsAndUnsupportedFormats) {
    const std::vector<std::uint8_t> data(7, 0x11);
    Image image(2, 1, 0x12345678u);
    EXPECT_FALSE(decodeZPixmap(ZPixmapFormat{}, data.data(), data.size(), 1, 0, image));
    EXPECT_FALSE(decodeZPixmap(ZPixmapFormat{}, data.data(), 8, 1, 1, image)) << "row past image";
    ZPixmapFormat eightBit;
    eightBit.bitsPerPixel = 8;
    EXPECT_FALSE(decodeZPixmap(eightBit, data.data(), data.size(), 1, 0, image));
    EXPECT_EQ(image.pixel(0, 0), 0x12345678u) << "a failed decode leaves the image alone";
}

TEST(EventTimestamps, StrictlyIncreasingAndNeverZeroAcrossTheWrap) {
    const auto t0 = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
    EventTimestamps stamps(0xFFFFFFFEu, t0);
    EXPECT_EQ(stamps.next(t0), 0xFFFFFFFEu);
    EXPECT_EQ(stamps.next(t0), 0xFFFFFFFFu);
    EXPECT_EQ(stamps.next(t0), 1u) << "0 means CurrentTime to a client";
    // Real time catches up with the bumped stamps and takes over again.
    EXPECT_EQ(stamps.next(t0 + std::chrono::milliseconds(100)), 0xFFFFFFFEu + 100u);  // wraps to 98
}

}  // namespace
}  // namespace kestrova
