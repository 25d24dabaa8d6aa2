// Stakes files: labels bounded and trimmed; a rewrite reads back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/StakesFile.h"

namespace {

bool isWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kestrova::StakesFile;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto stakes = StakesFile::fromBytes(bytes);
    std::size_t used = 4;
    for (const auto& label : stakes) {
        FUZZ_CHECK(label.size() <= StakesFile::kMaxLabelBytes);
        FUZZ_CHECK(label.empty() || (!isWhite(label.front()) && !isWhite(label.back())));
        used += 4 + label.size();
    }
    FUZZ_CHECK(stakes.empty() || used <= size);
    const auto written = StakesFile::toBytes(stakes);
    FUZZ_CHECK(written.has_value());
    FUZZ_CHECK(StakesFile::fromBytes(*written) == stakes);
    return 0;
}
