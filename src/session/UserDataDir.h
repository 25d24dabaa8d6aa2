#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// The folder the companion files and the trace file live in: one per user, so
// that the program can always write them wherever it was started from (a
// desktop menu starts it in the home folder).
struct UserDataDir {
    std::filesystem::path dir;          // where the files live from now on
    bool created = false;               // this start made the folder
    std::vector<std::string> moved;     // files moved there from the start folder
    std::filesystem::path startFolder;  // where they came from
    std::vector<std::string> problems;  // one sentence each

    // Makes `dir` when it is missing, and on that first start moves the
    // companion files found in `startFolder` into it, never over a file it
    // holds. When `dir` cannot be made the files stay in `startFolder`, which
    // is then used instead.
    static UserDataDir prepare(const std::filesystem::path& dir,
                               const std::filesystem::path& startFolder);

    // The same for the user's own folder (XDG data home), after which the
    // leftovers of killed saves are swept there and beside the settings file.
    static UserDataDir prepareForUser(const std::filesystem::path& startFolder);

    // What the move did, one line each, for the trace file; empty when nothing happened.
    std::vector<std::string> traceLines() const;
};

// Where a file the program ships (icons, pictures, the guide) is found; the
// expected place when it is missing, so that an error can name it.
std::filesystem::path shippedFile(std::string_view name);

// Whether a file of this name is one of the user's companion files (settings,
// database list, profiles, buddies, layouts, window state).
bool isCompanionFileName(std::string_view name);

// The start's sweep of what killed saves left behind: the temporaries of the
// companion files and of the learnt glyphs ("ocr2.txt") in `dataDir`, and of
// the settings file, once a minute old (a younger one may be another running
// program's save in progress).
void removeKilledSaveLeftovers(const std::filesystem::path& dataDir,
                               const std::filesystem::path& settingsFile);

}  // namespace kestrova
