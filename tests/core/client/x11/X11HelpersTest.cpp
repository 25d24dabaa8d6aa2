#include "client/x11/EventTimestamps.h"
#include "client/x11/KeyCodeMapper.h"
#include "client/x11/ZPixmapDecoder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace kestrova {
namespace {

// --- virtual keys to keycodes ------------------------------------------------------

TEST(KeyCodeMapper, VirtualKeysOfTheLobbyMapToTheirKeysyms) {
    EXPECT_EQ(KeyCodeMapper::keysymForVirtualKey(0x0D), 0xff0du);  // Return
    EXPECT_EQ(KeyCodeMapper::keysymForVirtualKey(0x24), 0xff50u);  // Home
    EXPECT_EQ(KeyCodeMapper::keysymForVirtualKey(0x26), 0xff52u);  // Up
    EXPECT_EQ(KeyCodeMapper::keysymForVirtualKey(0x28), 0xff54u);  // Down
    EXPECT_EQ(KeyCodeMapper::keysymForVirtualKey('Q'), static_cast<std::uint32_t>('q'));
    EXPECT_EQ(KeyCodeMapper::keysymForVirtualKey('7'), static_cast<std::uint32_t>('7'));
    EXPECT_FALSE(KeyCodeMapper::keysymForVirtualKey(0xE8).has_value());
    EXPECT_FALSE(KeyCodeMapper::keysymForVirtualKey(-1).has_value());
}

TEST(KeyCodeMapper, FindsLowestKeycodePreferringUnshiftedColumn) {
    // Two columns per keycode from keycode 8: (a, A), (Home, -), (b, a), (Home, -).
    const KeyCodeMapper mapper(8, 2, {'a', 'A', 0xff50, 0, 'b', 'a', 0xff50, 0});
    EXPECT_EQ(mapper.keycodeForKeysym('a'), 8);
    EXPECT_EQ(mapper.keycodeForKeysym('b'), 10);
    EXPECT_EQ(mapper.keycodeForKeysym('A'), 8) << "only in a shifted column";
    EXPECT_EQ(mapper.keycodeForVirtualKey(0x24), 9);
    EXPECT_FALSE(mapper.keycodeForVirtualKey(0x28).has_value()) << "no Down key on this keyboard";
    EXPECT_FALSE(mapper.keycodeForKeysym(0).has_value());
}

TEST(KeyCodeMapper, EmptyOrRaggedMappingMapsNothingAndNeverReadsPastIt) {
    EXPECT_FALSE(KeyCodeMapper(8, 0, {}).keycodeForKeysym('a').has_value());
    EXPECT_FALSE(KeyCodeMapper(8, 4, {'x', 'y'}).keycodeForKeysym('x').has_value());
    // Keycodes stop at 255 however long the table claims to be.
    std::vector<std::uint32_t> many(300, 0);
    many[260] = 'z';
    EXPECT_FALSE(KeyCodeMapper(8, 1, many).keycodeForKeysym('z').has_value());
}

// --- ZPixmap decoding --------------------------------------------------------------

TEST(ZPixmapDecoder, ThirtyTwoBitsInEitherByteOrder) {
    const std::vector<std::uint8_t> lsb{0x30, 0x20, 0x10, 0x00, 0xff, 0xee, 0xdd, 0x80};
    Image image(2, 1, 0);
    ZPixmapFormat format;
    ASSERT_TRUE(decodeZPixmap(format, lsb.data(), lsb.size(), 1, 0, image));
    EXPECT_EQ(image.pixel(0, 0), 0xff102030u);
    EXPECT_EQ(image.pixel(1, 0), 0xffddeeffu) << "alpha of a depth-32 pixel is dropped";

    const std::vector<std::uint8_t> msb{0x00, 0x10, 0x20, 0x30, 0x80, 0xdd, 0xee, 0xff};
    format.msbFirst = true;
    Image image2(2, 1, 0);
    ASSERT_TRUE(decodeZPixmap(format, msb.data(), msb.size(), 1, 0, image2));
    EXPECT_EQ(image2.pixels(), image.pixels());
}

TEST(ZPixmapDecoder, PackedTwentyFourBitsHonourScanlinePadding) {
    ZPixmapFormat format;
    format.bitsPerPixel = 24;
    // Width 1: 3 bytes padded to 4 per row.
    EXPECT_EQ(format.rowBytes(1), 4u);
    const std::vector<std::uint8_t> data{0x03, 0x02, 0x01, 0xAA, 0x06, 0x05, 0x04, 0xAA};
    Image image(1, 2, 0);
    ASSERT_TRUE(decodeZPixmap(format, data.data(), data.size(), 2, 0, image));
    EXPECT_EQ(image.pixel(0, 0), 0xff010203u);
    EXPECT_EQ(image.pixel(0, 1), 0xff040506u);
}

TEST(ZPixmapDecoder, SixteenBitsScaleToFullRange) {
    ZPixmapFormat format;
    format.bitsPerPixel = 16;
    format.redMask = 0xf800;
    format.greenMask = 0x07e0;
    format.blueMask = 0x001f;
    const std::vector<std::uint8_t> data{0x00, 0xf8, 0xe0, 0x07, 0x1f, 0x00, 0x00, 0x00};
    Image image(3, 1, 0);
    ASSERT_TRUE(decodeZPixmap(format, data.data(), data.size(), 1, 0, image));
    EXPECT_EQ(image.pixel(0, 0), 0xffff0000u);
    EXPECT_EQ(image.pixel(1, 0), 0xff00ff00u);
    EXPECT_EQ(image.pixel(2, 0), 0xff0000ffu);
}

TEST(ZPixmapDecoder, RowsGoToTheirBand) {
    const std::vector<std::uint8_t> data{0x01, 0x00, 0x00, 0x00};
    Image image(1, 3, 0);
    ASSERT_TRUE(decodeZPixmap(ZPixmapFormat{}, data.data(), data.size(), 1, 2, image));
    EXPECT_EQ(image.pixel(0, 0), 0u);
    EXPECT_EQ(image.pixel(0, 2), 0xff000001u);
}

TEST(ZPixmapDecoder, RejectsShortDataBadRowsAndUnsupportedFormats) {
    const std::vector<std::uint8_t> data(7, 0x11);
    Image image(2, 1, 0x12345678u);
    EXPECT_FALSE(decodeZPixmap(ZPixmapFormat{}, data.data(), data.size(), 1, 0, image));
    EXPECT_FALSE(decodeZPixmap(ZPixmapFormat{}, data.data(), 8, 1, 1, image)) << "row past image";
    EXPECT_FALSE(decodeZPixmap(ZPixmapFormat{}, nullptr, 0, 1, 0, image));
    ZPixmapFormat eightBit;
    eightBit.bitsPerPixel = 8;
    EXPECT_FALSE(decodeZPixmap(eightBit, data.data(), data.size(), 1, 0, image));
    ZPixmapFormat noMask;
    noMask.greenMask = 0;
    EXPECT_FALSE(decodeZPixmap(noMask, data.data(), data.size(), 1, 0, image));
    EXPECT_EQ(image.pixel(0, 0), 0x12345678u) << "a failed decode leaves the image alone";
    EXPECT_EQ(image.pixel(1, 0), 0x12345678u);
}

// --- event timestamps --------------------------------------------------------------

TEST(EventTimestamps, FollowTheServerClockFromItsReading) {
    const auto t0 = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
    EventTimestamps stamps(1000, t0);
    EXPECT_EQ(stamps.next(t0), 1000u);
    EXPECT_EQ(stamps.next(t0 + std::chrono::milliseconds(250)), 1250u);
    EXPECT_EQ(stamps.next(t0 + std::chrono::seconds(2)), 3000u);
}

TEST(EventTimestamps, StrictlyIncreasingWithinOneMillisecond) {
    const auto t0 = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
    EventTimestamps stamps(5000, t0);
    std::uint32_t last = stamps.next(t0);
    for (int i = 0; i < 10; ++i) {
        const std::uint32_t now = stamps.next(t0 + std::chrono::microseconds(10 * i));
        EXPECT_EQ(now, last + 1);
        last = now;
    }
    // Real time catches up with the bumped stamps and takes over again.
    EXPECT_EQ(stamps.next(t0 + std::chrono::milliseconds(100)), 5100u);
}

TEST(EventTimestamps, NeverZeroAcrossTheServerClockWrap) {
    const auto t0 = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
    EventTimestamps stamps(0xFFFFFFFEu, t0);
    EXPECT_EQ(stamps.next(t0), 0xFFFFFFFEu);
    EXPECT_EQ(stamps.next(t0), 0xFFFFFFFFu);
    EXPECT_EQ(stamps.next(t0), 1u) << "0 means CurrentTime to a client";
    EXPECT_EQ(stamps.next(t0), 2u);
    EventTimestamps fromZero(0, t0);
    EXPECT_NE(fromZero.next(t0), 0u);
}

}  // namespace
}  // namespace kestrova
