// "dir.conf": whatever is read can be written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/DirConf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kestrova::DirConf;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const DirConf conf = DirConf::fromBytes(bytes);
    FUZZ_CHECK(conf.resultPath.size() <= DirConf::kMaxPathBytes);
    FUZZ_CHECK(conf.resultPath.size() + 8 <= size || conf.resultPath.empty());
    const auto written = conf.toBytes();
    FUZZ_CHECK(written.has_value());
    FUZZ_CHECK(DirConf::fromBytes(*written) == conf);
    return 0;
}
