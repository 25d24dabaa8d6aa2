#include "ScanFixture.h"

#include "PostgresServer.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace kestrova::test {

namespace {

// Deterministic figures per player: the same database on every run.
class Figures {
public:
    explicit Figures(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

    // 0 .. limit inclusive.
    std::int32_t upTo(std::int32_t limit) {
        if (limit <= 0)
            return 0;
        return static_cast<std::int32_t>(next() % static_cast<std::uint64_t>(limit + 1));
    }

private:
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t state_;
};

bool isAsciiAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

ScanFixture::DatabasePlayer makePlayer(const std::string& name, std::size_t index) {
    Figures f(index);
    ScanFixture::DatabasePlayer p;
    p.name = name;
    switch (index % 8) {
        case 0:
            p.hands = 0;
            break;  // in the database, never played
        case 1:
            p.hands = 100;
            break;  // just not enough to count as read
        case 2:
            p.hands = 101;
            break;  // just enough
        case 3:
            p.hands = 1 + f.upTo(98);
            break;
        default:
            p.hands = 102 + f.upTo(1400);
            break;
    }
    const std::int32_t h = p.hands;
    p.vpip = f.upTo(h);
    p.pfr = f.upTo(p.vpip);
    p.flopsSeen = index % 11 == 5 ? 0 : f.upTo(h);
    p.showdowns = index % 13 == 6 ? 0 : f.upTo(p.flopsSeen / 2 + (index % 5 == 0 ? 3 : 0));
    p.showdowns = std::min(p.showdowns, h);
    p.showdownsWon = f.upTo(p.showdowns);
    const std::int32_t fs = p.flopsSeen;
    p.flopBetFlags = f.upTo(fs / 2);
    p.flopRaises = f.upTo(fs / 4);
    p.turnBetFlags = f.upTo(fs / 3);
    p.turnRaises = f.upTo(fs / 6);
    p.riverBetFlags = f.upTo(fs / 4);
    p.riverRaises = f.upTo(fs / 8);
    if (index % 7 != 3) {  // else: never called, every factor 0
        p.flopCalls = f.upTo(fs / 2);
        p.turnCalls = f.upTo(fs / 3);
        p.riverCalls = f.upTo(fs / 4);
    }
    if (h > 0 && index % 9 != 4)  // else: broke even
        p.wonCents = static_cast<std::int64_t>(f.upTo(400000)) - 200000;
    return p;
}

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

std::string centsText(std::int64_t cents) {
    char buffer[64];
    const std::int64_t whole = cents < 0 ? -cents : cents;
    std::snprintf(buffer, sizeof buffer, "%s%lld.%02lld", cents < 0 ? "-" : "",
                  static_cast<long long>(whole / 100), static_cast<long long>(whole % 100));
    return buffer;
}

}  // namespace

ScanFixture::ScanFixture(const sim::Lobby& lobby) {
    std::vector<std::string> names;
    std::set<std::string> seen;
    auto addName = [&](const std::string& name) {
        if (!name.empty() && seen.insert(name).second)
            names.push_back(name);
    };
    for (const sim::LobbyTable& table : lobby.tables()) {
        for (const sim::SeatedPlayer& seated : table.players)
            addName(seated.name);
        for (const std::string& waiting : table.waitlist)
            addName(waiting);
    }

    std::size_t index = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (i % 10 == 7)
            continue;  // unknown to the tracker: a record of zeros
        players_.push_back(makePlayer(name, index++));

        // Look-alikes the pattern also matches: a longer name ending in this
        // one, and one with a wildcard position (l, I, blank, dot ...) changed.
        if (i % 6 == 1) {
            const std::string longer = "Z" + name;
            if (!seen.count(longer)) {
                seen.insert(longer);
                players_.push_back(makePlayer(longer, index++));
            }
        }
        const std::string pattern = namePattern(name);
        for (std::size_t c = 2; c < pattern.size() && i % 3 == 0; ++c) {
            if (pattern[c] != '_')
                continue;
            std::string other = name;
            other[c - 1] = name[c - 1] == '#' ? '~' : '#';
            if (!seen.count(other)) {
                seen.insert(other);
                players_.push_back(makePlayer(other, index++));
            }
            break;
        }
    }
}

std::string ScanFixture::sql() const {
    std::string out =
        "CREATE TABLE player (\n"
        "  id_player serial PRIMARY KEY,\n"
        "  id_site smallint NOT NULL DEFAULT 100,\n"
        "  player_name varchar(32) NOT NULL\n"
        ");\n"
        "CREATE TABLE holdem_hand_player_statistics (\n"
        "  id_hand integer NOT NULL, id_player integer NOT NULL,\n"
        "  amt_won numeric(12,2) NOT NULL, flg_vpip boolean NOT NULL,\n"
        "  cnt_p_raise smallint NOT NULL, flg_f_bet boolean NOT NULL,\n"
        "  cnt_f_raise smallint NOT NULL, flg_t_bet boolean NOT NULL,\n"
        "  cnt_t_raise smallint NOT NULL, flg_r_bet boolean NOT NULL,\n"
        "  cnt_r_raise smallint NOT NULL, cnt_f_call smallint NOT NULL,\n"
        "  cnt_t_call smallint NOT NULL, cnt_r_call smallint NOT NULL,\n"
        "  flg_showdown boolean NOT NULL, flg_won_hand boolean NOT NULL,\n"
        "  flg_f_saw boolean NOT NULL\n"
        ");\n"
        "CREATE TEMP TABLE wanted (id_player int, hands int, won numeric(12,2), vpip int,\n"
        "  pfr int, fb int, fr int, fc int, tb int, tr int, tc int, rb int, rr int, rc int,\n"
        "  sd int, sdw int, fs int);\n";
    for (std::size_t i = 0; i < players_.size(); ++i) {
        const DatabasePlayer& p = players_[i];
        const std::string id = std::to_string(i + 1);
        out += "INSERT INTO player (id_player, player_name) VALUES (" + id + ", " + quoted(p.name) +
               ");\n";
        out += "INSERT INTO wanted VALUES (" + id + ", " + std::to_string(p.hands) + ", " +
               centsText(p.wonCents);
        for (std::int32_t v :
             {p.vpip, p.pfr, p.flopBetFlags, p.flopRaises, p.flopCalls, p.turnBetFlags,
              p.turnRaises, p.turnCalls, p.riverBetFlags, p.riverRaises, p.riverCalls, p.showdowns,
              p.showdownsWon, p.flopsSeen})
            out += ", " + std::to_string(v);
        out += ");\n";
    }
    // Hand n of a player carries each flag while n is within that flag's count;
    // the money is all on the first hand. Showdowns won are the first showdowns.
    out +=
        "SELECT setval('player_id_player_seq', (SELECT max(id_player) FROM player));\n"
        "INSERT INTO holdem_hand_player_statistics\n"
        "SELECT w.id_player * 10000 + n, w.id_player,\n"
        "  CASE WHEN n = 1 THEN w.won ELSE 0 END, n <= w.vpip, (n <= w.pfr)::int,\n"
        "  n <= w.fb, (n <= w.fr)::int, n <= w.tb, (n <= w.tr)::int, n <= w.rb,\n"
        "  (n <= w.rr)::int, (n <= w.fc)::int, (n <= w.tc)::int, (n <= w.rc)::int,\n"
        "  n <= w.sd, n <= w.sdw, n <= w.fs\n"
        "FROM wanted w, generate_series(1, w.hands) AS n;\n"
        "CREATE INDEX hhps_id_player ON holdem_hand_player_statistics (id_player);\n"
        "DROP TABLE wanted;\n"
        "ANALYZE player;\nANALYZE holdem_hand_player_statistics;\n";
    return out;
}

void ScanFixture::load(PostgresServer& server, const std::string& database) const {
    server.createDatabase(database);
    server.execute(database, "SET ROLE " + std::string(PostgresServer::kUser) + ";\n" + sql());
}

std::string ScanFixture::namePattern(const std::string& screenName) {
    std::string pattern = "%";
    for (std::size_t i = 0; i < screenName.size(); ++i) {
        const char c = screenName[i];
        const bool wildcard = i > 0 && (c == '\'' || !isAsciiAlnum(c) || c == 'l' || c == 'I');
        pattern += wildcard ? '_' : c;
    }
    return pattern;
}

}  // namespace kestrova::test
