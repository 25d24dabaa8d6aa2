#include "settings/StakesFile.h"

#include <array>
#include <limits>

#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "common/Text.h"
#include "settings/CompanionFile.h"

namespace kestrova {

namespace {

constexpr std::size_t kMinStakeBytes = 4;
constexpr int kFirstKind = numberOf(ClientKind::FullTiltPoker);
constexpr std::array<std::string_view, 6> kFileNames = {"fstakes2", "fstakes3", "fstakes4",
                                                        "fstakes5", "fstakes6", "fstakes7"};

}  // namespace

std::optional<std::string_view> StakesFile::fileName(ClientKind clientKind) {
    const int kind = numberOf(clientKind);
    if (kind < kFirstKind || kind >= kFirstKind + static_cast<int>(kFileNames.size())) {
        return std::nullopt;
    }
    return kFileNames[static_cast<std::size_t>(kind - kFirstKind)];
}

std::vector<std::string> StakesFile::read(const std::filesystem::path& directory,
                                          ClientKind clientKind) {
    std::vector<std::string> stakes;
    const auto name = fileName(clientKind);
    if (!name) {
        return stakes;
    }
    const auto bytes = readCompanionFile(directory, *name);
    return bytes ? fromBytes(*bytes) : stakes;
}

std::vector<std::string> StakesFile::fromBytes(std::string_view bytes) {
    std::vector<std::string> stakes;
    BinaryReader reader(bytes);
    const auto count = reader.readCount(kMinStakeBytes);
    if (!count) {
        return stakes;
    }
    stakes.reserve(count->possible);
    for (std::size_t i = 0; i < count->stored; ++i) {
        const auto label = reader.readCountedText(kMaxLabelBytes);
        if (!label) {
            break;
        }
        stakes.emplace_back(trimWhiteSpace(*label));
    }
    return stakes;
}

bool StakesFile::write(const std::filesystem::path& directory, ClientKind clientKind,
                       const std::vector<std::string>& stakes) {
    const auto name = fileName(clientKind);
    if (!name || stakes.empty()) {
        return true;
    }
    const auto bytes = toBytes(stakes);
    return bytes && writeCompanionFile(directory, *name, *bytes);
}

std::optional<std::string> StakesFile::toBytes(const std::vector<std::string>& stakes) {
    if (stakes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    BinaryWriter writer;
    writer.writeInt32(static_cast<std::int32_t>(stakes.size()));
    for (const std::string& label : stakes) {
        if (label.size() > kMaxLabelBytes) {
            return std::nullopt;
        }
        writer.writeCountedText(label);
    }
    return writer.bytes();
}

}  // namespace kestrova
