#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// Reads at most `maxBytes` of a regular file. Nullopt when the file cannot be
// opened or is no regular file (see readWholeFile);
// a longer file yields only its first `maxBytes`, so a reader never holds more
// than it is prepared to parse.
std::optional<std::string> readFileBounded(const std::filesystem::path& file, std::size_t maxBytes);

// Walks the bytes of a binary companion file: little-endian int32 values and
// counted texts (an int32 length N, then N bytes of 8-bit text, no terminator).
// Nothing read from the data is trusted: every read checks what is left, and
// a failed read returns nullopt without moving past the end.
class BinaryReader final {
public:
    explicit BinaryReader(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::int32_t> readInt32();

    // Nullopt, with the position left at the length field, when the length is
    // negative, larger than `maxLength` or larger than what is left.
    std::optional<std::string> readCountedText(std::size_t maxLength);

    // An int32 item count, accepted only when it is not negative. The result is
    // capped at what the remaining bytes could hold when each item takes at
    // least `minItemBytes`, so a caller may reserve it safely.
    struct Count {
        std::size_t stored = 0;    // the count as the file gives it
        std::size_t possible = 0;  // min(stored, remaining / minItemBytes)
    };
    std::optional<Count> readCount(std::size_t minItemBytes);

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }
    bool atEnd() const { return remaining() == 0; }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

}  // namespace kestrova
