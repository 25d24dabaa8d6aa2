// "c.conf": any bytes give a count, and writing it reads back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/OpenCountConf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::int32_t count = kestrova::OpenCountConf::fromBytes(bytes);
    FUZZ_CHECK(kestrova::OpenCountConf::fromBytes(kestrova::OpenCountConf::toBytes(count)) ==
               count);
    return 0;
}
