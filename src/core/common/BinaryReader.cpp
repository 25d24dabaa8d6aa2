#include "common/BinaryReader.h"

#include <algorithm>

#include "common/FileContents.h"

namespace kestrova {

std::optional<std::string> readFileBounded(const std::filesystem::path& file,
                                           std::size_t maxBytes) {
    FileContents contents = readWholeFile(file, maxBytes, true);
    if (!contents.read())
        return std::nullopt;
    return std::move(contents.bytes);
}

std::optional<std::int32_t> BinaryReader::readInt32() {
    if (remaining() < 4) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) |
                static_cast<unsigned char>(bytes_[position_ + static_cast<std::size_t>(i)]);
    }
    position_ += 4;
    return static_cast<std::int32_t>(value);
}

std::optional<std::string> BinaryReader::readCountedText(std::size_t maxLength) {
    const std::size_t start = position_;
    const std::optional<std::int32_t> length = readInt32();
    if (!length) {
        return std::nullopt;
    }
    if (*length < 0 || static_cast<std::size_t>(*length) > maxLength ||
        static_cast<std::size_t>(*length) > remaining()) {
        position_ = start;
        return std::nullopt;
    }
    std::string text(bytes_.substr(position_, static_cast<std::size_t>(*length)));
    position_ += text.size();
    return text;
}

std::optional<BinaryReader::Count> BinaryReader::readCount(std::size_t minItemBytes) {
    const std::size_t start = position_;
    const std::optional<std::int32_t> count = readInt32();
    if (!count) {
        return std::nullopt;
    }
    if (*count < 0) {
        position_ = start;
        return std::nullopt;
    }
    Count result;
    result.stored = static_cast<std::size_t>(*count);
    result.possible =
        minItemBytes == 0 ? result.stored : std::min(result.stored, remaining() / minItemBytes);
    return result;
}

}  // namespace kestrova
