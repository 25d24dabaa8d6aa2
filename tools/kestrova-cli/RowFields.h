#pragma once

#include "Session.h"

#include <nlohmann/json.hpp>

#include <string_view>

namespace kestrova::cli {

// The lists' rows by name for scripts, besides the "columns" the window shows.
// A figure is a number; where nothing is known (a player without hands, a
// table without players the databases know well enough, a cell the lobby left
// empty) it is null, so that a field always has the same type.

// The number a cell shows: a leading currency sign and thousands separators
// left out. Null for a cell without one ("N/A", "-", empty).
nlohmann::ordered_json figureOf(std::string_view text);

// What "Get Table List" read of a table: name, stakes, players, seats, avgPot.
void addListedFields(nlohmann::ordered_json& table, const ScanState& state, const TableRow& row);
// What a scan adds: the averages and counts of its players.
void addScannedFields(nlohmann::ordered_json& table, const TableRow& row);
// A player's place and figures as the player lists show them.
void addPlayerFields(nlohmann::ordered_json& player, const Session& session,
                     const PlayerStats& record);

}  // namespace kestrova::cli
