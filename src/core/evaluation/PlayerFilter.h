#pragma once

#include <optional>
#include <string>

#include "records/PlayerStats.h"
#include "settings/FilterRange.h"

namespace kestrova {

class SettingsSaver;
class SettingsStore;

// The player filter over the whole player list (the "low_" keys).
struct PlayerFilterSettings {
    bool buddiesOnly = false;  // low_buddy
    bool losersOnly = false;   // low_looser
    FilterRange vpip{false, 0, 100};
    FilterRange pfr{false, 0, 10};
    FilterRange af{false, 0, 10};
    FilterRange stack{false, 0, 10};  // in big blinds

    // A flag is on only when it reads 1.
    static PlayerFilterSettings fromSettings(const SettingsStore& settings);
    void save(SettingsSaver& out) const;

    bool operator==(const PlayerFilterSettings&) const = default;
};

// The cells of one whole-player-list row the filter looks at.
struct PlayerFilterRow {
    std::string table;          // column 0
    bool buddyChecked = false;  // column 4's check box
    std::string stack;          // column 5
    Figure won;                 // column 7
    Figure vpip;                // column 9
    Figure pfr;                 // column 10
    Figure af;                  // column 11
    // Column 1 ("Limit") of the table-list row with the same name, when there is one.
    std::optional<std::string> tableStakes;
};

// True when the row stays shown. The criteria run in order VPIP, PFR, AF
// (single precision, no truncation), stack in big blinds (passes without a
// table row or a usable big blind), loser (won must be below 0), buddy.
bool playerFilterShows(const PlayerFilterRow& row, const PlayerFilterSettings& settings);

// The player filter as one predicate over a seated player of the whole list.
class PlayerFilter final {
public:
    explicit PlayerFilter(const PlayerFilterSettings& settings) : settings_(settings) {}

    // tableStakes: the stakes of the table row the player sits at, when the list has one.
    bool match(const PlayerStats& record, bool buddy,
               const std::optional<std::string>& tableStakes) const;

private:
    PlayerFilterSettings settings_;
};

}  // namespace kestrova
