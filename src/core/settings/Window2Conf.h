#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// "Window2.conf": sorting of the whole player list, written and read with
// "Window.conf".
//   offset 0  int32 sort column
//   offset 4  int32 order flag, 1 when sorted ascending, 0 when descending
struct Window2Conf {
    static constexpr std::string_view kFileName = "Window2.conf";

    // Nullopt without the file or when it is too short for the column. The
    // column has no range test: the list itself must ignore a column it lacks.
    std::optional<std::int32_t> sortColumn;
    std::int32_t orderFlag = 0;

    bool ascending() const { return orderFlag == 1; }

    static Window2Conf read(const std::filesystem::path& directory);
    static bool write(const std::filesystem::path& directory, std::int32_t column, bool ascending);

    static Window2Conf fromBytes(std::string_view bytes);
    static std::string toBytes(std::int32_t column, bool ascending);

    friend bool operator==(const Window2Conf&, const Window2Conf&) = default;
};

}  // namespace kestrova
