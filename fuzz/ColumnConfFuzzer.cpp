// "Column.conf": never more widths than the bytes hold; a rewrite reads back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/ColumnConf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kestrova::ColumnConf;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ColumnConf conf = ColumnConf::fromBytes(bytes);
    FUZZ_CHECK(4 * (conf.tableWidths.size() + conf.playerWidths.size()) <= size);
    const ColumnConf again = ColumnConf::fromBytes(conf.toBytes());
    FUZZ_CHECK(again.tableWidths == conf.tableWidths);
    // An empty second group is written with count 0 and reads back empty.
    FUZZ_CHECK(again.playerWidths == conf.playerWidths);
    return 0;
}
