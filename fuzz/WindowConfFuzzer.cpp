// "Window.conf": round trip, and the start geometry always within its ranges.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/WindowConf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kestrova::WindowConf;
    using kestrova::WindowStartGeometry;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const WindowConf conf = WindowConf::fromBytes(bytes);
    FUZZ_CHECK(WindowConf::fromBytes(conf.toBytes()) == conf);

    const WindowStartGeometry geometry = WindowStartGeometry::from(conf);
    FUZZ_CHECK(!geometry.tableSortColumn ||
               (*geometry.tableSortColumn >= 0 && *geometry.tableSortColumn <= 10));
    FUZZ_CHECK(!geometry.playerSortColumn ||
               (*geometry.playerSortColumn >= 0 && *geometry.playerSortColumn <= 12));
    FUZZ_CHECK(geometry.width >= 0 && geometry.width <= 2050);
    FUZZ_CHECK(geometry.height >= 0 && geometry.height <= 2200);
    if (size < 12) {
        FUZZ_CHECK(geometry.width == 800 && geometry.height == 600);
    }
    return 0;
}
