#include "rating/BuddyList.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "common/AtomicFile.h"
#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "common/Text.h"

namespace kestrova {

namespace {

// Far more names than anyone marks; a larger file is damaged.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

}  // namespace

BuddyList::BuddyList(std::filesystem::path directory)
    : file_(std::move(directory) / std::string(kFileName)) {}

BuddyList::LoadResult BuddyList::loadBuddies() {
    names_.clear();
    const auto bytes = readFileBounded(file_, kMaxFileBytes);
    if (!bytes) {
        return LoadResult::NoFile;
    }
    bool complete = true;
    names_ = fromBytes(*bytes, &complete);
    return complete ? LoadResult::Loaded : LoadResult::ReadError;
}

bool BuddyList::saveBuddies() const {
    const auto bytes = toBytes(names_);
    return bytes && writeFileAtomically(file_, *bytes);
}

int BuddyList::indexOfBuddy(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (equalIgnoringAsciiCase(names_[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

BuddyList::Change BuddyList::addBuddy(std::string_view name, bool save) {
    Change change;
    // An empty name is no player; a longer one than a reader takes back would
    // end every later load at this entry.
    if (name.empty() || name.size() >= kNameBufferBytes || contains(name)) {
        return change;
    }
    names_.emplace_back(name);
    change.changed = true;
    if (save) {
        change.saved = saveBuddies();
    }
    return change;
}

BuddyList::Change BuddyList::removeBuddy(std::string_view name) {
    Change change;
    const int index = indexOfBuddy(name);
    if (index >= 0) {
        names_.erase(names_.begin() + index);
        change.changed = true;
    }
    change.saved = saveBuddies();
    return change;
}

std::vector<std::string> BuddyList::fromBytes(std::string_view bytes, bool* complete) {
    std::vector<std::string> names;
    bool clean = true;
    BinaryReader reader(bytes);
    std::size_t position = 0;
    const auto count = reader.readInt32();
    if (!count) {
        clean = bytes.empty();  // an empty file is an empty list
    } else {
        position = reader.position();
        const auto stored = static_cast<std::uint32_t>(*count);
        for (std::uint32_t i = 0; i < stored; ++i) {
            BinaryReader field(bytes.substr(position));
            const auto length = field.readInt32();
            if (!length) {
                clean = false;
                break;
            }
            const auto size = static_cast<std::uint32_t>(*length);
            if (size >= kNameBufferBytes) {
                break;
            }
            position += 4;
            if (size > bytes.size() - position) {
                clean = false;
                break;
            }
            names.emplace_back(bytes.substr(position, size));
            position += size;
        }
    }
    if (complete != nullptr) {
        *complete = clean;
    }
    return names;
}

std::optional<std::string> BuddyList::toBytes(const std::vector<std::string>& names) {
    if (names.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    BinaryWriter writer;
    writer.writeInt32(static_cast<std::int32_t>(names.size()));
    for (const std::string& name : names) {
        if (name.size() >= kNameBufferBytes) {
            return std::nullopt;
        }
        writer.writeCountedText(name);
    }
    return writer.bytes();
}

}  // namespace kestrova
