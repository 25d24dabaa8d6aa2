#include "trackers/TrackerValues.h"

#include <charconv>
#include <limits>

namespace kestrova::trackerValues {

namespace {

bool allDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

}  // namespace

std::int32_t toCounter(std::string_view text) {
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    long long value = 0;
    const auto [ptr, error] = std::from_chars(begin, end, value);
    if (error == std::errc::result_out_of_range) {
        return (begin != end && *begin == '-') ? std::numeric_limits<std::int32_t>::min()
                                               : std::numeric_limits<std::int32_t>::max();
    }
    if (error != std::errc())
        return 0;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

float toMoney(std::string_view text) {
    float value = 0.0f;
    const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? value : 0.0f;
}

void add(std::int32_t& counter, std::int64_t value) {
    const std::int64_t sum = static_cast<std::int64_t>(counter) + value;
    if (sum > std::numeric_limits<std::int32_t>::max())
        counter = std::numeric_limits<std::int32_t>::max();
    else if (sum < std::numeric_limits<std::int32_t>::min())
        counter = std::numeric_limits<std::int32_t>::min();
    else
        counter = static_cast<std::int32_t>(sum);
}

void addCounts(TrackerCounters& total, const TrackerCounters& part) {
    for (auto member :
         {&TrackerCounters::hands, &TrackerCounters::vpip, &TrackerCounters::pfr,
          &TrackerCounters::flopBets, &TrackerCounters::turnBets, &TrackerCounters::riverBets,
          &TrackerCounters::flopRaises, &TrackerCounters::turnRaises, &TrackerCounters::riverRaises,
          &TrackerCounters::flopCalls, &TrackerCounters::turnCalls, &TrackerCounters::riverCalls,
          &TrackerCounters::showdowns, &TrackerCounters::flopsSeen, &TrackerCounters::showdownsWon,
          &TrackerCounters::bbStealAttempts, &TrackerCounters::bbFoldCount,
          &TrackerCounters::sbStealAttempts, &TrackerCounters::sbFoldCount})
        add(total.*member, part.*member);
    total.won += part.won;
    total.totalBet += part.totalBet;
}

bool isDecimalInteger(std::string_view text) {
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    return allDigits(text) && text.size() <= 18;
}

bool isDecimalNumber(std::string_view text) {
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    const auto dot = text.find('.');
    if (dot == std::string_view::npos)
        return allDigits(text);
    return allDigits(text.substr(0, dot)) && allDigits(text.substr(dot + 1));
}

}  // namespace kestrova::trackerValues
