#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// "Window.conf": main-window geometry and sort columns, written at shutdown
// unless the window is minimised, read once at start.
//   offset 0   int32 sort column of the table list
//   offset 4   int32 sort column of the player list
//   offset 8   int32 window width
//   offset 12  int32 window height
struct WindowConf {
    static constexpr std::string_view kFileName = "Window.conf";

    // What the start-up holds before reading: no sort column (-1 fails the
    // range test) and the 800 x 600 size it resized the window to. Fields a
    // short file cannot hold keep these.
    std::int32_t tableSortColumn = -1;
    std::int32_t playerSortColumn = -1;
    std::int32_t width = 800;
    std::int32_t height = 600;

    // Nullopt when the file cannot be opened.
    static std::optional<WindowConf> read(const std::filesystem::path& directory);
    bool write(const std::filesystem::path& directory) const;

    static WindowConf fromBytes(std::string_view bytes);
    std::string toBytes() const;

    friend bool operator==(const WindowConf&, const WindowConf&) = default;
};

// What the start-up applies from "Window.conf".
struct WindowStartGeometry {
    static constexpr std::int32_t kMaxTableSortColumn = 10;
    static constexpr std::int32_t kMaxPlayerSortColumn = 12;
    static constexpr std::int32_t kMaxWidth = 2050;
    static constexpr std::int32_t kMaxHeight = 2200;
    static constexpr std::int32_t kFallbackWidth = 500;
    static constexpr std::int32_t kFallbackHeight = 400;

    // Each applied descending; nullopt leaves the list unsorted.
    std::optional<std::int32_t> tableSortColumn;
    std::optional<std::int32_t> playerSortColumn;
    std::int32_t width = kFallbackWidth;
    std::int32_t height = kFallbackHeight;

    // The range rules: a sort column only in 0 to its maximum (compared
    // unsigned, so negatives fail); the size only when 0 <= width <= 2050 and
    // 0 <= height <= 2200, else 500 x 400, also without the file.
    static WindowStartGeometry from(const std::optional<WindowConf>& file);

    friend bool operator==(const WindowStartGeometry&, const WindowStartGeometry&) = default;
};

}  // namespace kestrova
