#include "AppSettings.h"

#include "settings/SettingFields.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsSaver.h"
#include "settings/SettingsStore.h"
#include "settings/StakesFile.h"

#include <utility>

namespace kestrova {

namespace {

// The order the Display tab's "OK" writes its keys in.
const IntKey* const kDisplayWriteOrder[] = {
    &keys::dtname,    &keys::dtlimit,   &keys::dtplayer,      &keys::dtavgpot,     &keys::dtavgvpip,
    &keys::dtavgpfr,  &keys::dtreads,   &keys::dtbuddies,     &keys::dtwl,         &keys::dpseat,
    &keys::dpname,    &keys::dpbuddy,   &keys::dpvpip,        &keys::cbPlayerList, &keys::dppfr,
    &keys::dpaf,      &keys::dpwtsd,    &keys::dphands,       &keys::dpstack,      &keys::dpflopaf,
    &keys::dpturnaf,  &keys::dpriveraf, &keys::dpwonsd,       &keys::dpwon,        &keys::dpicon,
    &keys::dpatts,    &keys::dpfoldsb,  &keys::dpfoldbb,      &keys::dpcbet,       &keys::dtavgaf,
    &keys::dtavgwtsd, &keys::tdblclick, &keys::tdblclickopen, &keys::dpweak,
};

}  // namespace

const bool* displayFlag(const DisplaySettings& display, const IntKey& key) {
    for (std::size_t c = 0; c < kTableColumnCount; ++c)
        if (tableColumns()[c].displayKey == &key)
            return &display.tableColumns[c];
    for (std::size_t c = 0; c < kPlayerColumnCount; ++c)
        if (playerColumns()[c].displayKey == &key)
            return &display.playerColumns[c];
    if (&key == &keys::cbPlayerList)
        return &display.wholePlayerList;
    if (&key == &keys::tdblclick)
        return &display.doubleClickJoins;
    if (&key == &keys::tdblclickopen)
        return &display.doubleClickOpens;
    return nullptr;
}

bool* displayFlag(DisplaySettings& display, const IntKey& key) {
    return const_cast<bool*>(displayFlag(std::as_const(display), key));
}

DisplaySettings DisplaySettings::fromSettings(const SettingsStore& settings) {
    DisplaySettings display;
    // A table column without a key always shows, a player column without one
    // ("BB/100", never filled) never does.
    for (std::size_t c = 0; c < kTableColumnCount; ++c) {
        const IntKey* key = kestrova::tableColumns()[c].displayKey;
        display.tableColumns[c] = !key || settings.read(*key) == 1;
    }
    for (std::size_t c = 0; c < kPlayerColumnCount; ++c) {
        const IntKey* key = kestrova::playerColumns()[c].displayKey;
        display.playerColumns[c] = key && settings.read(*key) == 1;
    }
    display.wholePlayerList = settings.read(keys::cbPlayerList) == 1;
    display.doubleClickJoins = settings.read(keys::tdblclick) != 0;
    display.doubleClickOpens = settings.read(keys::tdblclickopen) != 0;
    display.score = ScoreSettings::fromSettings(settings);
    return display;
}

void DisplaySettings::save(SettingsSaver& out) const {
    for (const IntKey* key : kDisplayWriteOrder) {
        if (const bool* on = displayFlag(*this, *key))
            out.flag(*key, *on);
    }
    score.save(out);
}

namespace {

using namespace setting_field;

// The dialog's own keys; the lobby and table filters keep theirs.
const SettingField<ScanFilterSettings> kScanFilterFields[] = {
    // The dialog shows the player count unchecked when its key is missing.
    Range<ScanFilterSettings>{&keys::fpc, &keys::fpcmin, &keys::fpcmax,
                              &ScanFilterSettings::playerCount, &keys::fpcDialog},
    Flag<ScanFilterSettings>{&keys::tf_stakes, &ScanFilterSettings::stakesFilterOn, true},
};

}  // namespace

ScanFilterSettings ScanFilterSettings::fromSettings(const SettingsStore& settings,
                                                    const std::filesystem::path& directory,
                                                    ClientKind clientKind) {
    ScanFilterSettings s;
    s.lobby = LobbyFilter::fromSettings(settings);
    s.table = TableFilterSettings::fromSettings(settings);
    readFields<ScanFilterSettings>(kScanFilterFields, settings, s);
    s.stakes = StakesFile::read(directory, clientKind);
    return s;
}

void ScanFilterSettings::save(SettingsSaver& out, ClientKind clientKind) const {
    // In the order the dialog always wrote its keys.
    const std::span<const SettingField<ScanFilterSettings>> fields(kScanFilterFields);
    lobby.save(out);
    saveFields<ScanFilterSettings>(fields.first(1), out, *this);
    table.save(out);
    out.file(StakesFile::write(out.directory(), clientKind, stakes),
             StakesFile::fileName(clientKind).value_or(""));
    saveFields<ScanFilterSettings>(fields.last(1), out, *this);
}

AppSettings AppSettings::load(const SettingsStore& settings,
                              const std::filesystem::path& workingDir) {
    AppSettings s;
    s.clientKind = static_cast<ClientKind>(settings.read(keys::form));
    s.general = GeneralOptions::fromSettings(settings, workingDir);
    s.open = OpenOptions::fromSettings(settings, workingDir);
    s.close = CloseOptions::fromSettings(settings, workingDir);
    s.profile = ProfileOptions::fromSettings(settings);
    s.history = HistoryOptions::fromSettings(settings);
    s.display = DisplaySettings::fromSettings(settings);
    s.scanFilter = ScanFilterSettings::fromSettings(settings, workingDir, s.clientKind);
    s.playerFilter = PlayerFilterSettings::fromSettings(settings);
    s.autorate = AutorateIcons::fromSettings(settings);
    s.limits = LimitsFile::read(workingDir, s.clientKind);
    s.updateServer = settings.readText(keys::updateserver);
    s.scanIntervalMinutes = settings.read(keys::scanint);
    s.checkUpdate = settings.read(keys::checkupdate) == 1;
    s.useAggregator = settings.read(keys::useagg) == 1;
    s.lookupTimeoutSeconds = settings.read(keys::lookuptimeout);
    return s;
}

AppSettings withParts(const AppSettings& base, const AppSettings& edited,
                      std::initializer_list<SettingsPart> parts) {
    AppSettings next = base;
    for (const SettingsPart part : parts) {
        switch (part) {
            case SettingsPart::Options:
                next.general = edited.general;
                next.open = edited.open;
                next.close = edited.close;
                next.profile = edited.profile;
                next.history = edited.history;
                next.display = edited.display;
                break;
            case SettingsPart::ScanFilter:
                next.scanFilter = edited.scanFilter;
                // Saving no stakes keeps the file's, so the settings keep them too.
                if (next.scanFilter.stakes.empty())
                    next.scanFilter.stakes = base.scanFilter.stakes;
                break;
            case SettingsPart::PlayerFilter:
                next.playerFilter = edited.playerFilter;
                break;
            case SettingsPart::ScanInterval:
                next.scanIntervalMinutes = edited.scanIntervalMinutes;
                break;
            case SettingsPart::CheckUpdate:
                next.checkUpdate = edited.checkUpdate;
                break;
            case SettingsPart::UseAggregator:
                next.useAggregator = edited.useAggregator;
                break;
            case SettingsPart::LookupTimeout:
                next.lookupTimeoutSeconds = edited.lookupTimeoutSeconds;
                break;
            case SettingsPart::Limits:
                next.limits = edited.limits;
                break;
        }
    }
    return next;
}

std::string saveSettings(const AppSettings& s, std::initializer_list<SettingsPart> parts,
                         SettingsStore& store, const std::filesystem::path& workingDir) {
    SettingsSaver out(store, workingDir);
    for (const SettingsPart part : parts) {
        switch (part) {
            case SettingsPart::Options:
                s.general.save(out);
                s.open.save(out);
                s.close.save(out);
                s.profile.save(out);
                s.history.save(out);
                s.display.save(out);
                break;
            case SettingsPart::ScanFilter:
                s.scanFilter.save(out, s.clientKind);
                break;
            case SettingsPart::PlayerFilter:
                s.playerFilter.save(out);
                break;
            case SettingsPart::ScanInterval:
                out.number(keys::scanint, s.scanIntervalMinutes);
                break;
            case SettingsPart::CheckUpdate:
                out.flag(keys::checkupdate, s.checkUpdate);
                break;
            case SettingsPart::UseAggregator:
                out.flag(keys::useagg, s.useAggregator);
                break;
            case SettingsPart::LookupTimeout:
                out.number(keys::lookuptimeout, s.lookupTimeoutSeconds);
                break;
            case SettingsPart::Limits:
                out.file(LimitsFile::write(workingDir, s.clientKind, s.limits),
                         LimitsFile::fileName(s.clientKind).value_or(""));
                break;
        }
    }
    return out.problem();
}

}  // namespace kestrova
