// Limits files: bounded texts, and the records read survive a rewrite.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/LimitsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kestrova::LimitsFile;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto records = LimitsFile::fromBytes(bytes);
    std::size_t used = 4;
    for (const auto& record : records) {
        FUZZ_CHECK(record.type.size() <= LimitsFile::kMaxTextBytes);
        FUZZ_CHECK(record.structure.size() <= LimitsFile::kMaxTextBytes);
        FUZZ_CHECK(record.limit.size() <= LimitsFile::kMaxTextBytes);
        used += 12 + record.type.size() + record.structure.size() + record.limit.size();
    }
    FUZZ_CHECK(records.empty() || used <= size);
    const auto written = LimitsFile::toBytes(records);
    FUZZ_CHECK(written.has_value());
    FUZZ_CHECK(LimitsFile::fromBytes(*written) == records);
    return 0;
}
