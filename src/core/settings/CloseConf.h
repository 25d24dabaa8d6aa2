#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kestrova {

// "Close.conf": the average-pot closing rule of the Close page.
//   offset 0  int32 flag, 1 when "Close table if Avr. Pot not between (BB):" is checked
//   offset 4  int32 lower average pot in big blinds
//   offset 8  int32 upper average pot in big blinds
struct CloseConf {
    static constexpr std::string_view kFileName = "Close.conf";

    std::int32_t flag = 0;
    std::int32_t lowerPotBb = 0;
    std::int32_t upperPotBb = 0;

    // The datamining engine's lower bound: -1 (rule off) unless the flag is exactly 1.
    std::int32_t engineLowerPotBb() const { return flag == 1 ? lowerPotBb : -1; }

    // Fields the file is missing or too short for keep their value in `previous`.
    static CloseConf read(const std::filesystem::path& directory, CloseConf previous);
    static CloseConf read(const std::filesystem::path& directory);
    bool write(const std::filesystem::path& directory) const;

    static CloseConf fromBytes(std::string_view bytes, CloseConf previous);
    std::string toBytes() const;

    friend bool operator==(const CloseConf&, const CloseConf&) = default;
};

}  // namespace kestrova
