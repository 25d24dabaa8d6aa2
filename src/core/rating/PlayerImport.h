#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/TranslatableText.h"
#include "records/DatabaseEntry.h"

namespace kestrova {

class BuddyList;
class ImportProgress;
class MessageSink;
class PlayerLookup;
class PlayerNameSource;
struct PlayerStats;

// One statistic range of the import; both ends inclusive, whole numbers.
struct ImportRange {
    bool enabled = false;
    int minimum = 0;
    int maximum = 0;

    // A disabled range takes every value.
    bool accepts(int value) const { return !enabled || (minimum <= value && value <= maximum); }
};

// Which players the import adds: at least minimumHands hands, and each enabled
// range holding the figure truncated to a whole number (a VPIP of 40.99 lies
// in 40..100, 39.99 does not).
struct ImportFilter {
    ImportRange vpip;
    ImportRange pfr;
    ImportRange af;
    int minimumHands = 0;

    bool passes(const PlayerStats& player) const;
};

// Fills the buddy list with every player of the active databases that passes
// the filter: collects all names, drops exact repeats (a name found in two
// databases is summed over both by one look-up anyway), looks each one up and
// adds those that pass. "Cancel" ends the collection of the current database
// and of every later one, and no player is looked up or added after it.
class PlayerImport final {
public:
    static constexpr std::string_view kCollectingLabel =
        KESTROVA_TEXT("Messages", "Scan in progress...");
    static constexpr std::string_view kImportingLabel =
        KESTROVA_TEXT("Messages", "...Please wait...\n...importing...");
    // The seat and stack texts of the import's look-ups.
    static constexpr std::string_view kNoSeat = "-";
    static constexpr std::string_view kNoStack = "-";

    struct Outcome {
        std::size_t collected = 0;  // names read from the databases
        std::size_t lookedUp = 0;   // look-ups made
        std::size_t added = 0;      // names that were new to the buddy list
        bool cancelled = false;
        bool failed = false;  // a database failed; the user has been told why
        bool saved = true;    // false: "mofofish" could not be written (told)
    };

    PlayerImport(PlayerLookup& lookup, PlayerNameSource& names, MessageSink& messages);

    // Connects, collects, looks up, adds, saves the buddy list once and
    // disconnects. A failing connection or name list ends the import at once
    // (nothing looked up or saved).
    Outcome run(const std::vector<DatabaseEntry>& databases, const ImportFilter& filter,
                BuddyList& buddies, ImportProgress& progress);

    // The names of the last run, without repeats, in collection order.
    const std::vector<std::string>& candidates() const { return candidates_; }

    // The names without exact repeats, first occurrence kept.
    static std::vector<std::string> withoutRepeats(const std::vector<std::string>& names);

private:
    PlayerLookup& lookup_;
    PlayerNameSource& names_;
    MessageSink& messages_;
    std::vector<std::string> candidates_;
};

}  // namespace kestrova
