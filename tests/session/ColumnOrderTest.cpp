#include "PlayerColumns.h"
#include "TableColumns.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {
namespace {

// The lists sort each column by its header's meaning, whatever its place.
class ColumnOrder : public ::testing::Test {
protected:
    template <class Columns>
    static int named(const Columns& columns, std::string_view header) {
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (columns[c].header == header)
                return static_cast<int>(c);
        ADD_FAILURE() << header;
        return 0;
    }
    static int tableColumn(std::string_view header) { return named(tableColumns(), header); }
    static int playerColumn(std::string_view header) { return named(playerColumns(), header); }
    // Rows whose cells are all empty but the ones given.
    static CellText row(std::size_t width, std::vector<std::pair<int, std::string>> set) {
        std::vector<std::string> texts(width);
        for (auto& [column, text] : set)
            texts[static_cast<std::size_t>(column)] = std::move(text);
        return [texts](int c) { return texts[static_cast<std::size_t>(c)]; };
    }
};

TEST_F(ColumnOrder, TheTableListSortsNamesPotsAndFiguresByWhatTheyMean) {
    const std::vector<SortRule> rules = tableSortRules();
    const auto less = [&](int column, const CellText& a, const CellText& b) {
        return rowLess(rules[static_cast<std::size_t>(column)], column, a, b);
    };
    const int name = tableColumn("Tablename");
    EXPECT_TRUE(less(name, row(14, {{name, "alpha"}}), row(14, {{name, "Beta"}})));
    const int pot = tableColumn("Avg. Pot");
    EXPECT_TRUE(less(pot, row(14, {{pot, "$9.50"}}), row(14, {{pot, "$10"}})));
    const int limit = tableColumn("Limit");
    EXPECT_TRUE(less(limit, row(14, {{limit, "$2/$4"}}), row(14, {{limit, "$10/$20"}})));
    for (const std::string_view header : {"Avg. VPIP", "Score", "Tot.Stacks"}) {
        const int c = tableColumn(header);
        EXPECT_TRUE(less(c, row(14, {{c, "N/A"}}), row(14, {{c, "0.5"}}))) << header;
        EXPECT_TRUE(less(c, row(14, {{c, "9.5"}}), row(14, {{c, "10.25"}}))) << header;
    }

    // Buddies, then losers, then the average VPIP.
    const int buddies = tableColumn("# Buddies");
    const int losers = tableColumn("# Loser");
    const int vpip = tableColumn("Avg. VPIP");
    const auto table = [&](const char* b, const char* l, const char* v) {
        return row(14, {{buddies, b}, {losers, l}, {vpip, v}});
    };
    EXPECT_TRUE(less(buddies, table("1", "9", "90"), table("2", "0", "10")));
    EXPECT_TRUE(less(buddies, table("1", "2", "90"), table("1", "3", "10")));
    EXPECT_TRUE(less(buddies, table("1", "3", "20"), table("1", "3", "30")));
    EXPECT_FALSE(less(buddies, table("1", "3", "30"), table("1", "3", "20")));
}

TEST_F(ColumnOrder, BothPlayerListsSortSeatsStacksAndFiguresAlike) {
    for (const bool whole : {false, true}) {
        const std::vector<SortRule> rules = playerSortRules(whole);
        const int shift = whole ? 1 : 0;
        const std::size_t width = kPlayerColumnCount + static_cast<std::size_t>(shift);
        ASSERT_EQ(rules.size(), width);
        const auto less = [&](std::string_view header, std::string a, std::string b) {
            const int c = playerColumn(header) + shift;
            return rowLess(rules[static_cast<std::size_t>(c)], c, row(width, {{c, a}}),
                           row(width, {{c, b}}));
        };
        EXPECT_TRUE(less("Seat", "2", "10")) << whole;
        EXPECT_TRUE(less("Hands", "99", "100")) << whole;
        EXPECT_TRUE(less("Screenname", "bob", "Carl")) << whole;
        EXPECT_TRUE(less("Stack", "300", "$1200")) << whole;
        EXPECT_TRUE(less("VPIP", "N/A", "7.5")) << whole;
        EXPECT_TRUE(less("Won", "-12.5", "3")) << whole;
        if (whole) {
            EXPECT_TRUE(
                rowLess(rules[0], 0, row(width, {{0, "alpha"}}), row(width, {{0, "Beta"}})));
        }
    }
}

}  // namespace
}  // namespace kestrova
