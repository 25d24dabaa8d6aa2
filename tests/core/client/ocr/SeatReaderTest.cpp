#include "client/ocr/SeatReader.h"

#include "GlyphStamp.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace kestrova {
namespace {

const std::uint32_t kBorder = rgb(20, 20, 20);
const std::uint32_t kBackground = rgb(200, 200, 200);
// Blue keeps the ink out of the dark-border probes that cross the text.
const std::uint32_t kInk = rgb(30, 30, 130);

// A seat list box: top border at y = 250, left border at x = 690, so the
// reading area starts at x = 691 and line i at y = 253 + 14 i.
class SeatCapture {
public:
    static constexpr int kTop = 250;
    static constexpr int kLeft = 691;

    explicit SeatCapture(int width = 1000, int height = 450)
        : image(width, height, rgb(90, 90, 90)) {
        testing::fill(image, kLeft - 1, kTop, 1000, 450, kBackground);
        testing::fill(image, kLeft - 1, kTop, 1000, kTop + 1, kBorder);
        testing::fill(image, kLeft - 1, kTop, kLeft, 450, kBorder);
    }

    static int lineTop(int line) { return kTop + 3 + 14 * line; }

    void line(int index, const std::string& name, const std::string& chips) {
        font.draw(image, kLeft + 2, lineTop(index), name, kInk);
        font.draw(image, kLeft + 150, lineTop(index), chips, kInk);
    }

    SeatReading read() const {
        SeatReading seats;
        readSeats(image, font.table(), seats);
        return seats;
    }

    testing::TestFont font;
    Image image;
};

// Each line with a name advances the seat index by two, an empty line by one;
// an empty name keeps the old name but stores the chips; ten lines at most.
TEST(SeatReading, NamesAndChipsAdvanceTheSeatIndexByTwo) {
    SeatCapture capture;
    capture.line(0, "", "$500");
    capture.line(1, "Bob 2", "12,50");
    capture.line(3, "Waiting", "");
    for (int i = 4; i < 12; ++i)
        capture.line(i, "P" + std::to_string(i), "$1,234.5" + std::to_string(i));
    SeatReading seats;
    seats.names[0] = "Earlier";
    seats.names[4] = "kept";
    readSeats(capture.image, capture.font.table(), seats);
    // Lines after the tenth are not read.
    const std::array<std::string, SeatReading::kSlots> names{
        "Earlier", "", "Bob 2", "", "kept", "Waiting", "",   "P4", "",
        "P5",      "", "P6",    "", "P7",   "",        "P8", "",   "P9"};
    const std::array<std::string, SeatReading::kSlots> chips{
        "500",     "", "12.50",   "", "",        "", "",        "1234.54", "",
        "1234.55", "", "1234.56", "", "1234.57", "", "1234.58", "",        "1234.59"};
    EXPECT_EQ(seats.names, names);
    EXPECT_EQ(seats.chips, chips);
}

// The names below "Waiting:" are the waiting list; an area whose last line
// holds text may have more below it.
TEST(SeatReading, WaitingNamesFollowTheMarkerAndAFullAreaMayGoOn) {
    SeatCapture onlyWaiting;
    onlyWaiting.line(0, "Waiting:", "");
    onlyWaiting.line(1, "Ann", "");
    onlyWaiting.line(2, "Bo 7", "");
    const SeatReading waiting = onlyWaiting.read();
    EXPECT_EQ(waitingNamesOf(waiting), (std::vector<std::string>{"Ann", "Bo 7"}));
    EXPECT_FALSE(waiting.lastLineUsed);

    SeatCapture full;
    for (int i = 0; i < 8; ++i)
        full.line(i, "P" + std::to_string(i), "100");
    full.line(8, "Waiting:", "");
    EXPECT_TRUE(waitingNamesOf(full.read()).empty());
    EXPECT_FALSE(full.read().lastLineUsed);
    full.line(9, "Cy", "");
    EXPECT_EQ(waitingNamesOf(full.read()), std::vector<std::string>{"Cy"});
    EXPECT_TRUE(full.read().lastLineUsed);

    SeatCapture seatedOnly;
    seatedOnly.line(0, "P0", "100");
    EXPECT_TRUE(waitingNamesOf(seatedOnly.read()).empty());
}

TEST(SeatReading, NameEndsAt112ColumnsAndChipsStartAt148) {
    SeatCapture capture;
    const int top = SeatCapture::lineTop(0);
    capture.font.draw(capture.image, SeatCapture::kLeft + 106, top, "ab", kInk);
    capture.font.draw(capture.image, SeatCapture::kLeft + 130, top, "cd", kInk);
    capture.font.draw(capture.image, SeatCapture::kLeft + 148, top, "7", kInk);
    const SeatReading seats = capture.read();
    // "b" straddles the cut: its first columns end the name as an unknown glyph.
    EXPECT_EQ(seats.names[0], "a?");
    EXPECT_EQ(seats.chips[0], "7");
}

TEST(SeatReading, AFullHeightColumnCountsAsEmpty) {
    SeatCapture capture;
    capture.line(0, "ab", "");
    // Turn the gap column between "a" and "b" into a full-height bar: still two glyphs.
    const int gapX = SeatCapture::kLeft + 2 + 3;
    testing::fill(capture.image, gapX, SeatCapture::lineTop(0), gapX + 1,
                  SeatCapture::lineTop(0) + 12, kInk);
    EXPECT_EQ(capture.read().names[0], "ab");
}

TEST(SeatReading, TwoColumnDotIsAFullStop) {
    SeatCapture capture;
    GlyphTable table;  // no entry for the dot at all
    for (const char c : std::string("ab")) {
        table.add(capture.font.signature(c), std::string(1, c));
    }
    capture.line(0, "a.b", "");
    SeatReading seats;
    readSeats(capture.image, table, seats);
    EXPECT_EQ(seats.names[0], "a.b");
}

class StrokeTest : public ::testing::Test {
protected:
    // A darker line so that a brighter crossbar is possible.
    const std::uint32_t lineBackground = rgb(90, 90, 110);
    SeatCapture capture;
    int top = SeatCapture::lineTop(0);
    int strokeX = SeatCapture::kLeft + 14;

    void SetUp() override {
        testing::fill(capture.image, SeatCapture::kLeft, top, SeatCapture::kLeft + 235, top + 14,
                      lineBackground);
        capture.font.draw(capture.image, SeatCapture::kLeft + 10, top, "a", kInk);
        testing::stamp(capture.image, strokeX, top, "1022,1022,", kInk);
    }
};

// An "l" stroke is a "t" when a bright column or mark is next to it.
TEST_F(StrokeTest, StrokeIsAnLUnlessABrightNeighbourMakesItAT) {
    EXPECT_EQ(capture.read().names[0], "al");
    testing::fill(capture.image, strokeX + 2, top, strokeX + 3, top + 12, rgb(150, 150, 200));
    EXPECT_EQ(capture.read().names[0], "al") << "not bright enough";
    // One column of gap, then a bright mark in row 3, inside the sampled grid
    // (a mark no glyph explains, so it reads "?" itself).
    capture.image.setPixel(strokeX + 3, top + 3, rgb(250, 250, 250));
    EXPECT_EQ(capture.read().names[0], "at?");
    // The bright column right of the stroke is ink in every row, so it ends the
    // glyph without joining it, and it is where a "t" shows its crossbar.
    capture.image.setPixel(strokeX + 3, top + 3, rgb(90, 90, 110));
    testing::fill(capture.image, strokeX + 2, top, strokeX + 3, top + 12, rgb(230, 230, 230));
    EXPECT_EQ(capture.read().names[0], "at");
}

class DarkPrefixTest : public ::testing::Test {
protected:
    SeatCapture capture;
    GlyphTable table;
    int top = SeatCapture::lineTop(0);

    void SetUp() override {
        table.add("1016,1016,8,1016,1016,", "m");
        table.add("1016,1016,", "u");
        table.add("8,", "-");
        table.add("2,2,", "=");
    }

    std::string readWithInk(std::uint32_t ink) {
        testing::stamp(capture.image, SeatCapture::kLeft + 10, top, "1016,1016,8,1016,1016,2,2,",
                       ink);
        SeatReading seats;
        readSeats(capture.image, table, seats);
        return seats.names[0];
    }
};

// Dark ink accepts the long prefix; bright ink skips it for the shorter entries.
TEST_F(DarkPrefixTest, OnlyDarkInkAcceptsTheLongPrefix) {
    EXPECT_EQ(readWithInk(rgb(40, 40, 140)), "m=");
    EXPECT_EQ(readWithInk(rgb(240, 40, 40)), "u-u=");
}

TEST(SeatReadingEdges, DefaultsWhenNoBorderIsFound) {
    // No dark pixel anywhere: top 260, left edge 700, area left 701.
    testing::TestFont font;
    Image image(1000, 450, rgb(200, 200, 200));
    font.draw(image, 703, 263, "Zed", kInk);
    font.draw(image, 701 + 150, 263, "$42", kInk);
    SeatReading seats;
    readSeats(image, font.table(), seats);
    EXPECT_EQ(seats.names[0], "Zed");
    EXPECT_EQ(seats.chips[0], "42");
}

TEST(SeatReadingEdges, CapturesSmallerThanTheAreaAreReadInsideTheirBounds) {
    SeatCapture full;
    for (int i = 0; i < 10; ++i) {
        full.line(i, "Name" + std::to_string(i), "$1,000");
    }
    const GlyphTable table = full.font.table();
    const int sizes[][2] = {{0, 0},     {1, 1},     {841, 1},   {700, 300}, {841, 286},
                            {900, 260}, {692, 450}, {860, 300}, {999, 449}, {3000, 5}};
    for (const auto& size : sizes) {
        const Image small = testing::cropped(full.image, size[0], size[1], kBorder);
        SeatReading seats;
        readSeats(small, table, seats);
        const int height = size[1];
        // Lines wholly inside read as drawn, once the area's edges are inside
        // (the top edge is looked for at x = 840); nothing is read from lines
        // that start below the capture.
        int started = 0;
        for (int i = 0; i < 10; ++i) {
            const bool whole = size[0] > 840 && SeatCapture::lineTop(i) + 12 <= height;
            if (whole) {
                EXPECT_EQ(seats.names[static_cast<std::size_t>(2 * i)], "Name" + std::to_string(i))
                    << size[0] << "x" << height;
            }
            started += SeatCapture::lineTop(i) < height ? 1 : 0;
        }
        for (std::size_t slot = static_cast<std::size_t>(2 * started); slot < seats.names.size(); ++slot)
            EXPECT_TRUE(seats.names[slot].empty()) << size[0] << "x" << height << " slot " << slot;
    }
}

TEST(ChipText, SeparatorsBlanksAndDollarsAreNormalised) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"1,250", "1250"}, {"12,50", "12.50"}, {"1.234,56", "1234.56"}, {"1,234.56", "1234.56"},
        {"1,234,567", "1234567"}, {"0,5", "0.5"}, {" $12,50 ", "12.50"}, {"$", ""}, {"", ""}};
    // clang-format on
    for (const auto& [text, normal] : cases)
        EXPECT_EQ(normaliseChipText(text), normal) << text;
}

}  // namespace
}  // namespace kestrova
