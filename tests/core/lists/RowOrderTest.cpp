#include "lists/RowOrder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kestrova;

namespace {

CellText cells(std::vector<std::string> texts) {
    return [texts = std::move(texts)](int c) {
        return c >= 0 && c < static_cast<int>(texts.size()) ? texts[static_cast<std::size_t>(c)]
                                                            : std::string();
    };
}

// Whether a sorts before b by the first cell under the rule, and not the other way round.
bool before(SortRule rule, std::vector<std::string> a, std::vector<std::string> b) {
    return rowLess(rule, 0, cells(a), cells(b)) && !rowLess(rule, 0, cells(b), cells(a));
}

}  // namespace

// Each kind reads the texts as the lists show them: numbers as numbers
// (texts that are none as 0), amounts after a currency sign, names
// ignoring case, stakes by the blind after their sign.
TEST(RowOrder, EachKindOrdersTheTextsItsColumnsShow) {
    EXPECT_TRUE(before({SortKind::Text}, {"10"}, {"9"}));
    EXPECT_TRUE(before({SortKind::Text}, {"B"}, {"a"}));
    EXPECT_TRUE(before({SortKind::Name}, {"alpha"}, {"Beta"}));
    EXPECT_FALSE(rowLess({SortKind::Name}, 0, cells({"ALPHA"}), cells({"alpha"})));
    EXPECT_TRUE(before({SortKind::Integer}, {"9"}, {"10"}));
    EXPECT_TRUE(before({SortKind::Integer}, {"x"}, {"1"}));
    EXPECT_TRUE(before({SortKind::Amount}, {"$9.50"}, {"$10"}));
    EXPECT_TRUE(before({SortKind::Amount}, {"300"}, {"$1200"}));
    EXPECT_TRUE(before({SortKind::Amount}, {"$900"}, {"1,200"}));
    EXPECT_TRUE(before({SortKind::IntegerAfterFirst}, {"$2/$4"}, {"$10/$20"}));
    EXPECT_TRUE(before({SortKind::Number}, {"9.5"}, {"10.25"}));
    EXPECT_TRUE(before({SortKind::Number}, {"N/A"}, {"0.5"}));
    EXPECT_TRUE(before({SortKind::Number}, {"-3"}, {"+2"}));
}

// A tie on the sorted column goes to the next columns of the rule, in order;
// rows equal on all of them keep no order.
TEST(RowOrder, TiesGoToTheNextColumnsOfTheRule) {
    const SortRule rule{SortKind::Number, {2, 1}};
    const auto less = [&](std::vector<std::string> a, std::vector<std::string> b) {
        return rowLess(rule, 0, cells(std::move(a)), cells(std::move(b)));
    };
    EXPECT_TRUE(less({"1", "9", "9"}, {"2", "0", "0"}));
    EXPECT_TRUE(less({"1", "9", "3"}, {"1", "0", "4"}));
    EXPECT_FALSE(less({"1", "9", "4"}, {"1", "0", "3"}));
    EXPECT_TRUE(less({"1", "2", "3"}, {"1", "5", "3"}));
    EXPECT_FALSE(less({"1", "5", "3"}, {"1", "5", "3"}));
}
