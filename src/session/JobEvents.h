#pragma once

#include "client/LobbyGeometry.h"
#include "common/Image.h"
#include "rating/PlayerImport.h"
#include "records/PlayerStats.h"

#include <memory>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kestrova {

// A capture of the Everest lobby and where its list is, for teaching a font.
struct CapturedLobby {
    Image image;
    LobbyGeometry geometry;
};

// The front end's long jobs, run on the scan worker under the passes' busy rule.
enum class JobKind {
    PlayerImport,     // "Import player from databases"
    AggregatorBuild,  // "Update Aggregator database"
    ConnectionTest,   // the logins of the Options dialog's database page
    PlayerLookup,     // one player looked up outside a pass (the command line's "lookup")
    LobbyCapture,     // "Teach Font…": the lobby captured to teach from
    FontSearch,       // "Teach Font…"'s "Find Font": the installed font of the capture
};

// What a job reports, delivered on the front end's thread in the order it happened.
namespace job_event {

struct Started {
    JobKind job;
};
// The progress dialog's state; a maximum of 0 means "no measure yet".
struct Progress {
    std::string label;
    int maximum = 0;
    int value = 0;
};
struct ImportDone {
    PlayerImport::Outcome outcome;
};
// built: the aggregator table stands in every PokerTracker 3 database;
// completionText is then what the user is told.
struct AggregatorDone {
    bool built = false;
    std::string completionText;
};
// Per tested entry: nothing when the login worked, else why not.
struct ConnectionsTested {
    std::vector<std::optional<std::string>> failures;
};

// record: null when no database could be asked; failed: the databases left
// out, each having told why.
struct PlayerLookedUp {
    struct Failure {
        std::string database;
        std::string reason;
    };
    std::shared_ptr<PlayerStats> record;
    std::vector<Failure> failed;
};

// capture: null when the lobby could not be captured, and problem says why.
struct LobbyCaptured {
    std::shared_ptr<CapturedLobby> capture;
    std::string problem;
};

// "Find Font" ended: the font found, read with from now on, or why none fits.
struct FontSearched {
    std::string font;     // empty when none fits
    std::string problem;  // why none fits, or why its table could not be kept
};

}  // namespace job_event

using JobEvent = std::variant<job_event::Started, job_event::Progress, job_event::ImportDone,
                              job_event::AggregatorDone, job_event::ConnectionsTested,
                              job_event::PlayerLookedUp, job_event::LobbyCaptured,
                              job_event::FontSearched>;

}  // namespace kestrova
