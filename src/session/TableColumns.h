#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lists/RowOrder.h"

namespace kestrova {

struct IntKey;
struct TableEvaluation;
struct TableRow;

// The table list's columns, in the order the list shows them.
inline constexpr std::size_t kTableColumnCount = 14;
// "WL": the waiting list's length.
inline constexpr int kWaitingColumn = 2;
// "Score": the expected number of weak players; the list sorts by it at a first start.
inline constexpr int kScoreColumn = 13;

struct TableColumn {
    std::string_view header;
    std::string (*text)(const TableRow& row);
    // The Display key that shows the column; null: the column always shows.
    const IntKey* displayKey;
    // The place of its box on the Display page, in reading order.
    int displayBox;
    // The header's tooltip: what the figure is, over which players, which colours apply.
    std::string_view tip = {};
    // A first click sorts the way a player looks for tables: the most first.
    bool mostFirst = false;
    // How the column orders the rows.
    SortRule sort = {};
};

std::span<const TableColumn, kTableColumnCount> tableColumns();

// An average as the list shows it: two decimals, "0" without a player read.
std::string averageText(const std::optional<double>& average);
// "R / K": the players read, and the players known.
std::string readsText(const TableEvaluation& evaluation);
// The seated players' chips together, two decimals.
std::string stacksText(const TableEvaluation& evaluation);

// Each column's sort rule, by column.
std::vector<SortRule> tableSortRules();

// What each column shows of a row.
using TableColumnTexts = std::array<std::string, kTableColumnCount>;
TableColumnTexts columnTextsOf(const TableRow& row);

// The score as its column shows it (one decimal): what the tint compares, so
// that a row showing the mark is tinted whichever side of it the score fell.
double shownScore(double score);

// "Column.conf" keeps the widths of the first columns only; the columns before
// "Tot.Stacks" fit their contents after a scan.
inline constexpr int kTableWidthsSaved = 11;
inline constexpr int kTableColumnsFitted = 12;

}  // namespace kestrova
