#pragma once

#include "settings/ClientKind.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// "fstakes2" to "fstakes7": the stakes chosen in the scan filter, one file per
// client kind 2 to 7 (kinds 0 and 1 have none).
//   int32 count, then per stake one counted text, its label, e.g. "NL $1/$2"
class StakesFile final {
public:
    // Longest label a reader accepts; the writer refuses longer ones.
    static constexpr std::size_t kMaxLabelBytes = 79;

    static std::optional<std::string_view> fileName(ClientKind clientKind);

    // The labels trimmed of white space at both ends, in file order. Empty for
    // a kind without a stakes file or without the file. A negative count ends
    // the read at once; a hostile length or a short file ends it with the
    // labels read so far.
    static std::vector<std::string> read(const std::filesystem::path& directory,
                                         ClientKind clientKind);

    // With no stake selected the old file stays as it is (and this succeeds);
    // a kind without a stakes file writes nothing and succeeds.
    static bool write(const std::filesystem::path& directory, ClientKind clientKind,
                      const std::vector<std::string>& stakes);

    static std::vector<std::string> fromBytes(std::string_view bytes);
    // Nullopt when a label is longer than kMaxLabelBytes.
    static std::optional<std::string> toBytes(const std::vector<std::string>& stakes);
};

}  // namespace kestrova
