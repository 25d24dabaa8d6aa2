// "Window2.conf": the column and order read survive a rewrite.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/Window2Conf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kestrova::Window2Conf;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Window2Conf conf = Window2Conf::fromBytes(bytes);
    FUZZ_CHECK(conf.sortColumn.has_value() == (size >= 4));
    if (conf.sortColumn) {
        const Window2Conf again =
            Window2Conf::fromBytes(Window2Conf::toBytes(*conf.sortColumn, conf.ascending()));
        FUZZ_CHECK(again.sortColumn == conf.sortColumn);
        FUZZ_CHECK(again.ascending() == conf.ascending());
    }
    return 0;
}
