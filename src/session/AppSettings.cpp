#include "AppSettings.h"

#include "records/CacheExpiry.h"
#include "settings/OpenCountConf.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "settings/StakesFile.h"

namespace kestrova {

namespace {

DisplaySettings displayFrom(const SettingsStore& settings) {
    DisplaySettings display;
    // A table column without a key always shows, a player column without one
    // ("BB/100", never filled) never does.
    for (std::size_t c = 0; c < kTableColumnCount; ++c) {
        const IntKey* key = tableColumns()[c].displayKey;
        display.tableColumns[c] = !key || settings.read(*key) == 1;
    }
    for (std::size_t c = 0; c < kPlayerColumnCount; ++c) {
        const IntKey* key = playerColumns()[c].displayKey;
        display.playerColumns[c] = key && settings.read(*key) == 1;
    }
    display.wholePlayerList = settings.read(keys::cbPlayerList) == 1;
    display.doubleClickOpens = settings.read(keys::tdblclickopen) != 0;
    return display;
}

}  // namespace

AppSettings AppSettings::load(const SettingsStore& settings,
                              const std::filesystem::path& workingDir) {
    AppSettings s;
    s.clientKind = settings.read(keys::form);
    s.lobbyFilter = LobbyFilter::fromSettings(settings);
    s.tableFilter = TableFilterSettings::fromSettings(settings);
    s.playerFilter = PlayerFilterSettings::fromSettings(settings);
    s.evaluation = EvaluationSettings::fromSettings(settings);
    s.autorate = AutorateIcons::fromSettings(settings);
    s.display = displayFrom(settings);
    s.cacheLifetimeSeconds = kestrova::cacheLifetimeSeconds(settings);
    s.scanIntervalMinutes = settings.read(keys::scanint);
    s.checkUpdate = settings.read(keys::checkupdate) == 1;
    s.useAggregator = settings.read(keys::useagg) == 1;
    s.adaptiveWaits = settings.read(keys::adaptivewait) == 1;
    s.scanResult = DirConf::read(workingDir);
    s.tablesToOpen = OpenCountConf::read(workingDir);
    s.selectedStakes = StakesFile::read(workingDir, s.clientKind);
    return s;
}

}  // namespace kestrova
