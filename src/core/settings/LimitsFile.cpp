#include "settings/LimitsFile.h"

#include <limits>

#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "settings/CompanionFile.h"

namespace kestrova {

namespace {

constexpr std::size_t kMinRecordBytes = 3 * 4;

}  // namespace

std::optional<std::string_view> LimitsFile::fileName(ClientKind clientKind) {
    switch (clientKind) {
        case ClientKind::PartyPoker:
        case ClientKind::EmpirePoker:
            return "LIMITS";
        case ClientKind::FullTiltPoker:
            return "LIMITSFTP";
        case ClientKind::DoylesRoom:
            return "LIMITSDR";
        default:
            return std::nullopt;
    }
}

std::vector<LimitRecord> LimitsFile::read(const std::filesystem::path& directory,
                                          ClientKind clientKind) {
    std::vector<LimitRecord> records;
    const auto name = fileName(clientKind);
    if (!name) {
        return records;
    }
    const auto bytes = readCompanionFile(directory, *name);
    return bytes ? fromBytes(*bytes) : records;
}

std::vector<LimitRecord> LimitsFile::fromBytes(std::string_view bytes) {
    std::vector<LimitRecord> records;
    BinaryReader reader(bytes);
    const auto count = reader.readCount(kMinRecordBytes);
    if (!count) {
        return records;
    }
    records.reserve(count->possible);
    for (std::size_t i = 0; i < count->stored; ++i) {
        auto type = reader.readCountedText(kMaxTextBytes);
        auto structure = type ? reader.readCountedText(kMaxTextBytes) : std::nullopt;
        auto limit = structure ? reader.readCountedText(kMaxTextBytes) : std::nullopt;
        if (!limit) {
            break;
        }
        records.push_back({std::move(*type), std::move(*structure), std::move(*limit)});
    }
    return records;
}

bool LimitsFile::write(const std::filesystem::path& directory, ClientKind clientKind,
                       const std::vector<LimitRecord>& records) {
    const auto name = fileName(clientKind);
    if (!name) {
        return true;
    }
    const auto bytes = toBytes(records);
    return bytes && writeCompanionFile(directory, *name, *bytes);
}

std::optional<std::string> LimitsFile::toBytes(const std::vector<LimitRecord>& records) {
    if (records.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    BinaryWriter writer;
    writer.writeInt32(static_cast<std::int32_t>(records.size()));
    for (const LimitRecord& record : records) {
        for (const std::string* text : {&record.type, &record.structure, &record.limit}) {
            if (text->size() > kMaxTextBytes) {
                return std::nullopt;
            }
            writer.writeCountedText(*text);
        }
    }
    return writer.bytes();
}

}  // namespace kestrova
