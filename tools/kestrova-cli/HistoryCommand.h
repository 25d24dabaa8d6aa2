#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace kestrova::cli {

// "kestrova-cli watch ...": the watch list of the scan history in `directory`.
//   add NAME [--note TEXT]       watches a player (a second add changes the note)
//   add --rule TEXT [--note ..]  adds a rule such as "vpip >= 45 and hands >= 200"
//   remove NAME | --rule ID
//   list                         the players and rules as JSON
struct WatchArgs {
    std::string name;
    std::string note;
    std::string rule;
    std::optional<int> ruleId;
};
int runWatchAdd(const WatchArgs& args, const std::filesystem::path& directory,
                const std::filesystem::path& settingsFile, std::ostream& err);
int runWatchRemove(const WatchArgs& args, const std::filesystem::path& directory,
                   const std::filesystem::path& settingsFile, std::ostream& err);
int runWatchList(const std::filesystem::path& directory, const std::filesystem::path& settingsFile,
                 std::ostream& out, std::ostream& err);

// "kestrova-cli history tables|table NAME|player NAME [--since ISO-TIME]": what
// the passes read, as JSON, times in ISO 8601 UTC.
enum class HistoryView { Tables, Table, Player };
struct HistoryArgs {
    HistoryView view = HistoryView::Tables;
    std::string name;
    std::string since;  // empty: everything kept
};
int runHistoryCommand(const HistoryArgs& args, const std::filesystem::path& directory,
                      const std::filesystem::path& settingsFile, std::ostream& out,
                      std::ostream& err);
// "kestrova-cli history keep DAYS": how long the shared history keeps what
// every scanner read (a local history keeps what historydays says).
int runHistoryKeep(int days, const std::filesystem::path& directory,
                   const std::filesystem::path& settingsFile, std::ostream& err);

}  // namespace kestrova::cli
