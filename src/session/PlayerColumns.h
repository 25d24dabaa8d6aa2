#pragma once

#include "common/TranslatableText.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lists/RowOrder.h"

namespace kestrova {

struct IntKey;
struct PlayerStats;

// What a player row shows besides the record: the icon's label and how
// likely he is weak.
struct PlayerCells {
    const PlayerStats& record;
    const std::string& autorateLabel;
    double weakness = 0;
};

// The player list's columns, in the order the list shows them. The whole player
// list shows the same columns after its own "Table" column.
inline constexpr std::size_t kPlayerColumnCount = 21;
inline constexpr std::string_view kWholeListTableHeader = KESTROVA_TEXT("Columns", "Table");
inline constexpr int kPlayerNameColumn = 1;  // in the player list; one more in the whole list
inline constexpr int kAutorateColumn = 2;    // the same
inline constexpr int kBuddyColumn = 3;       // the same

struct PlayerColumn {
    std::string_view header;
    std::string (*text)(const PlayerCells& cells);
    // The Display key that shows the column; null: the column never shows.
    const IntKey* displayKey;
    // The place of its box on the Display page, in reading order, and the
    // box's label when it is not the header.
    int displayBox;
    std::string_view boxLabel = {};
    // The header's tooltip, and whether a first click sorts the most first.
    std::string_view tip = {};
    bool mostFirst = false;
    // How the column orders the rows.
    SortRule sort = {};
};

std::span<const PlayerColumn, kPlayerColumnCount> playerColumns();
// Each column's sort rule, by column; the whole list's "Table" column first
// when `wholeList`.
std::vector<SortRule> playerSortRules(bool wholeList);

// "Column.conf" keeps the widths of the first columns only; the first columns
// fit their contents when a table's players show.
inline constexpr int kPlayerWidthsSaved = 15;
inline constexpr int kPlayerColumnsFitted = 12;

using PlayerRowTexts = std::array<std::string, kPlayerColumnCount>;
using WholePlayerRowTexts = std::array<std::string, kPlayerColumnCount + 1>;

PlayerRowTexts playerRowTexts(const PlayerCells& cells);
// The same after the table's name, for the whole player list.
WholePlayerRowTexts wholePlayerRowTexts(const PlayerCells& cells);
// The weakness as the "Weak" column shows it: two decimals whatever the locale.
std::string weaknessText(double weakness);
// The VPIP column's place in the player list.
inline constexpr int kVpipColumn = 8;

}  // namespace kestrova
