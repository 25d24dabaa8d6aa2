// The profile files ("VPIP" .. "Contibet_flop"): the ranges read, written and
// read again stay the same, and every looked-up colour is one of them or white.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "rating/StatProfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kestrova::StatProfile;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const StatProfile profile = StatProfile::fromBytes(bytes);
    if (const auto again = StatProfile::toBytes(profile))
        FUZZ_CHECK(StatProfile::fromBytes(*again) == profile);
    for (const float value : {-1.0f, 0.0f, 12.5f, 50.0f, 100.0f, 1e9f})
        (void)profile.colourFor(value);
    return 0;
}
