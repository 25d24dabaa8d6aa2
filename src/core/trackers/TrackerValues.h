#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/TrackerCounters.h"

namespace kestrova::trackerValues {

// A counter value as the databases return it: the leading decimal integer
// (a sum over no rows is empty and counts 0), clamped to 32 bits.
std::int32_t toCounter(std::string_view text);
// A money value: the leading decimal number, 0 when there is none.
float toMoney(std::string_view text);
// counter += value without overflowing.
void add(std::int32_t& counter, std::int64_t value);

// Adds every count and amount of `part` to `total` (not the icon, not the
// data-shape flag).
void addCounts(TrackerCounters& total, const TrackerCounters& part);

// True for an optional minus sign followed by 1 to 18 digits.
bool isDecimalInteger(std::string_view text);
// True for a decimal integer with an optional fraction, as numeric sums print.
bool isDecimalNumber(std::string_view text);

}  // namespace kestrova::trackerValues
