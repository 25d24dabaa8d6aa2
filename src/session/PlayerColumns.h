#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace kestrova {

struct IntKey;
struct PlayerStats;

// The player list's columns, in the order the list shows them. The whole player
// list shows the same columns after its own "Table" column.
inline constexpr std::size_t kPlayerColumnCount = 20;
inline constexpr std::string_view kWholeListTableHeader = "Table";
inline constexpr int kAutorateColumn = 2;  // in the player list; one more in the whole list
inline constexpr int kBuddyColumn = 3;     // the same

struct PlayerColumn {
    std::string_view header;
    std::string (*text)(const PlayerStats& record, const std::string& autorateLabel);
    // The Display key that shows the column; null: the column never shows.
    const IntKey* displayKey;
    // The place of its box on the Display page, in reading order, and the
    // box's label when it is not the header.
    int displayBox;
    std::string_view boxLabel = {};
};

std::span<const PlayerColumn, kPlayerColumnCount> playerColumns();

// "Column.conf" keeps the widths of the first columns only; the first columns
// fit their contents when a table's players show.
inline constexpr int kPlayerWidthsSaved = 15;
inline constexpr int kPlayerColumnsFitted = 12;

using PlayerRowTexts = std::array<std::string, kPlayerColumnCount>;
using WholePlayerRowTexts = std::array<std::string, kPlayerColumnCount + 1>;

PlayerRowTexts playerRowTexts(const PlayerStats& record, const std::string& autorateLabel);
// The same after the table's name, for the whole player list.
WholePlayerRowTexts wholePlayerRowTexts(const PlayerStats& record,
                                        const std::string& autorateLabel);

}  // namespace kestrova
