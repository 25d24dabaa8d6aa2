#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace kestrova {

class XcbConnection;

// Timestamps for synthetic input events. Clients use event times to tell a double
// click from two clicks and auto-repeat from separate presses, so every stamp is
// the server's clock (read once) plus the time elapsed since, never 0 and strictly
// increasing, even for two events within the same millisecond.
class EventTimestamps final {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    EventTimestamps(std::uint32_t serverTimeMs, TimePoint readAt);

    // Reads the server's current time: a zero-length property append on a window of
    // our own comes back as PropertyNotify carrying that time. nullopt when the
    // server does not answer.
    static std::optional<std::uint32_t> fetchServerTime(XcbConnection& connection);

    std::uint32_t next() { return next(std::chrono::steady_clock::now()); }
    std::uint32_t next(TimePoint now);

private:
    std::uint32_t baseMs_;
    TimePoint readAt_;
    std::optional<std::uint32_t> last_;
};

}  // namespace kestrova
