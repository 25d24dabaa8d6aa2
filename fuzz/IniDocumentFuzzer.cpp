// The INI text: a write of one key reads back, changes no other key, and
// refuses what it cannot store without touching the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "common/Text.h"
#include "settings/IniDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kestrova::IniDocument;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The last few bytes are the value to write, the rest the file.
    const std::size_t valueSize = std::min<std::size_t>(size, size == 0 ? 0 : data[0] % 16u);
    const std::string_view value = input.substr(input.size() - valueSize);
    const std::string text(input.substr(0, input.size() - valueSize));

    IniDocument document(text);
    const auto otherBefore = document.value("Tallyhand", "Lim");
    const auto otherSectionBefore = document.value("Other", "form");
    const bool written = document.setValue("Tallyhand", "form", value);
    if (!written) {
        FUZZ_CHECK(document.text() == text);
        FUZZ_CHECK(value.find_first_of("\r\n") != std::string_view::npos);
        return 0;
    }
    FUZZ_CHECK(document.value("Tallyhand", "Lim") == otherBefore);
    FUZZ_CHECK(document.value("Other", "form") == otherSectionBefore);
    FUZZ_CHECK(document.text().size() <= text.size() + value.size() + 32);

    const auto readBack = document.value("Tallyhand", "form");
    FUZZ_CHECK(readBack.has_value());
    std::string_view expected = kestrova::trimBlanks(value);
    if (expected.size() >= 2 && (expected.front() == '"' || expected.front() == '\'') &&
        expected.back() == expected.front()) {
        expected = expected.substr(1, expected.size() - 2);
    }
    FUZZ_CHECK(*readBack == expected);
    return 0;
}
