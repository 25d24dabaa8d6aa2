#include "records/CacheExpiry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kestrova {

CacheExpiry::Actions CacheExpiry::onGetTableList() {
    Actions actions;
    if (lifetimeSeconds_ <= 0) {
        return actions;
    }
    if (!timerExists_) {
        timerExists_ = true;
        actions.startTimer = true;
        // A hand-edited lifetime may exceed what a timer interval can hold.
        const std::int64_t intervalMs = std::int64_t{lifetimeSeconds_} * 1000;
        actions.timerIntervalMs =
            static_cast<int>(std::min<std::int64_t>(intervalMs, std::numeric_limits<int>::max()));
    }
    if (expired_) {
        expired_ = false;
        actions.clearRecords = true;
    }
    return actions;
}

}  // namespace kestrova
