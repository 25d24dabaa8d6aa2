#pragma once

#include <string_view>

namespace kestrova {

// Where a name stands in the user's buddy list. The statistics only need the
// index for their records; the list itself (and its file) belongs to the
// ratings above them.
class BuddyIndex {
public:
    virtual ~BuddyIndex() = default;

    // Index of the first buddy equal to name ignoring letter case, or -1.
    virtual int indexOfBuddy(std::string_view name) const = 0;
};

}  // namespace kestrova
