#include "settings/OptionPages.h"

#include <algorithm>

#include "settings/CompanionFile.h"
#include "settings/OpenCountConf.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsSaver.h"
#include "settings/SettingsStore.h"

namespace kestrova {

namespace {

// The Profile tab shows the minimum hands as typed, through a 100-byte buffer.
constexpr TypedNumberKey kProfilHandsTyped{keys::profilhands, 100};

}  // namespace

int GeneralOptions::cacheLifetimeSeconds() const {
    return dbcache ? SettingsStore::parseInt(cacheSeconds, keys::cache.defaultValue) : -1;
}

GeneralOptions GeneralOptions::fromSettings(const SettingsStore& settings,
                                            const std::filesystem::path& directory) {
    GeneralOptions o;
    o.scanResult = DirConf::read(directory);
    o.suffix = settings.readText(keys::suffix);
    o.dbcache = settings.read(keys::dbcache) != 0;
    o.cacheSeconds = settings.readText(keys::cacheGeneralTab);
    o.playerListWaitMs = settings.readText(keys::scanGeneralTab);
    o.observed = settings.read(keys::observed) == 1;
    o.add6max = settings.read(keys::add6max) == 1;
    o.delayMs = settings.readText(keys::delay);
    o.realtime = settings.read(keys::realtime) != 0;
    o.currentLimitOnly = settings.read(keys::curLim) == 1;
    o.hudFilter = settings.read(keys::hudLim) == 1;
    o.adaptiveWaits = settings.read(keys::adaptivewait) == 1;
    return o;
}

void GeneralOptions::save(SettingsSaver& out) const {
    out.file(scanResult.write(out.directory()), DirConf::kFileName);
    out.text(keys::suffix, suffix);
    out.flag(keys::dbcache, dbcache);
    out.text(keys::cache, cacheSeconds);
    out.text(keys::scan, playerListWaitMs);
    out.flag(keys::observed, observed);
    out.flag(keys::add6max, add6max);
    out.text(keys::delay, delayMs);
    out.flag(keys::realtime, realtime);
    out.flag(keys::curLim, currentLimitOnly);
    out.flag(keys::hudLim, hudFilter);
    out.flag(keys::adaptivewait, adaptiveWaits);
}

OpenOptions OpenOptions::fromSettings(const SettingsStore& settings,
                                      const std::filesystem::path& directory) {
    OpenOptions o;
    o.open = settings.read(keys::open) != 0;
    o.sixMaxOnly = settings.read(keys::sixmax) != 0;
    o.both = settings.read(keys::both) != 0;
    o.excludeJackpot = settings.read(keys::exc) != 0;
    o.tablesToOpen = OpenCountConf::read(directory);
    o.minimumPlayers = settings.read(keys::minplayer);
    return o;
}

void OpenOptions::save(SettingsSaver& out) const {
    out.flag(keys::open, open);
    out.flag(keys::sixmax, sixMaxOnly);
    out.flag(keys::both, both);
    out.flag(keys::exc, excludeJackpot);
    out.file(OpenCountConf::write(out.directory(), tablesToOpen), OpenCountConf::kFileName);
    out.number(keys::minplayer, minimumPlayers);
}

CloseOptions CloseOptions::fromSettings(const SettingsStore& settings,
                                        const std::filesystem::path& directory) {
    CloseOptions o;
    o.close = settings.read(keys::close) != 0;
    o.minimumPlayers = settings.read(keys::mincloseplayer);
    if (const auto bytes = readCompanionFile(directory, CloseConf::kFileName))
        o.potRule = CloseConf::fromBytes(*bytes, CloseConf{});
    o.closeByHands = settings.read(keys::closeHands) == 1;
    o.closeByHandsPlayers = settings.read(keys::closeHandsNumPlayer);
    o.closeByHandsCount = settings.readText(keys::closeHandsCountClosePage);
    return o;
}

void CloseOptions::save(SettingsSaver& out) const {
    out.flag(keys::close, close);
    out.number(keys::mincloseplayer, minimumPlayers);
    out.file(potRule.value_or(CloseConf{}).write(out.directory()), CloseConf::kFileName);
    out.flag(keys::closeHands, closeByHands);
    out.number(keys::closeHandsNumPlayer, closeByHandsPlayers);
    out.text(keys::closeHandsCount, closeByHandsCount);
}

ProfileOptions ProfileOptions::fromSettings(const SettingsStore& settings) {
    ProfileOptions o;
    o.minimumHands = settings.readText(kProfilHandsTyped);
    o.ownName = settings.readText(keys::profilmeProfileTab);
    o.excludeMe = settings.read(keys::excludeme) == 1;
    return o;
}

void ProfileOptions::save(SettingsSaver& out) const {
    out.text(keys::profilhands, minimumHands);
    out.text(keys::profilme, ownName);
    out.flag(keys::excludeme, excludeMe);
}

HistoryOptions HistoryOptions::fromSettings(const SettingsStore& settings) {
    HistoryOptions o;
    o.days = std::max(0, settings.read(keys::historydays));
    o.database = settings.readText(keys::historydb);
    return o;
}

void HistoryOptions::save(SettingsSaver& out) const {
    out.number(keys::historydays, days);
    out.text(keys::historydb, database);
}

}  // namespace kestrova
