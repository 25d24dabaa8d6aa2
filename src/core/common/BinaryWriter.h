#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrova {

// Builds the bytes of a binary companion file: little-endian int32 values and
// counted texts, whatever the host's byte order. The result is written whole
// with writeFileAtomically().
class BinaryWriter final {
public:
    void writeInt32(std::int32_t value);
    // False, writing nothing, for a text longer than an int32 length can state.
    bool writeCountedText(std::string_view text);

    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

}  // namespace kestrova
