#include "client/ocr/LobbyPageReader.h"

#include "GlyphStamp.h"
#include "Printers.h"

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
    std::string waiting = "";
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
            font.draw(image, left + 490, top, row.waiting, kWhite);
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

TEST(LobbyPageReading, SelectedLineGivesAllFields) {
    EXPECT_TRUE(isSelectionHighlight(rgb(114, 116, 114)));
    EXPECT_TRUE(isSelectionHighlight(rgb(0, 184, 0)));
    EXPECT_FALSE(isSelectionHighlight(rgb(0, 185, 0)));
    EXPECT_FALSE(isSelectionHighlight(rgb(0, 115, 0)));
    EXPECT_FALSE(isSelectionHighlight(rgb(115, 150, 0)));
    EXPECT_FALSE(isSelectionHighlight(rgb(0, 150, 115)));
    std::vector<Row> rows = rowsWithSelected(4);
    rows[4] = Row{"Aspen 1 (S)", "Omaha", "$0.10/$0.25", "10/10", "PL", "$1,234", true, "12"};
    const LobbyCapture capture(7, rows);
    const LobbyPageReading reading =
        readLobbyPage(capture.image, capture.geometry, capture.font.table());
    EXPECT_TRUE(reading.firstLineFits);
    // clang-format off
    const LobbyEntry aspen{.name = "Aspen 1", .game = "Omaha", .stakes = "$0.10/$0.25",
                           .extra = "PL", .averagePot = "$1,234", .limitKind = "Pot Limit",
                           .players = 10, .seats = 10, .waiting = 12};
    // clang-format on
    EXPECT_EQ(reading.selected, aspen) << "markers are removed from the name";
    // A row with nothing in its "Wait" column, or no count there, has nobody waiting.
    for (const std::string waiting : {"", "-", "x3"}) {
        rows[4].waiting = waiting;
        const LobbyCapture without(7, rows);
        const auto entry =
            readLobbyPage(without.image, without.geometry, without.font.table()).selected;
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->waiting, 0) << waiting;
        EXPECT_EQ(entry->players, 10) << waiting;
    }
    EXPECT_EQ(readSelectedNames(capture.image, capture.geometry, capture.font.table()),
              std::vector<std::string>{"Aspen 1"});
}

TEST(LobbyPageReading, LimitKindComesFromTheTypeColumnElseTheGame) {
    EXPECT_EQ(limitKindOf("FL", "Hold'em"), "Limit");
    EXPECT_EQ(limitKindOf("NL", "Hold'em"), "No Limit");
    EXPECT_EQ(limitKindOf("PL", "No Limit Hold'em"), "Pot Limit");
    EXPECT_EQ(limitKindOf("Fast", "Pot Limit Omaha"), "Pot Limit");
    EXPECT_EQ(limitKindOf("Fast", "Omaha H/L"), "");
    EXPECT_EQ(limitKindOf("NLH2", "Stud"), "") << "a word that merely contains the letters";
}

// The last line that fits is read; lines not highlighted never are; seat
// counts without digits read 0; a first line that does not fit asks for a scroll.
TEST(LobbyPageReading, LinesAndTheirLimits) {
    const LobbyCapture last(0, rowsWithSelected(20));  // 21 lines of 16 rows end at the bottom
    const GlyphTable table = last.font.table();
    auto reading = readLobbyPage(last.image, last.geometry, table);
    ASSERT_TRUE(reading.selected.has_value());
    EXPECT_EQ(reading.selected->name, "Table 20");

    std::vector<Row> rows = rowsWithSelected(-1);
    const LobbyCapture none(2, rows);
    EXPECT_FALSE(readLobbyPage(none.image, none.geometry, table).selected.has_value());
    EXPECT_TRUE(readSelectedNames(none.image, none.geometry, table).empty());

    rows[1].selected = rows[5].selected = true;
    rows[1].seated = "x/y";
    const LobbyCapture two(9, rows);
    EXPECT_EQ(readLobbyPage(two.image, two.geometry, table).selected->players, 0);
    EXPECT_EQ(readSelectedNames(two.image, two.geometry, table),
              (std::vector<std::string>{"Table 1", "Table 5"}));

    LobbyCapture low(0, rowsWithSelected(0));
    low.geometry.listBottom = low.geometry.listTop + 14;
    reading = readLobbyPage(low.image, low.geometry, table);
    EXPECT_FALSE(reading.firstLineFits);
    EXPECT_FALSE(reading.selected.has_value());
}

TEST(LobbyPageReading, CapturesSmallerThanTheGeometryAreReadInsideTheirBounds) {
    const LobbyCapture full(4, rowsWithSelected(3));
    const GlyphTable table = full.font.table();
    const int sizes[][2] = {{0, 0},     {1, 1},     {21, 600},  {600, 250}, {601, 263},
                            {640, 300}, {700, 280}, {150, 600}, {699, 599}, {2000, 20}};
    for (const auto& size : sizes) {
        const Image small = testing::cropped(full.image, size[0], size[1], kWhite);
        const auto reading = readLobbyPage(small, full.geometry, table);
        lineGridOffset(small, full.geometry);
        const auto names = readSelectedNames(small, full.geometry, table);
        if (reading.selected) {
            EXPECT_LE(reading.selected->name.size(), std::string("Table 3").size());
        }
        EXPECT_LE(names.size(), 1u);
    }
    for (const int offset : {0, 1, 5, 15}) {
        const LobbyCapture capture(offset, rowsWithSelected(-1));
        EXPECT_EQ(lineGridOffset(capture.image, capture.geometry), offset) << offset;
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
