// "Close.conf": fields read, written and read again stay the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/CloseConf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kestrova::CloseConf;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CloseConf conf = CloseConf::fromBytes(bytes, CloseConf{7, 8, 9});
    FUZZ_CHECK(CloseConf::fromBytes(conf.toBytes(), CloseConf{}) == conf);
    FUZZ_CHECK(conf.engineLowerPotBb() == -1 || conf.flag == 1);
    return 0;
}
