#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/TranslatableText.h"
#include "records/BuddyIndex.h"

namespace kestrova {

// The user's marked players, in order; membership ignores letter case.
// Stored in the companion file "mofofish" (little-endian):
//   u32 count, then per name: u32 length, that many bytes, no terminator.
// Every change that saves rewrites the file whole and atomically; a failed
// save is reported to the caller, which shows kSaveErrorText.
class BuddyList final : public BuddyIndex {
public:
    static constexpr std::string_view kFileName = "mofofish";
    // Names are read into a buffer of this size: a length this large or larger
    // ends the reading, keeping the names before it.
    static constexpr std::size_t kNameBufferBytes = 150;
    static constexpr std::string_view kErrorTitle = KESTROVA_TEXT("Messages", "Error");
    static constexpr std::string_view kReadErrorText =
        KESTROVA_TEXT("Messages", "Could not read the Everest buddylist");
    static constexpr std::string_view kSaveErrorText =
        KESTROVA_TEXT("Messages", "Unable to save mofofish");

    enum class LoadResult {
        Loaded,     // the whole file was read
        NoFile,     // no file: the list stays empty, nothing to tell the user
        ReadError,  // the file could not be read whole (unreadable, no regular
                    // file, an over-long or negative length, ends inside an
                    // entry): the names before the damage are kept and
                    // loadProblem() says where and why
    };

    // What a change did. `saved` is false only when a save was asked for and failed.
    struct Change {
        bool changed = false;
        bool saved = true;
    };

    // The file lives in `directory` (empty: the working directory).
    explicit BuddyList(std::filesystem::path directory = {});

    // Replaces the list with the file's names.
    LoadResult loadBuddies();
    // Rewrites the file; false when it could not be written, and false without
    // writing after a ReadError load: the names past the damage would be lost
    // unless the user agreed to that with acceptDamagedFile(). A caller that
    // loads, changes and saves holds a FileLock on filePath() throughout, so
    // that another process's change is not lost.
    bool saveBuddies() const;
    // The user agreed to replace a damaged file with the names that were read.
    void acceptDamagedFile() { damaged_ = false; }
    // Asks that agreement after a ReadError load: what is damaged, and how
    // many names a rewrite keeps.
    std::string repairQuestion() const;
    bool damaged() const { return damaged_; }
    // "PATH: reason" after a ReadError load, otherwise empty.
    const std::string& loadProblem() const { return loadProblem_; }

    // Index of the first buddy equal to name ignoring letter case, or -1.
    int indexOfBuddy(std::string_view name) const override;
    bool contains(std::string_view name) const { return indexOfBuddy(name) >= 0; }

    // Why a text cannot be a buddy's screen name (empty, kNameBufferBytes or
    // longer, or holding a control character such as a line break, which
    // would split the name in every list and CSV file); empty when it can.
    static std::string whyNoScreenName(std::string_view name);
    // Appends the name when it is not in the list yet (ignoring case) and
    // saves when asked to. A name whyNoScreenName() refuses is not added.
    Change addBuddy(std::string_view name, bool save);
    // Removes the first entry equal to the name ignoring case, then saves.
    Change removeBuddy(std::string_view name);

    const std::vector<std::string>& names() const { return names_; }
    std::size_t size() const { return names_.size(); }
    const std::filesystem::path& filePath() const { return file_; }

    // The names of a file's bytes; `problem` (when given) gets why the reading
    // ended before the stored count (empty when all entries were read). An
    // entry length of kNameBufferBytes or more ends the list as other readers
    // of the file do, but is damage all the same.
    static std::vector<std::string> fromBytes(std::string_view bytes,
                                              std::string* problem = nullptr);
    // Nullopt when a name is too long for a reader to take back.
    static std::optional<std::string> toBytes(const std::vector<std::string>& names);

private:
    std::filesystem::path file_;
    std::vector<std::string> names_;
    bool damaged_ = false;
    std::string loadProblem_;
};

}  // namespace kestrova
