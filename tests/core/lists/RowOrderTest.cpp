#include "lists/RowOrder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kestrova;

namespace {

CellText cells(std::vector<std::string> texts) {
    return [texts = std::move(texts)](int c) {
        return c >= 0 && c < static_cast<int>(texts.size()) ? texts[static_cast<std::size_t>(c)]
                                                            : std::string();
    };
}

bool less(RowSortMode mode, int column, std::vector<std::string> a, std::vector<std::string> b) {
    return rowLess(mode, column, cells(std::move(a)), cells(std::move(b)));
}

}  // namespace

// Table list: names ignore case, the player column sorts as text, the average
// pot by its amount, averages numerically with non-numbers as zero.
TEST(RowOrder, TableListColumns) {
    EXPECT_TRUE(less(RowSortMode::TableList, 0, {"alpha"}, {"Beta"}));
    EXPECT_FALSE(less(RowSortMode::TableList, 0, {"Beta"}, {"alpha"}));
    const std::vector<std::string> a{"", "", "", "10", "$9.50", "9.5", "",
                                     "", "", "", "",   "",      "N/A"};
    const std::vector<std::string> b{"", "", "", "9", "$10", "10.25", "",
                                     "", "", "", "",  "",    "0.5"};
    for (const int column : {3, 4, 5, 12})
        EXPECT_TRUE(less(RowSortMode::TableList, column, a, b)) << column;
}

TEST(RowOrder, BuddiesThenLosersThenAverageVpip) {
    std::vector<std::string> a(13, "0"), b(13, "0");
    a[10] = "1";
    b[10] = "2";
    EXPECT_TRUE(less(RowSortMode::TableList, 10, a, b));
    b[10] = "1";
    a[11] = "3";
    b[11] = "1";
    EXPECT_FALSE(less(RowSortMode::TableList, 10, a, b));
    b[11] = "3";
    a[5] = "20";
    b[5] = "30";
    EXPECT_TRUE(less(RowSortMode::TableList, 10, a, b));
    EXPECT_FALSE(less(RowSortMode::TableList, 10, b, a));
}

// Player lists: seat and hands as integers, the name ignoring case, stacks by
// the amount after a currency sign, a first digit kept.
TEST(RowOrder, PlayerListColumns) {
    EXPECT_TRUE(less(RowSortMode::PlayerList, 0, {"2"}, {"10"}));
    EXPECT_TRUE(less(RowSortMode::PlayerList, 1, {"", "bob"}, {"", "Carl"}));
    std::vector<std::string> a(20), b(20);
    a[5] = "99";
    b[5] = "100";
    a[4] = "300";
    b[4] = "$1200";
    EXPECT_TRUE(less(RowSortMode::PlayerList, 5, a, b));
    EXPECT_TRUE(less(RowSortMode::PlayerList, 4, a, b));
    EXPECT_FALSE(less(RowSortMode::PlayerList, 4, b, a));
    std::vector<std::string> w(21), x(21);
    w[5] = "$900";
    x[5] = "1,200";
    EXPECT_TRUE(less(RowSortMode::WholePlayerList, 5, w, x));
}
