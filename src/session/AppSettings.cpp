#include "AppSettings.h"

#include "records/CacheExpiry.h"
#include "settings/OpenCountConf.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "settings/StakesFile.h"

#include <utility>

namespace kestrova {

namespace {

DisplaySettings displayFrom(const SettingsStore& settings) {
    const IntKey tableKeys[] = {keys::dtname,    keys::dtlimit,   keys::dtwl,     keys::dtplayer,
                                keys::dtavgpot,  keys::dtavgvpip, keys::dtavgpfr, keys::dtavgaf,
                                keys::dtavgwtsd, keys::dtreads,   keys::dtbuddies};
    const std::pair<IntKey, int> playerKeys[] = {
        {keys::dpseat, 0},    {keys::dpname, 1},    {keys::dpicon, 2},     {keys::dpbuddy, 3},
        {keys::dpstack, 4},   {keys::dphands, 5},   {keys::dpwon, 6},      {keys::dpvpip, 8},
        {keys::dppfr, 9},     {keys::dpaf, 10},     {keys::dpwtsd, 11},    {keys::dpwonsd, 12},
        {keys::dpflopaf, 13}, {keys::dpturnaf, 14}, {keys::dpriveraf, 15}, {keys::dpatts, 16},
        {keys::dpfoldsb, 17}, {keys::dpfoldbb, 18}, {keys::dpcbet, 19}};

    DisplaySettings display;
    // Columns 11 and 12 ("# Loser", "Tot.Stacks") have no key and always show.
    display.tableColumns.fill(true);
    for (std::size_t c = 0; c < std::size(tableKeys); ++c)
        display.tableColumns[c] = settings.read(tableKeys[c]) == 1;
    // "BB/100" (column 7) is never filled and never shown.
    display.playerColumns.fill(false);
    for (const auto& [key, column] : playerKeys)
        display.playerColumns[static_cast<std::size_t>(column)] = settings.read(key) == 1;
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
