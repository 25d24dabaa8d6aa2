#include "rating/BuddyList.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "common/AtomicFile.h"
#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "common/FileContents.h"
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
    damaged_ = false;
    loadProblem_.clear();
    const FileContents file = readWholeFile(file_, kMaxFileBytes);
    if (!file.read() && !file.failed()) {
        return LoadResult::NoFile;
    }
    std::string problem = file.error;
    if (file.read()) {
        names_ = fromBytes(file.bytes, &problem);
        if (!problem.empty()) {
            problem = file_.string() + ": " + problem;
        }
    }
    if (problem.empty()) {
        return LoadResult::Loaded;
    }
    damaged_ = true;
    loadProblem_ = std::move(problem);
    return LoadResult::ReadError;
}

bool BuddyList::saveBuddies() const {
    if (damaged_) {
        return false;
    }
    const auto bytes = toBytes(names_);
    if (!bytes) {
        return false;
    }
    return writeFileAtomically(file_, *bytes);
}

std::string BuddyList::repairQuestion() const {
    return std::string(kReadErrorText) + ": " + loadProblem_ +
           ".\nNo change can be saved over the damaged file. Rewrite it with the " +
           std::to_string(names_.size()) +
           " names in the list now? Names past the damage are lost.";
}

int BuddyList::indexOfBuddy(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (equalIgnoringCase(names_[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string BuddyList::whyNoScreenName(std::string_view name) {
    // An empty name is no player; a longer one than a reader takes back would
    // end every later load at this entry.
    if (name.empty()) {
        return "a screen name is not empty";
    }
    if (name.size() >= kNameBufferBytes) {
        return "a screen name has fewer than " + std::to_string(kNameBufferBytes) + " bytes";
    }
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (control) {
        return "a screen name holds no control characters (line breaks, tabs)";
    }
    return {};
}

BuddyList::Change BuddyList::addBuddy(std::string_view name, bool save) {
    Change change;
    if (!whyNoScreenName(name).empty() || contains(name)) {
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

std::vector<std::string> BuddyList::fromBytes(std::string_view bytes, std::string* problem) {
    std::vector<std::string> names;
    std::string why;
    BinaryReader reader(bytes);
    const auto count = reader.readInt32();
    if (!count) {
        if (!bytes.empty()) {  // an empty file is an empty list
            why = "the file ends inside the entry count";
        }
    } else {
        const auto stored = static_cast<std::uint32_t>(*count);
        for (std::uint32_t i = 0; i < stored && why.empty(); ++i) {
            const std::string entry =
                "entry " + std::to_string(i + 1) + " of " + std::to_string(stored) + ": ";
            const auto length = reader.readInt32();
            if (!length) {
                why = entry + "the file ends early";
            } else if (*length < 0 || static_cast<std::size_t>(*length) >= kNameBufferBytes) {
                why = entry + "name length " + std::to_string(*length) + " (names are at most " +
                      std::to_string(kNameBufferBytes - 1) + " bytes)";
            } else if (static_cast<std::size_t>(*length) > reader.remaining()) {
                why = entry + "the file ends early";
            } else {
                const std::size_t size = static_cast<std::size_t>(*length);
                names.emplace_back(bytes.substr(reader.position(), size));
                bytes.remove_prefix(reader.position() + size);
                reader = BinaryReader(bytes);
            }
        }
    }
    if (problem != nullptr) {
        *problem = why;
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
