// "mofofish": the names read, written and read again stay the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "rating/BuddyList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kestrova::BuddyList;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto names = BuddyList::fromBytes(bytes);
    if (const auto again = BuddyList::toBytes(names))
        FUZZ_CHECK(BuddyList::fromBytes(*again) == names);
    return 0;
}
