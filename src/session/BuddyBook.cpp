#include "BuddyBook.h"

#include <algorithm>

namespace kestrova {

BuddyBook::BuddyBook(const std::filesystem::path& directory, bool forChanges)
    : own_(std::in_place, directory), list_(&*own_) {
    if (forChanges) {
        lock_.emplace(own_->filePath());
        if (!lock_->locked())
            return;
    }
    own_->loadBuddies();
}

std::string BuddyBook::lockProblem() const {
    return lock_ && !lock_->locked() ? lock_->error() : std::string();
}

bool BuddyBook::mergeImported(const std::vector<std::string>& before, const BuddyList& imported) {
    if (list_->names() == before) {
        // As the import saved it.
        if (imported.names() == before)
            return false;
        *list_ = imported;
        return true;
    }
    // The user marked buddies meanwhile: both changes are kept.
    bool added = false;
    for (const std::string& name : imported.names()) {
        if (std::find(before.begin(), before.end(), name) == before.end())
            added = list_->addBuddy(name, false).changed || added;
    }
    if (added)
        list_->saveBuddies();
    return added;
}

}  // namespace kestrova
