// CSV buddy files: any text gives names without line ends, and the names
// exported and imported again stay the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "rating/BuddyCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kestrova::BuddyCsv;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto names = BuddyCsv::namesFromText(text);
    for (const std::string& name : names) {
        FUZZ_CHECK(!name.empty());
        FUZZ_CHECK(name.find('\n') == std::string::npos);
    }
    FUZZ_CHECK(BuddyCsv::namesFromText(BuddyCsv::toText(names)) == names);
    return 0;
}
