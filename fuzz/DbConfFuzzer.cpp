// "db.conf" with its port files: whatever the files hold, the list loads, and
// the bytes written for a list load back the same. The first byte tells how many of the
// following bytes go to "port0.conf"; the rest is "db.conf".
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "records/DatabaseList.h"

namespace {

std::filesystem::path scratch(const char* name) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("kestrova-fuzz-" + std::to_string(::getpid())) / name;
    std::filesystem::create_directories(dir);
    return dir;
}

void put(const std::filesystem::path& file, std::string_view bytes) {
    // A new file, not a truncated one: ext4 flushes a truncated file to disk
    // when it is closed, which slows the fuzzer a hundredfold.
    std::filesystem::remove(file);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kestrova::DatabaseList;
    static const std::filesystem::path in = scratch("in");
    static const std::filesystem::path out = scratch("out");
    if (size == 0)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t portBytes = std::min<std::size_t>(data[0] % 16, rest.size());
    put(in / DatabaseList::portFileName(0), rest.substr(0, portBytes));
    put(in / DatabaseList::kFileName, rest.substr(portBytes));

    std::string problem;
    const DatabaseList list = DatabaseList::load(in, &problem);
    // What the writer would store (it refuses texts other readers cannot take)
    // must load back the same.
    for (const auto& entry : list)
        if (!DatabaseList::textProblem(entry).empty())
            return 0;
    put(out / DatabaseList::kFileName, list.dbConfBytes());
    std::filesystem::remove(out / DatabaseList::portFileName(0));
    std::string again;
    const DatabaseList reloaded = DatabaseList::load(out, &again);
    FUZZ_CHECK(again.empty());
    // The monthly-table Holdem Manager kind is found at connect time and stored
    // as plain Holdem Manager.
    std::vector<kestrova::DatabaseEntry> expected = list.entries();
    for (kestrova::DatabaseEntry& entry : expected) {
        if (entry.kind == static_cast<std::int32_t>(kestrova::DatabaseKind::HoldemManagerMonthly))
            entry.kind = static_cast<std::int32_t>(kestrova::DatabaseKind::HoldemManager);
    }
    FUZZ_CHECK(reloaded.entries() == expected);
    return 0;
}
