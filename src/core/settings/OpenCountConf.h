#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kestrova {

// "c.conf": how many tables the opener may open. One int32, the Open page's
// combo-box index + 1.
class OpenCountConf final {
public:
    static constexpr std::string_view kFileName = "c.conf";
    static constexpr std::int32_t kDefaultCount = 4;

    // kDefaultCount when the file is missing or too short.
    static std::int32_t read(const std::filesystem::path& directory);
    static bool write(const std::filesystem::path& directory, std::int32_t count);

    static std::int32_t fromBytes(std::string_view bytes);
    static std::string toBytes(std::int32_t count);
};

}  // namespace kestrova
