#include "records/DatabaseList.h"

#include <charconv>
#include <optional>
#include <utility>

#include "common/AtomicFile.h"
#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "common/FileContents.h"
#include "settings/CompanionFile.h"

namespace kestrova {

namespace {

// Four lengths, the kind and the marker: the least a record can take.
constexpr std::size_t kMinRecordBytes = 4 * 4 + 4 + 1;
constexpr char kActiveMarker = '0';
constexpr std::string_view kPortTrailer = "PORT";
constexpr char kInactiveMarker = '1';

void tell(std::string* problem, std::string text) {
    if (problem != nullptr) {
        *problem = std::move(text);
    }
}

std::string where(std::size_t recordNumber, std::string_view field) {
    return std::string(DatabaseList::kFileName) + ": entry " + std::to_string(recordNumber) + ", " +
           std::string(field) + ": ";
}

// One counted text of record `recordNumber` (1-based), or nullopt with the reason.
std::optional<std::string> readText(BinaryReader& reader, std::string_view field,
                                    std::size_t recordNumber, std::string* problem) {
    BinaryReader peek = reader;
    auto text = reader.readCountedText(DatabaseList::kMaxTextBytes);
    if (text) {
        return text;
    }
    const std::string at = where(recordNumber, field);
    const auto length = peek.readInt32();
    if (!length) {
        tell(problem, at + "the file ends early");
    } else if (*length < 0) {
        tell(problem, at + "negative text length " + std::to_string(*length));
    } else if (static_cast<std::size_t>(*length) > DatabaseList::kMaxTextBytes) {
        tell(problem, at + "text of " + std::to_string(*length) + " bytes (at most " +
                          std::to_string(DatabaseList::kMaxTextBytes) + " allowed)");
    } else {
        tell(problem, at + "the file ends early");
    }
    return std::nullopt;
}

// Reads record `recordNumber` (1-based) from the front of `rest` and drops it
// from there; nullopt with the reason when the record is damaged.
std::optional<DatabaseEntry> readRecord(std::string_view& rest, std::size_t recordNumber,
                                        std::string* problem) {
    BinaryReader reader(rest);
    auto host = readText(reader, "host", recordNumber, problem);
    auto database = host ? readText(reader, "database", recordNumber, problem) : std::nullopt;
    auto user = database ? readText(reader, "user", recordNumber, problem) : std::nullopt;
    if (!user) {
        return std::nullopt;
    }
    const auto kind = reader.readInt32();
    if (!kind) {
        tell(problem, where(recordNumber, "kind") + "the file ends early");
        return std::nullopt;
    }
    auto password = readText(reader, "password", recordNumber, problem);
    if (!password) {
        return std::nullopt;
    }
    if (reader.atEnd()) {
        tell(problem, where(recordNumber, "active marker") + "the file ends early");
        return std::nullopt;
    }
    DatabaseEntry entry;
    entry.host = std::move(*host);
    entry.database = std::move(*database);
    entry.user = std::move(*user);
    entry.kind = *kind;
    entry.password = std::move(*password);
    entry.active = rest[reader.position()] != kInactiveMarker;
    rest.remove_prefix(reader.position() + 1);
    return entry;
}

// The port stored for entry `index`, or "5432" when its file is missing or too
// short to hold one.
std::string readPort(const std::filesystem::path& directory, std::size_t index) {
    const auto bytes = readFileBounded(directory / DatabaseList::portFileName(index), 4);
    if (!bytes) {
        return std::string(DatabaseList::kDefaultPort);
    }
    BinaryReader reader(*bytes);
    const auto port = reader.readInt32();
    return port ? std::to_string(*port) : std::string(DatabaseList::kDefaultPort);
}

// The ports after the last of `count` records, when "db.conf" has them.
std::optional<std::vector<std::int32_t>> trailerPorts(std::string_view rest, std::size_t count) {
    if (!rest.starts_with(kPortTrailer) || rest.size() != kPortTrailer.size() + 4 * count) {
        return std::nullopt;
    }
    BinaryReader reader(rest.substr(kPortTrailer.size()));
    std::vector<std::int32_t> ports;
    while (const auto port = reader.readInt32()) {
        ports.push_back(*port);
    }
    return ports;
}

std::string portBytes(const std::string& portText) {
    BinaryWriter writer;
    writer.writeInt32(DatabaseList::portNumber(portText));
    return writer.bytes();
}

}  // namespace

std::string DatabaseList::portFileName(std::size_t index) {
    return "port" + std::to_string(index) + ".conf";
}

DatabaseList DatabaseList::load(const std::filesystem::path& directory, std::string* problem) {
    tell(problem, "");
    DatabaseList list;
    const FileContents file = readWholeFile(directory / kFileName, kMaxCompanionFileBytes);
    if (file.failed()) {
        tell(problem, file.error);
        return list;
    }
    if (!file.read()) {
        return list;
    }
    const std::string* bytes = &file.bytes;
    BinaryReader reader(*bytes);
    const auto count = reader.readCount(kMinRecordBytes);
    if (!count) {
        tell(problem, std::string(kFileName) +
                          (bytes->size() < 4 ? ": the file ends early" : ": negative entry count"));
        return list;
    }
    list.entries_.reserve(count->possible);
    std::string_view rest = std::string_view(*bytes).substr(reader.position());
    for (std::size_t i = 0; i < count->stored; ++i) {
        auto entry = readRecord(rest, i + 1, problem);
        if (!entry) {
            break;
        }
        list.append(std::move(*entry));
    }
    const auto trailer = trailerPorts(rest, count->stored);
    for (std::size_t i = 0; i < list.size(); ++i) {
        list.entries_[i].port = trailer ? std::to_string((*trailer)[i]) : readPort(directory, i);
    }
    if (list.size() < count->stored && problem != nullptr && problem->empty()) {
        tell(problem, std::string(kFileName) + ": the file ends early");
    }
    return list;
}

bool DatabaseList::save(const std::filesystem::path& directory, std::string* problem) const {
    tell(problem, "");
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (std::string why = textProblem(entries_[i]); !why.empty()) {
            tell(problem, "entry " + std::to_string(i + 1) + ": " + why);
            return false;
        }
    }
    removeStaleTemporaries(directory / kFileName);
    std::string why;
    // Port files first, for programs that read only them: a "db.conf" that is
    // already new never meets an old port file. This reader needs only the
    // one rename of "db.conf" (see the trailer above).
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (!writeFileAtomically(directory / portFileName(i), portBytes(entries_[i].port),
                                 kFilePermissions, &why)) {
            tell(problem, "cannot write " + why);
            return false;
        }
    }
    if (!writeFileAtomically(directory / kFileName, dbConfBytes(), kFilePermissions, &why)) {
        tell(problem, "cannot write " + why);
        return false;
    }
    return true;
}

std::string DatabaseList::textProblem(const DatabaseEntry& entry) {
    const std::pair<std::string_view, const std::string*> texts[] = {
        {"host", &entry.host},
        {"database", &entry.database},
        {"user", &entry.user},
        {"password", &entry.password},
    };
    for (const auto& [field, text] : texts) {
        if (text->size() > kMaxTextBytes) {
            return std::string(field) + " has " + std::to_string(text->size()) +
                   " bytes, at most " + std::to_string(kMaxTextBytes) + " can be stored";
        }
    }
    return "";
}

std::int32_t DatabaseList::portNumber(std::string_view portText) {
    constexpr std::string_view kBlanks = " \t\r\n\f\v";
    const auto first = portText.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return 0;
    }
    portText = portText.substr(first, portText.find_last_not_of(kBlanks) - first + 1);
    if (portText.front() == '+') {
        portText.remove_prefix(1);
    }
    std::int32_t value = 0;
    const char* end = portText.data() + portText.size();
    const auto [ptr, error] = std::from_chars(portText.data(), end, value, 10);
    return (error == std::errc() && ptr == end && !portText.empty()) ? value : 0;
}

std::string DatabaseList::dbConfBytes() const {
    BinaryWriter header;
    header.writeInt32(static_cast<std::int32_t>(entries_.size()));
    std::string bytes = header.bytes();
    for (const DatabaseEntry& entry : entries_) {
        // The monthly-table Holdem Manager kind is found at connect time, never stored.
        const bool monthly =
            entry.kind == static_cast<std::int32_t>(DatabaseKind::HoldemManagerMonthly);
        BinaryWriter record;
        record.writeCountedText(entry.host);
        record.writeCountedText(entry.database);
        record.writeCountedText(entry.user);
        record.writeInt32(monthly ? static_cast<std::int32_t>(DatabaseKind::HoldemManager)
                                  : entry.kind);
        record.writeCountedText(entry.password);
        bytes += record.bytes();
        bytes += entry.active ? kActiveMarker : kInactiveMarker;
    }
    BinaryWriter ports;
    for (const DatabaseEntry& entry : entries_) {
        ports.writeInt32(portNumber(entry.port));
    }
    bytes += kPortTrailer;
    bytes += ports.bytes();
    return bytes;
}

void DatabaseList::append(DatabaseEntry entry) {
    entry.position = std::to_string(entries_.size() + 1);
    entries_.push_back(std::move(entry));
}

bool DatabaseList::remove(std::size_t index) {
    if (index >= entries_.size()) {
        return false;
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    for (std::size_t i = index; i < entries_.size(); ++i) {
        entries_[i].position = std::to_string(i + 1);
    }
    return true;
}

}  // namespace kestrova
