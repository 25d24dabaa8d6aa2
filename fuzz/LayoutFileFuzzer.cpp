// "ftp.lo" / "pp.lo": any bytes load as far as they go without touching what
// they do not hold, and what loaded saves and loads back unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "hud/LayoutSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kestrova::hud;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int room = 0; room < kRoomCount; ++room) {
        LayoutSet set;
        set.readRoom(room, bytes);
        const std::string saved = set.roomBytes(room);
        FUZZ_CHECK(saved.size() == roomFileBytes(room));
        // Whole entries read are written back where they were; the rest is
        // the start state (all on, all at 0, 0) apart from repeated flags.
        const std::size_t whole = std::min(size, saved.size()) / kEntryBytes * kEntryBytes;
        for (std::size_t offset = 0; offset < whole; offset += kEntryBytes) {
            FUZZ_CHECK(saved.compare(offset + 1, kEntryBytes - 1, bytes, offset + 1,
                                     kEntryBytes - 1) == 0);
        }
        LayoutSet again;
        again.readRoom(room, saved);
        FUZZ_CHECK(again == set);
        FUZZ_CHECK(again.roomBytes(room) == saved);
        // The other room never changes.
        FUZZ_CHECK(set.roomBytes(1 - room) == LayoutSet().roomBytes(1 - room));
    }
    return 0;
}
