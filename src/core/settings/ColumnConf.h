#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// "Column.conf": column widths, written at every shutdown, read once at start.
//   int32 A (11 when written), then A int32 widths of table-list columns 0..A-1
//   int32 B (15 when written), then B int32 widths of player-list columns 0..B-1
// Width i of the player list also goes to column i + 1 of the whole player list.
struct ColumnConf {
    static constexpr std::string_view kFileName = "Column.conf";

    std::vector<std::int32_t> tableWidths;
    std::vector<std::int32_t> playerWidths;

    // The counts in the file drive the reading. A negative count ends it; a
    // count beyond the end of the file yields the widths read so far. Widths are
    // passed on as stored: the lists apply them only to columns they have.
    static ColumnConf read(const std::filesystem::path& directory);
    bool write(const std::filesystem::path& directory) const;

    static ColumnConf fromBytes(std::string_view bytes);
    std::string toBytes() const;

    friend bool operator==(const ColumnConf&, const ColumnConf&) = default;
};

}  // namespace kestrova
