// "ocr.txt" / "ocr2.txt": any file gives a table whose entries are ordered by
// decreasing signature length, and whose every signature is found again.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzCheck.h"
#include "client/ocr/GlyphTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const kestrova::GlyphTable table = kestrova::GlyphTable::parse(in);
    const auto& entries = table.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        FUZZ_CHECK(table.find(entries[i].signature).has_value());
        if (i > 0)
            FUZZ_CHECK(entries[i - 1].signature.size() >= entries[i].signature.size());
    }
    return 0;
}
