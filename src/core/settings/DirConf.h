#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// "dir.conf": whether and where to save the result of a scan.
//   offset 0  int32 save flag, 1 when "Save the result of a scan to" is checked
//   offset 4  int32 N, length of the scan-result path
//   offset 8  N bytes of 8-bit (Latin-1) text, no terminator
struct DirConf {
    static constexpr std::string_view kFileName = "dir.conf";
    // Longest path text a reader accepts; the writer refuses longer ones
    // so that what is saved can be read back.
    static constexpr std::size_t kMaxPathBytes = 1023;

    std::int32_t saveFlag = 0;
    std::string resultPath;

    // The main window and the datamining start count any non-zero flag as on.
    bool saveOn() const { return saveFlag != 0; }
    // The General tab checks its box only for exactly 1.
    bool checkedInGeneralTab() const { return saveFlag == 1; }

    // Without the file: flag off, empty path. A path length that is
    // negative, too long or past the end of the file leaves the path empty.
    static DirConf read(const std::filesystem::path& directory);
    bool write(const std::filesystem::path& directory) const;

    static DirConf fromBytes(std::string_view bytes);
    // Nullopt for a path longer than kMaxPathBytes.
    std::optional<std::string> toBytes() const;

    friend bool operator==(const DirConf&, const DirConf&) = default;
};

}  // namespace kestrova
