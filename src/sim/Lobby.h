#pragma once

#include "sim/LobbyTable.h"

#include <QByteArray>
#include <QString>

#include <stdexcept>
#include <string>
#include <vector>

namespace kestrova::sim {

// A bad lobby file; what() names the file and what is wrong with it.
class LobbyError final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The tables of a simulated lobby, in list order.
//
// File format (JSON): {"tables":[{"name":…, "game":…, "stakes":…, "seated":N, "seats":N,
// "extra":…, "avgpot":…, "waiting":N, "players":[{"name":…, "stack":…}], "waitlist":[…]}]}.
// Only "name" is required; "seated" and "waiting" default to the lengths of "players"
// and "waitlist", "seats" to 10.
class Lobby {
public:
    Lobby() = default;
    explicit Lobby(std::vector<LobbyTable> tables) : tables_(std::move(tables)) {}

    // Throws LobbyError.
    static Lobby loadFile(const QString& path);
    static Lobby parse(const QByteArray& json, const QString& sourceName);

    const std::vector<LobbyTable>& tables() const { return tables_; }
    int size() const { return static_cast<int>(tables_.size()); }
    bool empty() const { return tables_.empty(); }
    const LobbyTable& table(int row) const { return tables_.at(static_cast<std::size_t>(row)); }

private:
    std::vector<LobbyTable> tables_;
};

}  // namespace kestrova::sim
