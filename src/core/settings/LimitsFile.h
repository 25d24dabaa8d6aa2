#pragma once

#include "settings/ClientKind.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// One row of the Limit page's list of limits to datamine.
struct LimitRecord {
    std::string type;
    std::string structure;
    std::string limit;

    friend bool operator==(const LimitRecord&, const LimitRecord&) = default;
};

// "LIMITS", "LIMITSFTP", "LIMITSDR": the limits to datamine, in order.
//   int32 count, then per record three counted texts: "Type", "Struct", "Limit"
// Which file belongs to which client kind is decided here: kinds 0 and 1 use
// "LIMITS", 2 "LIMITSFTP", 6 "LIMITSDR"; every other kind has none.
class LimitsFile final {
public:
    // Longest text a reader accepts; the writer refuses longer ones.
    static constexpr std::size_t kMaxTextBytes = 229;

    static std::optional<std::string_view> fileName(ClientKind clientKind);

    // Empty for a kind without a limits file or without the file. A negative
    // count ends the read at once; a hostile length or a short file ends it
    // with the records read completely so far.
    static std::vector<LimitRecord> read(const std::filesystem::path& directory,
                                         ClientKind clientKind);

    // A kind without a limits file writes nothing and succeeds.
    static bool write(const std::filesystem::path& directory, ClientKind clientKind,
                      const std::vector<LimitRecord>& records);

    static std::vector<LimitRecord> fromBytes(std::string_view bytes);
    // Nullopt when a text is longer than kMaxTextBytes.
    static std::optional<std::string> toBytes(const std::vector<LimitRecord>& records);
};

}  // namespace kestrova
