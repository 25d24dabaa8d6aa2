#include "settings/OptionPages.h"

#include <algorithm>

#include "settings/CompanionFile.h"
#include "settings/OpenCountConf.h"
#include "settings/SettingFields.h"
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

namespace {

using namespace setting_field;

const SettingField<GeneralOptions> kGeneralFields[] = {
    Text<GeneralOptions>{&keys::suffix, &GeneralOptions::suffix},
    Flag<GeneralOptions>{&keys::dbcache, &GeneralOptions::dbcache},
    Typed<GeneralOptions>{&keys::cacheGeneralTab, &GeneralOptions::cacheSeconds},
    Typed<GeneralOptions>{&keys::scanGeneralTab, &GeneralOptions::playerListWaitMs},
    Flag<GeneralOptions>{&keys::observed, &GeneralOptions::observed, true},
    Flag<GeneralOptions>{&keys::add6max, &GeneralOptions::add6max, true},
    Text<GeneralOptions>{&keys::delay, &GeneralOptions::delayMs},
    Flag<GeneralOptions>{&keys::realtime, &GeneralOptions::realtime},
    Flag<GeneralOptions>{&keys::curLim, &GeneralOptions::currentLimitOnly, true},
    Flag<GeneralOptions>{&keys::hudLim, &GeneralOptions::hudFilter, true},
    Flag<GeneralOptions>{&keys::adaptivewait, &GeneralOptions::adaptiveWaits, true},
};

const SettingField<OpenOptions> kOpenFields[] = {
    Flag<OpenOptions>{&keys::open, &OpenOptions::open},
    Flag<OpenOptions>{&keys::sixmax, &OpenOptions::sixMaxOnly},
    Flag<OpenOptions>{&keys::both, &OpenOptions::both},
    Flag<OpenOptions>{&keys::exc, &OpenOptions::excludeJackpot},
    Number<OpenOptions>{&keys::minplayer, &OpenOptions::minimumPlayers},
};

const SettingField<CloseOptions> kCloseFields[] = {
    Flag<CloseOptions>{&keys::close, &CloseOptions::close},
    Number<CloseOptions>{&keys::mincloseplayer, &CloseOptions::minimumPlayers},
    Flag<CloseOptions>{&keys::closeHands, &CloseOptions::closeByHands, true},
    Number<CloseOptions>{&keys::closeHandsNumPlayer, &CloseOptions::closeByHandsPlayers},
    Typed<CloseOptions>{&keys::closeHandsCountClosePage, &CloseOptions::closeByHandsCount},
};

const SettingField<ProfileOptions> kProfileFields[] = {
    Typed<ProfileOptions>{&kProfilHandsTyped, &ProfileOptions::minimumHands},
    Text<ProfileOptions>{&keys::profilmeProfileTab, &ProfileOptions::ownName},
    Flag<ProfileOptions>{&keys::excludeme, &ProfileOptions::excludeMe, true},
};

const SettingField<HistoryOptions> kHistoryFields[] = {
    Number<HistoryOptions>{&keys::historydays, &HistoryOptions::days},
    Text<HistoryOptions>{&keys::historydb, &HistoryOptions::database},
};

}  // namespace

GeneralOptions GeneralOptions::fromSettings(const SettingsStore& settings,
                                            const std::filesystem::path& directory) {
    GeneralOptions o;
    o.scanResult = DirConf::read(directory);
    readFields<GeneralOptions>(kGeneralFields, settings, o);
    return o;
}

void GeneralOptions::save(SettingsSaver& out) const {
    out.file(scanResult.write(out.directory()), DirConf::kFileName);
    saveFields<GeneralOptions>(kGeneralFields, out, *this);
}

OpenOptions OpenOptions::fromSettings(const SettingsStore& settings,
                                      const std::filesystem::path& directory) {
    OpenOptions o;
    readFields<OpenOptions>(kOpenFields, settings, o);
    o.tablesToOpen = OpenCountConf::read(directory);
    return o;
}

void OpenOptions::save(SettingsSaver& out) const {
    saveFields<OpenOptions>(kOpenFields, out, *this);
    out.file(OpenCountConf::write(out.directory(), tablesToOpen), OpenCountConf::kFileName);
}

CloseOptions CloseOptions::fromSettings(const SettingsStore& settings,
                                        const std::filesystem::path& directory) {
    CloseOptions o;
    readFields<CloseOptions>(kCloseFields, settings, o);
    if (const auto bytes = readCompanionFile(directory, CloseConf::kFileName))
        o.potRule = CloseConf::fromBytes(*bytes, CloseConf{});
    return o;
}

void CloseOptions::save(SettingsSaver& out) const {
    saveFields<CloseOptions>(kCloseFields, out, *this);
    out.file(potRule.value_or(CloseConf{}).write(out.directory()), CloseConf::kFileName);
}

ProfileOptions ProfileOptions::fromSettings(const SettingsStore& settings) {
    ProfileOptions o;
    readFields<ProfileOptions>(kProfileFields, settings, o);
    return o;
}

void ProfileOptions::save(SettingsSaver& out) const {
    saveFields<ProfileOptions>(kProfileFields, out, *this);
}

HistoryOptions HistoryOptions::fromSettings(const SettingsStore& settings) {
    HistoryOptions o;
    readFields<HistoryOptions>(kHistoryFields, settings, o);
    o.days = std::max(0, o.days);
    return o;
}

void HistoryOptions::save(SettingsSaver& out) const {
    saveFields<HistoryOptions>(kHistoryFields, out, *this);
}

}  // namespace kestrova
