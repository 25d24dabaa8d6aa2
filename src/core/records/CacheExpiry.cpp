#include "records/CacheExpiry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

namespace kestrova {

int cacheLifetimeSeconds(int dbcache, int cacheSeconds) {
    return dbcache != 0 ? cacheSeconds : -1;
}

int cacheLifetimeSeconds(const SettingsStore& settings) {
    return cacheLifetimeSeconds(settings.read(keys::dbcache), settings.read(keys::cache));
}

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
