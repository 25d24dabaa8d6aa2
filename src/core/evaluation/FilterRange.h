#pragma once

namespace kestrova {

// One criterion of a filter: on or off, and its inclusive whole-number bounds
// as the settings hold them.
struct FilterRange {
    bool on = false;
    int minimum = 0;
    int maximum = 0;

    bool operator==(const FilterRange&) const = default;
};

}  // namespace kestrova
