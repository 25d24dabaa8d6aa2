#include "rating/BuddyCsv.h"

#include "common/AtomicFile.h"
#include "common/BinaryReader.h"
#include "rating/BuddyList.h"

namespace kestrova {

std::string BuddyCsv::importDoneText(std::size_t count) {
    return std::to_string(count) + " buddies successfully imported.";
}

std::string BuddyCsv::unreadableText(const std::filesystem::path& file) {
    return "Could not read the file " + file.string();
}

std::string BuddyCsv::unwritableText(const std::filesystem::path& file) {
    return "Could not write the file " + file.string();
}

std::vector<std::string> BuddyCsv::namesFromText(std::string_view text) {
    std::vector<std::string> names;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        // A file written on Windows ends its lines in CR LF; no CR at the
        // end is part of a name (an export would lose it: "a\r" came back "a").
        while (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            names.emplace_back(line);
        }
    }
    return names;
}

std::string BuddyCsv::toText(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += name;
        text += '\n';
    }
    return text;
}

std::filesystem::path BuddyCsv::exportPath(const std::filesystem::path& chosen) {
    const std::string name = chosen.string();
    constexpr std::string_view kExtension = ".csv";
    if (name.size() >= kExtension.size() &&
        name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) == 0) {
        return chosen;
    }
    return std::filesystem::path(name + std::string(kExtension));
}

bool BuddyCsv::isNoRegularFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    return std::filesystem::exists(status) && !std::filesystem::is_regular_file(status);
}

bool BuddyCsv::exportTo(const std::filesystem::path& file, const BuddyList& buddies) {
    if (isNoRegularFile(file)) {
        return false;
    }
    return writeFileAtomically(file, toText(buddies.names()));
}

BuddyCsv::ImportResult BuddyCsv::importFrom(const std::filesystem::path& file, BuddyList& buddies) {
    ImportResult result;
    // One byte more than allowed tells a file that is too large from one that
    // just fits.
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored)) {
        return result;
    }
    const auto text = readFileBounded(file, kMaxFileBytes + 1);
    if (!text || text->size() > kMaxFileBytes) {
        return result;
    }
    result.read = true;
    for (const std::string& name : namesFromText(*text)) {
        if (buddies.addBuddy(name, false).changed) {
            ++result.imported;
        }
    }
    result.saved = buddies.saveBuddies();
    return result;
}

}  // namespace kestrova
