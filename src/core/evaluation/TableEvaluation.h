#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "evaluation/TableScore.h"
#include "rating/Rgb.h"

namespace kestrova {

class BuddyList;
class ColourRanges;
struct ProfileOptions;
struct PlayerStats;

// What the rating of tables and players needs from the settings.
struct EvaluationSettings {
    int minimumHands = 100;  // a player is known only with more hands than this
    std::string ownName;     // the user's screen name, compared ignoring case
    bool excludeMe = false;  // the look-up leaves the user out; kept here with its siblings

    // The Profile tab's minimum hands, own name (127 characters at most) and exclusion.
    static EvaluationSettings fromProfile(const ProfileOptions& profile);
};

// The figures of one scanned table; the table list and the command line
// format them where they show them.
struct TableEvaluation {
    int reads = 0;    // R: known players with more than the minimum hands
    int known = 0;    // K: players with hands and a VPIP figure
    int buddies = 0;  // B
    int losers = 0;   // L: players with hands who lost money
    double stackSum = 0;
    bool ownSeat = false;  // the user sits at the table: its name cell turns green

    // The averages over the players read; absent without one.
    std::optional<double> averageVpip;
    std::optional<double> averagePfr;
    std::optional<double> averageAf;
    std::optional<double> averageWtsd;

    // Backgrounds of columns 5, 6 and 8 from the VPIP, PFR and WTSD profiles;
    // empty without reads or when the lookup gives no colour.
    std::optional<Rgb> averageVpipColour;
    std::optional<Rgb> averagePfrColour;
    std::optional<Rgb> averageWtsdColour;
    // How many weak players sit there (filled by whoever holds the score settings).
    TableScore score;
};

// Rates a table from its players in seat order. Null records are skipped.
// Without colour ranges no column is coloured.
TableEvaluation evaluateTable(const std::vector<std::shared_ptr<PlayerStats>>& players,
                              const EvaluationSettings& settings, const BuddyList& buddies,
                              const ColourRanges* colours = nullptr);

// True when the name is the user's own, ignoring letter case (an empty own
// name matches nobody).
bool isOwnName(const std::string& name, const std::string& ownName);

}  // namespace kestrova
