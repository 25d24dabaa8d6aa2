#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileLock.h"
#include "rating/BuddyCsv.h"
#include "rating/BuddyList.h"

namespace kestrova {

// The buddy list as the front ends change it: each change saved to
// "mofofish" at once, the repair of a damaged file, the CSV import and
// export. The session keeps one over its list; a program without a session
// (the command line) opens the file of a folder, holding its lock from
// reading to writing so that another program's change is not lost.
class BuddyBook final {
public:
    explicit BuddyBook(BuddyList& list) : list_(&list) {}
    // The file in `directory`, read now; when `forChanges`, under its lock
    // until the book is gone, and not read at all when the lock fails.
    BuddyBook(const std::filesystem::path& directory, bool forChanges);
    BuddyBook(const BuddyBook&) = delete;
    BuddyBook& operator=(const BuddyBook&) = delete;

    // Why the lock could not be taken; empty when it was, or was not asked for.
    std::string lockProblem() const;

    const BuddyList& list() const { return *list_; }
    const std::vector<std::string>& names() const { return list_->names(); }
    bool contains(std::string_view name) const { return list_->contains(name); }

    // Damage found when the file was read, what to ask the user about it,
    // and his consent to rewrite the file with the names that were read.
    bool damaged() const { return list_->damaged(); }
    const std::string& loadProblem() const { return list_->loadProblem(); }
    std::string repairQuestion() const { return list_->repairQuestion(); }
    void acceptDamagedFile() { list_->acceptDamagedFile(); }

    BuddyList::Change add(std::string_view name) { return list_->addBuddy(name, true); }
    BuddyList::Change remove(std::string_view name) { return list_->removeBuddy(name); }
    BuddyList::Change set(std::string_view name, bool buddy) {
        return buddy ? add(name) : remove(name);
    }
    // Writes the list as it stands (after a repair the user agreed to).
    bool save() const { return list_->saveBuddies(); }

    BuddyCsv::ImportResult importCsv(const std::filesystem::path& file) {
        return BuddyCsv::importFrom(file, *list_);
    }
    bool exportCsv(const std::filesystem::path& file) const {
        return BuddyCsv::exportTo(file, *list_);
    }

    // What an import on a copy of the list found: taken whole when the list
    // is still as it was (`before`), else its new names are added to the
    // user's own changes. True when the list changed.
    bool mergeImported(const std::vector<std::string>& before, const BuddyList& imported);

private:
    std::optional<BuddyList> own_;
    std::optional<FileLock> lock_;
    BuddyList* list_ = nullptr;
};

}  // namespace kestrova
