#pragma once

#include "ScanFixture.h"
#include "sim/Lobby.h"

#include <array>
#include <string>
#include <vector>

namespace kestrova::test {

// The user's settings an end-to-end scan runs with, written to the settings
// file and "mofofish" before the run and used again for the expected figures.
struct ScanSettings {
    std::string ownName = "kAT";  // profilme, other letter case
    std::vector<std::string> buddies = {"zed", "ROUNDER", "Hugo.K"};
    int minimumHands = 100;       // profilhands (the default)
    bool onlyLosers = true;       // low_looser
    int overallMinimumReads = 2;  // ofreads on, ofnum
    int overallVpipMin = 10;      // ofvpip on
    int overallVpipMax = 40;

    // The settings file's lines, section header included.
    std::string iniText() const;
    // The buddy list file: count, then length and bytes per name (little-endian).
    std::string buddyFile() const;
};

struct ExpectedTableRow {
    std::array<std::string, 13> columns;
    bool hidden = false;
    bool ownSeat = false;
};

struct ExpectedPlayerRow {
    std::array<std::string, 21> columns;
    bool hidden = false;
};

// What "Scan All Tables" must show for a lobby against a fixture, worked out
// from the fixture's counters and the lobby file alone.
struct ExpectedScan {
    std::vector<ExpectedTableRow> tables;
    std::vector<ExpectedPlayerRow> players;
    std::string knownPlayers;

    static ExpectedScan compute(const sim::Lobby& lobby, const ScanFixture& fixture,
                                const ScanSettings& settings);
};

// A chip count as the client shows it, as the seat reader keeps it: blanks and
// "$" gone, a comma before three final digits a thousands separator, before
// fewer a decimal comma.
std::string chipsAsRead(const std::string& shown);

}  // namespace kestrova::test
