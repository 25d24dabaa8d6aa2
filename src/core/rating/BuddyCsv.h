#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/TranslatableText.h"

namespace kestrova {

class BuddyList;

// CSV buddy files, as PokerTracker exports them with only "playername"
// checked: plain text, one name per line, no header, no separators. The
// buddy window and "kestrova-cli buddies" both go through here.
class BuddyCsv final {
public:
    // More names than anyone exports; a larger file is not a buddy list.
    static constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

    static constexpr std::string_view kRemarkTitle = KESTROVA_TEXT("Messages", "Remark");
    static constexpr std::string_view kRemarkText =
        KESTROVA_TEXT("Messages",
                      "Please note, that the CSV-file got to have the following format:\n"
                      "playername1\nplayername2\nplayername3\n...\n\n"
                      " So make sure, when exporting the CSV-file from Pokertracker only the field "
                      "'playername' is checked.");
    static constexpr std::string_view kImportDoneTitle = KESTROVA_TEXT("Messages", "Import done");
    static constexpr std::string_view kImportFileTitle =
        KESTROVA_TEXT("Messages", "Import from file");
    static constexpr std::string_view kExportFileTitle =
        KESTROVA_TEXT("Messages", "Export to file");
    static constexpr std::string_view kFileFilter = "*.csv";
    static constexpr std::string_view kErrorTitle = KESTROVA_TEXT("Messages", "Error");

    // "<count> buddies successfully imported."
    static std::string importDoneText(std::size_t count);
    static std::string unreadableText(const std::filesystem::path& file);
    static std::string unwritableText(const std::filesystem::path& file);

    // The names of a file's text: lines end in LF or CRLF (CRs at a line's
    // end are dropped), blank lines are skipped, and a last line without a
    // line feed is a name too (many programs end their files that way).
    static std::vector<std::string> namesFromText(std::string_view text);
    // Every name followed by "\n".
    static std::string toText(const std::vector<std::string>& names);

    // The file a chosen export name means: ".csv" is appended unless the name
    // already ends in it.
    static std::filesystem::path exportPath(const std::filesystem::path& chosen);

    // True when `file` exists and is no regular file (a folder, a device, a
    // pipe), which an export never writes.
    static bool isNoRegularFile(const std::filesystem::path& file);
    // Writes the list to `file` (already passed through exportPath); false
    // when it could not be written or isNoRegularFile().
    static bool exportTo(const std::filesystem::path& file, const BuddyList& buddies);

    struct ImportResult {
        bool read = false;         // false: the file could not be read; nothing changed
        std::size_t imported = 0;  // names that were not in the list yet
        bool saved = true;         // false: "mofofish" could not be written
    };
    // Appends every name of the file that is not in the list yet (ignoring
    // letter case), then saves the list once.
    static ImportResult importFrom(const std::filesystem::path& file, BuddyList& buddies);
};

}  // namespace kestrova
