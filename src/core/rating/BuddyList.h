#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// The user's marked players, in order; membership ignores letter case.
// Stored in the companion file "mofofish".
class BuddyList {
public:
    // Index of the first buddy equal to name in lower case, or -1.
    int indexOfBuddy(std::string_view name) const;
    // ...
    const std::vector<std::string>& names() const { return names_; }

private:
    std::vector<std::string> names_;
};

}  // namespace kestrova
