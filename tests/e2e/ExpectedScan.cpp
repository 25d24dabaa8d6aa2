#include "ExpectedScan.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

namespace kestrova::test {

namespace {

constexpr int kReadableSeatLines = 10;

std::string two(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    const std::string text = buffer;
    return text == "-0.00" ? "0.00" : text;
}

// Ratios of counters in single precision, percentages of them in double.
float ratio(std::int64_t a, std::int64_t b) {
    return b == 0 ? 0.0f : static_cast<float>(a) / static_cast<float>(b);
}
std::string percent(std::int64_t a, std::int64_t b) {
    return two(static_cast<double>(ratio(a, b)) * 100.0);
}
std::string factor(std::int64_t a, std::int64_t b) {
    return two(static_cast<double>(ratio(a, b)));
}

std::string centsText(std::int64_t cents) {
    char buffer[64];
    const std::int64_t whole = cents < 0 ? -cents : cents;
    std::snprintf(buffer, sizeof buffer, "%s%lld.%02lld", cents < 0 ? "-" : "",
                  static_cast<long long>(whole / 100), static_cast<long long>(whole % 100));
    return buffer;
}

std::string lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string without(const std::string& text, const std::string& dropped) {
    std::string out;
    for (char c : text) {
        if (dropped.find(c) == std::string::npos)
            out += c;
    }
    return out;
}

float number(const std::string& text) {
    return std::strtof(text.c_str(), nullptr);
}

// One look-up result (or a copy of one for a second table), with its texts.
struct Record {
    std::string table;
    std::string seat;
    std::string name;
    std::string stack;
    std::string hands, won, vpip, pfr, af, wtsd, wonSd, flopAf, turnAf, riverAf;
    int handCount = 0;
};

Record lookUp(const ScanFixture& fixture, const std::string& name) {
    const FixtureCounters c = fixture.countersFor(name);
    Record r;
    r.name = name;
    r.handCount = c.hands;
    r.hands = std::to_string(c.hands);
    r.vpip = percent(c.vpip, c.hands);
    r.pfr = percent(c.pfr, c.hands);
    r.af = factor(std::int64_t{c.flopBets} + c.turnBets + c.riverBets,
                  std::int64_t{c.flopCalls} + c.turnCalls + c.riverCalls);
    r.flopAf = factor(c.flopBets, c.flopCalls);
    r.turnAf = factor(c.turnBets, c.turnCalls);
    r.riverAf = factor(c.riverBets, c.riverCalls);
    r.wtsd = percent(c.showdowns, c.flopsSeen);
    r.wonSd = c.showdowns > 0 ? percent(c.showdownsWon, c.showdowns) : "0";
    // The database sums money as text, read as a single-precision number.
    r.won = two(static_cast<double>(number(centsText(c.wonCents))));
    return r;
}

}  // namespace

std::string ScanSettings::iniText() const {
    std::string text = "[Tallyhand]\n";
    text += "profilme=" + ownName + "\n";
    text += "profilhands=" + std::to_string(minimumHands) + "\n";
    text += std::string("low_looser=") + (onlyLosers ? "1" : "0") + "\n";
    text += "ofact=1\nofreads=1\nofnum=" + std::to_string(overallMinimumReads) + "\n";
    text += "ofvpip=1\nofvpipmin=" + std::to_string(overallVpipMin) +
            "\nofvpipmax=" + std::to_string(overallVpipMax) + "\n";
    return text;
}

std::string ScanSettings::buddyFile() const {
    auto le32 = [](std::uint32_t v) {
        std::string out;
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xffu);
        return out;
    };
    std::string out = le32(static_cast<std::uint32_t>(buddies.size()));
    for (const std::string& name : buddies)
        out += le32(static_cast<std::uint32_t>(name.size())) + name;
    return out;
}

std::string chipsAsRead(const std::string& shown) {
    std::string chips = without(shown, " $");
    const auto comma = chips.rfind(',');
    const auto dot = chips.rfind('.');
    if (comma == std::string::npos)
        return chips;
    if (dot != std::string::npos) {
        // Whichever separator comes last is the decimal one.
        if (dot > comma)
            return without(chips, ",");
        chips = without(chips, ".");
        chips[chips.rfind(',')] = '.';
        return chips;
    }
    if (chips.size() - comma - 1 >= 3)
        return without(chips, ",");
    chips[comma] = '.';
    return chips;
}

ExpectedScan ExpectedScan::compute(const sim::Lobby& lobby, const ScanFixture& fixture,
                                   const ScanSettings& settings) {
    std::set<std::string> buddies;
    for (const std::string& b : settings.buddies)
        buddies.insert(lowered(b));

    ExpectedScan out;
    std::vector<Record> records;  // the statistics cache, in order
    std::set<std::pair<std::string, std::string>> playerRows;
    std::set<std::string> tablesDone;
    std::size_t known = 0;

    for (const sim::LobbyTable& table : lobby.tables()) {
        if (table.seated < 1 || table.seated > 10 || !tablesDone.insert(table.name).second)
            continue;

        std::vector<std::size_t> seatedIndexes;
        int counted = 0;
        int lines = 0;
        for (const sim::SeatedPlayer& player : table.players) {
            if (++lines > kReadableSeatLines)
                break;
            if (player.name.empty())
                continue;
            ++counted;
            const std::string stack = without(chipsAsRead(player.stack), " ,");
            std::size_t index = records.size();
            for (std::size_t i = 0; i < records.size(); ++i) {
                if (records[i].name == player.name) {
                    index = i;
                    break;
                }
            }
            if (index == records.size()) {
                Record r = lookUp(fixture, player.name);
                r.table = table.name;
                r.seat = std::to_string(counted);
                r.stack = stack;
                records.push_back(r);
            } else if (records[index].table != table.name) {
                Record copy = records[index];
                copy.table = table.name;
                copy.seat = std::to_string(counted);
                copy.stack = stack;
                records.push_back(copy);
                index = records.size() - 1;
            }
            seatedIndexes.push_back(index);

            const Record& r = records[index];
            if (playerRows.insert({r.name, r.table}).second) {
                ExpectedPlayerRow row;
                row.columns = {r.table,  r.seat,   r.name,    "No",  "",    r.stack, r.hands,
                               r.won,    "",       r.vpip,    r.pfr, r.af,  r.wtsd,  r.wonSd,
                               r.flopAf, r.turnAf, r.riverAf, "N/A", "N/A", "N/A",   "N/A"};
                row.hidden = settings.onlyLosers && number(r.won) >= 0;
                out.players.push_back(row);
            }
        }

        // The table's figures over its seated records, sums in single precision.
        int reads = 0, knownHere = 0, buddyCount = 0, losers = 0;
        float vpip = 0, pfr = 0, af = 0, wtsd = 0, stacks = 0;
        bool ownSeat = false;
        for (std::size_t index : seatedIndexes) {
            const Record& r = records[index];
            if (r.handCount >= 1) {
                ++knownHere;
                const bool read = r.handCount > settings.minimumHands;
                if (read) {
                    ++reads;
                    vpip += number(r.vpip);
                    pfr += number(r.pfr);
                    af += number(r.af);
                    wtsd += number(r.wtsd);
                }
                if (number(r.won) < 0)
                    ++losers;
            }
            stacks += number(without(r.stack, "$,"));
            if (buddies.count(lowered(r.name)))
                ++buddyCount;
            if (lowered(r.name) == lowered(settings.ownName))
                ownSeat = true;
        }

        ExpectedTableRow row;
        row.columns[0] = table.name;
        row.columns[1] = table.stakes;
        row.columns[2] = "0";
        row.columns[3] = std::to_string(counted);
        row.columns[4] = table.averagePot;
        if (reads > 0) {
            row.columns[5] = two(static_cast<double>(vpip) / reads);
            row.columns[6] = two(static_cast<double>(pfr) / reads);
            row.columns[7] = two(static_cast<double>(af) / reads);
            row.columns[8] = two(static_cast<double>(wtsd) / reads);
        } else {
            row.columns[5] = row.columns[6] = row.columns[7] = row.columns[8] = "0";
        }
        row.columns[9] = std::to_string(reads) + " / " + std::to_string(knownHere);
        row.columns[10] = std::to_string(buddyCount);
        row.columns[11] = std::to_string(losers);
        row.columns[12] = two(static_cast<double>(stacks));
        row.ownSeat = ownSeat;
        const int averageVpip = static_cast<int>(std::trunc(number(row.columns[5])));
        row.hidden = reads < settings.overallMinimumReads ||
                     averageVpip < settings.overallVpipMin || averageVpip > settings.overallVpipMax;
        out.tables.push_back(row);
    }

    for (const Record& r : records) {
        if (r.handCount > settings.minimumHands)
            ++known;
    }
    const double share =
        records.empty() ? 0.0
                        : 100.0 * static_cast<double>(known) / static_cast<double>(records.size());
    out.knownPlayers =
        "Knownplayer :" + two(share) + " %\nTables: " + std::to_string(out.tables.size());
    return out;
}

}  // namespace kestrova::test
