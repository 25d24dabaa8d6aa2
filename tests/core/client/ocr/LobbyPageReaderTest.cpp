#include "client/ocr/LobbyPageReader.h"

#include "GlyphStamp.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace kestrova {
namespace {

const std::uint32_t kWhite = rgb(255, 255, 255);
const std::uint32_t kHighlight = rgb(60, 150, 60);
const std::uint32_t kRowA = rgb(30, 30, 70);
const std::uint32_t kRowB = rgb(40, 40, 90);
const std::uint32_t kPartial = rgb(10, 10, 10);

struct Row {
    std::string name;
    std::string game = "Holdem";
    std::string stakes = "$1/$2";
    std::string seated = "6/9";
    std::string extra = "NL";
    std::string pot = "$123";
    bool selected = false;
};

// A lobby capture: the list starts `offset` rows below the list top, rows of
// 16 pixels with alternating colours, white text two rows below each row top.
class LobbyCapture {
public:
    LobbyCapture(int offset, const std::vector<Row>& rows, int width = 700, int height = 600)
        : image(width, height, rgb(120, 120, 120)) {
        geometry = LobbyGeometry::fromListWindow(Rect{0, 20, 690, 580});
        const int left = geometry.listLeft;
        testing::fill(image, left, geometry.listTop, geometry.listRight, geometry.listTop + offset,
                      kPartial);
        int top = geometry.listTop + offset;
        for (std::size_t i = 0; i < rows.size(); ++i, top += 16) {
            const Row& row = rows[i];
            const std::uint32_t background = row.selected ? kHighlight : (i % 2 ? kRowB : kRowA);
            testing::fill(image, left, top, geometry.listRight, top + 16, background);
            font.draw(image, left + 3, top, row.name, kWhite);
            font.draw(image, left + 113, top, row.game, kWhite);
            font.draw(image, left + 181, top, row.stakes, kWhite);
            font.draw(image, left + 262, top, row.seated, kWhite);
            font.draw(image, left + 340, top, row.extra, kWhite);
            font.draw(image, left + 408, top, row.pot, kWhite);
            font.draw(image, left + 490, top, "999", kWhite);
        }
    }

    testing::TestFont font;
    Image image;
    LobbyGeometry geometry;
};

std::vector<Row> rowsWithSelected(int selected, int count = 21) {
    std::vector<Row> rows;
    for (int i = 0; i < count; ++i) {
        Row row;
        row.name = "Table " + std::to_string(i);
        row.selected = i == selected;
        rows.push_back(row);
    }
    return rows;
}

TEST(LobbyLineGrid, OffsetIsTheFirstRowBoundaryBelowTheListTop) {
    for (const int offset : {0, 1, 5, 15}) {
        const LobbyCapture capture(offset, rowsWithSelected(-1));
        EXPECT_EQ(lineGridOffset(capture.image, capture.geometry), offset) << offset;
    }
}

TEST(LobbyLineGrid, HighlightColourRange) {
    EXPECT_TRUE(isSelectionHighlight(rgb(114, 116, 114)));
    EXPECT_TRUE(isSelectionHighlight(rgb(0, 184, 0)));
    EXPECT_FALSE(isSelectionHighlight(rgb(115, 150, 0)));
    EXPECT_FALSE(isSelectionHighlight(rgb(0, 115, 0)));
    EXPECT_FALSE(isSelectionHighlight(rgb(0, 185, 0)));
    EXPECT_FALSE(isSelectionHighlight(rgb(0, 150, 115)));
    EXPECT_FALSE(isSelectionHighlight(kWhite));
}

TEST(LobbyPageReading, SelectedLineGivesAllFields) {
    std::vector<Row> rows = rowsWithSelected(4);
    rows[4] = Row{"Aspen 1", "Omaha", "$0.10/$0.25", "10/10", "PL", "$1,234", true};
    const LobbyCapture capture(7, rows);
    const LobbyPageReading reading =
        readLobbyPage(capture.image, capture.geometry, capture.font.table());
    EXPECT_TRUE(reading.firstLineFits);
    ASSERT_TRUE(reading.selected.has_value());
    const LobbyEntry& entry = *reading.selected;
    EXPECT_EQ(entry.name, "Aspen 1");
    EXPECT_EQ(entry.game, "Omaha");
    EXPECT_EQ(entry.stakes, "$0.10/$0.25");
    EXPECT_EQ(entry.players, 10);
    EXPECT_EQ(entry.seats, 10);
    EXPECT_EQ(entry.extra, "PL");
    EXPECT_EQ(entry.averagePot, "$1,234");
    EXPECT_EQ(entry.limitKind, "Pot Limit");
}

TEST(LobbyPageReading, LimitKindComesFromTheTypeColumnElseTheGame) {
    EXPECT_EQ(limitKindOf("FL", "Hold'em"), "Limit");
    EXPECT_EQ(limitKindOf("NL", "Hold'em"), "No Limit");
    EXPECT_EQ(limitKindOf("PL", "No Limit Hold'em"), "Pot Limit");
    EXPECT_EQ(limitKindOf("", "No Limit Hold'em"), "No Limit");
    EXPECT_EQ(limitKindOf("Fast", "Pot Limit Omaha"), "Pot Limit");
    EXPECT_EQ(limitKindOf("Fast", "Omaha H/L"), "");
    // A word that merely contains the letters names no kind.
    EXPECT_EQ(limitKindOf("NLH2", "Stud"), "");
}

// The table finder compares with the names the table list shows.
TEST(LobbyPageReading, MarkersAreRemovedFromTheNameByEveryReader) {
    std::vector<Row> rows = rowsWithSelected(0);
    rows[0].name = "Bern (S)";
    const LobbyCapture capture(0, rows);
    const auto reading = readLobbyPage(capture.image, capture.geometry, capture.font.table());
    ASSERT_TRUE(reading.selected.has_value());
    EXPECT_EQ(reading.selected->name, "Bern");
    EXPECT_EQ(readSelectedNames(capture.image, capture.geometry, capture.font.table()),
              std::vector<std::string>{"Bern"});
}

TEST(LobbyPageReading, SeatCountWithoutDigitsReadsZero) {
    std::vector<Row> rows = rowsWithSelected(2);
    rows[2].seated = "x/y";
    const LobbyCapture capture(3, rows);
    const auto reading = readLobbyPage(capture.image, capture.geometry, capture.font.table());
    ASSERT_TRUE(reading.selected.has_value());
    EXPECT_EQ(reading.selected->players, 0);
    EXPECT_EQ(reading.selected->seats, 0);
}

TEST(LobbyPageReading, LastLineThatFitsIsRead) {
    // Offset 0: 21 lines of 16 rows end exactly at the list bottom.
    const LobbyCapture capture(0, rowsWithSelected(20));
    const auto reading = readLobbyPage(capture.image, capture.geometry, capture.font.table());
    ASSERT_TRUE(reading.selected.has_value());
    EXPECT_EQ(reading.selected->name, "Table 20");
}

TEST(LobbyPageReading, LinesNotHighlightedAreNeverRead) {
    const LobbyCapture capture(2, rowsWithSelected(-1));
    const GlyphTable table = capture.font.table();
    const auto reading = readLobbyPage(capture.image, capture.geometry, table);
    EXPECT_TRUE(reading.firstLineFits);
    EXPECT_FALSE(reading.selected.has_value());
    EXPECT_TRUE(readSelectedNames(capture.image, capture.geometry, table).empty());
}

TEST(LobbyPageReading, SelectedNamesAreTheFirst110ColumnsOfEachHighlightedLine) {
    std::vector<Row> rows = rowsWithSelected(1);
    rows[5].selected = true;
    const LobbyCapture capture(9, rows);
    EXPECT_EQ(readSelectedNames(capture.image, capture.geometry, capture.font.table()),
              (std::vector<std::string>{"Table 1", "Table 5"}));
}

TEST(LobbyPageReading, FirstLineThatDoesNotFitAsksForAScroll) {
    LobbyCapture capture(0, rowsWithSelected(0));
    capture.geometry.listBottom = capture.geometry.listTop + 14;
    const auto reading = readLobbyPage(capture.image, capture.geometry, capture.font.table());
    EXPECT_FALSE(reading.firstLineFits);
    EXPECT_FALSE(reading.selected.has_value());
}

TEST(LobbyPageReading, CapturesSmallerThanTheGeometryAreReadInsideTheirBounds) {
    const LobbyCapture full(4, rowsWithSelected(3));
    const GlyphTable table = full.font.table();
    const int sizes[][2] = {{0, 0},     {1, 1},     {21, 600},  {600, 250}, {601, 263},
                            {640, 300}, {700, 280}, {150, 600}, {699, 599}, {2000, 20}};
    for (const auto& size : sizes) {
        Image small(size[0], size[1]);
        for (int y = 0; y < small.height(); ++y) {
            for (int x = 0; x < small.width(); ++x) {
                small.setPixel(x, y, full.image.contains(x, y) ? full.image.pixel(x, y) : kWhite);
            }
        }
        const auto reading = readLobbyPage(small, full.geometry, table);
        lineGridOffset(small, full.geometry);
        const auto names = readSelectedNames(small, full.geometry, table);
        if (reading.selected) {
            EXPECT_LE(reading.selected->name.size(), std::string("Table 3").size());
        }
        EXPECT_LE(names.size(), 1u);
    }
    // A geometry far outside the capture.
    LobbyGeometry away = full.geometry;
    away.listTop = -5000;
    away.listBottom = 5000;
    away.listLeft = -300;
    away.listRight = 9000;
    EXPECT_NO_FATAL_FAILURE(readLobbyPage(full.image, away, table));
    EXPECT_NO_FATAL_FAILURE(readSelectedNames(full.image, away, table));
    // Extreme values must not overflow the coordinate arithmetic.
    const int extremes[] = {std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
    for (const int a : extremes) {
        for (const int b : extremes) {
            LobbyGeometry wild{a, b, a, b};
            EXPECT_FALSE(readLobbyPage(full.image, wild, table).selected.has_value());
            EXPECT_TRUE(readSelectedNames(full.image, wild, table).empty());
            EXPECT_EQ(lineGridOffset(full.image, wild), 0);
        }
    }
}

}  // namespace
}  // namespace kestrova
