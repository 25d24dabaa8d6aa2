#include "common/BinaryWriter.h"

#include <limits>

namespace kestrova {

void BinaryWriter::writeInt32(std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes_.push_back(static_cast<char>(bits & 0xFFu));
        bits >>= 8;
    }
}

bool BinaryWriter::writeCountedText(std::string_view text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return false;
    }
    writeInt32(static_cast<std::int32_t>(text.size()));
    bytes_.append(text);
    return true;
}

}  // namespace kestrova
