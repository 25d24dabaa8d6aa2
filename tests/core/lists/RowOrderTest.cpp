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

TEST(RowOrder, TableNamesIgnoreCase) {
    EXPECT_TRUE(less(RowSortMode::TableList, 0, {"alpha"}, {"Beta"}));
    EXPECT_FALSE(less(RowSortMode::TableList, 0, {"Beta"}, {"alpha"}));
}

TEST(RowOrder, AveragePotSortsByAmountWithoutTheDollar) {
    EXPECT_TRUE(
        less(RowSortMode::TableList, 4, {"", "", "", "", "$9.50"}, {"", "", "", "", "$10"}));
    EXPECT_TRUE(less(RowSortMode::TableList, 4, {"", "", "", "", "$0"}, {"", "", "", "", "$0.01"}));
}

TEST(RowOrder, AveragesSortNumericallyAndNonNumbersCountAsZero) {
    std::vector<std::string> a(13), b(13);
    a[5] = "9.5";
    b[5] = "10.25";
    EXPECT_TRUE(less(RowSortMode::TableList, 5, a, b));
    a[12] = "N/A";
    b[12] = "0.5";
    EXPECT_TRUE(less(RowSortMode::TableList, 12, a, b));
}

TEST(RowOrder, PlayerColumnSortsAsText) {
    std::vector<std::string> a(13), b(13);
    a[3] = "10";
    b[3] = "9";
    EXPECT_TRUE(less(RowSortMode::TableList, 3, a, b));
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

TEST(RowOrder, PlayerListColumns) {
    // Seat and hands as integers in the player list; the name ignores case.
    EXPECT_TRUE(less(RowSortMode::PlayerList, 0, {"2"}, {"10"}));
    EXPECT_TRUE(less(RowSortMode::PlayerList, 1, {"", "bob"}, {"", "Carl"}));
    std::vector<std::string> a(20), b(20);
    a[5] = "99";
    b[5] = "100";
    EXPECT_TRUE(less(RowSortMode::PlayerList, 5, a, b));
    a[4] = "$900";  // stacks sort by the amount after the first character
    b[4] = "$1200";
    EXPECT_TRUE(less(RowSortMode::PlayerList, 4, a, b));
}

TEST(RowOrder, StackWithoutCurrencySignKeepsItsFirstDigit) {
    std::vector<std::string> a(20), b(20);
    a[4] = "300";
    b[4] = "1250.50";  // the seat reader drops "$": the first character is a digit
    EXPECT_TRUE(less(RowSortMode::PlayerList, 4, a, b));
    EXPECT_FALSE(less(RowSortMode::PlayerList, 4, b, a));
    std::vector<std::string> w(21), x(21);
    w[5] = "$900";
    x[5] = "1,200";
    EXPECT_TRUE(less(RowSortMode::WholePlayerList, 5, w, x));
}

TEST(RowOrder, NumbersReadTheSameWhateverTheLeadingText) {
    EXPECT_DOUBLE_EQ(leadingNumber(" 12.50abc"), 12.5);
    EXPECT_DOUBLE_EQ(leadingNumber("+3"), 3.0);
    EXPECT_DOUBLE_EQ(leadingNumber("N/A"), 0.0);
}
