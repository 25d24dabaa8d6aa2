#pragma once

#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "client/ocr/LobbyPageReader.h"
#include "client/ocr/SeatReader.h"
#include "sim/Lobby.h"
#include "sim/LobbyRenderer.h"
#include "sim/LobbyState.h"

#include <gtest/gtest.h>
#include <QString>

#include <functional>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace kestrova::sim::testing {

// Random lobby texts that stress the recogniser: look-alike letters (l, I, 1),
// letter pairs that can merge (rn, m), digits, underscores, dots, spaces and
// apostrophes, dollar amounts and chip counts in every separator style. Every
// text fits where the renderer puts it.
class RandomLobby {
public:
    struct Chips {
        std::string shown;     // as the client draws it
        std::string expected;  // as the seat reader gives it back
    };

    RandomLobby(unsigned seed, const LobbyRenderer& renderer) : rng_(seed), renderer_(renderer) {}

    std::string name(bool seatList) {
        for (;;) {
            std::string text = rawName();
            const QString q = QString::fromStdString(text);
            if (seatList ? renderer_.fitsSeatName(q)
                         : renderer_.fitsColumn(LobbyRenderer::Column::Name, q)) {
                return text;
            }
        }
    }

    std::string game() {
        static const char* const games[] = {"Hold'em",   "Omaha", "Stud",  "Razz",
                                            "Omaha H/L", "Draw",  "Badugi"};
        return fitting(LobbyRenderer::Column::Game, [this] { return pick(games); });
    }

    std::string extra() {
        static const char* const extras[] = {"NL", "PL", "FL", "Turbo", "Fast", "Cap", "(6)"};
        return fitting(LobbyRenderer::Column::Extra, [this] { return pick(extras); });
    }

    std::string dollars() {
        switch (below(4)) {
            case 0:
                return "$0." + twoDigits();
            case 1:
                return "$" + std::to_string(1 + below(100));
            case 2:
                return "$" + std::to_string(below(1000)) + "." + twoDigits();
            default:
                return "$" + std::to_string(1 + below(99)) + "," + threeDigits() + "." +
                       twoDigits();
        }
    }

    std::string stakes() {
        return fitting(LobbyRenderer::Column::Stakes,
                       [this] { return dollars() + "/" + dollars(); });
    }

    std::string averagePot() {
        return fitting(LobbyRenderer::Column::AveragePot, [this] { return dollars(); });
    }

    Chips chips() {
        const int whole = below(4) == 0 ? below(1000) : below(10'000'000);
        const std::string cents = twoDigits();
        const std::string digits = std::to_string(whole);
        switch (below(6)) {
            case 0:  // "1,250"
                return {grouped(digits, ','), digits};
            case 1:  // "$12.50", "$1,234.56"
                return {"$" + grouped(digits, ',') + "." + cents, digits + "." + cents};
            case 2:  // "12,50"
                return {digits + "," + cents, digits + "." + cents};
            case 3:  // "3.400,75"
                return {grouped(digits, '.') + "," + cents, digits + "." + cents};
            case 4:  // "1,234.56"
                return {grouped(digits, ',') + "." + cents, digits + "." + cents};
            default:  // "$850"
                return {"$" + digits, digits};
        }
    }

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(rng_); }

    LobbyTable table() {
        LobbyTable t;
        t.name = name(false);
        t.game = game();
        t.stakes = stakes();
        t.seats = 2 + below(9);
        t.seated = below(12);
        t.extra = extra();
        t.averagePot = averagePot();
        t.waiting = below(20);
        return t;
    }

    // A table's seat list, and the lines the seat reader must give back: names
    // and normalised chips, then "Waiting:" and the waiting players while lines
    // are left. A negative count of waiting players draws one below 4.
    struct SeatList {
        LobbyTable table;
        std::vector<std::string> names;
        std::vector<std::string> chips;
    };
    SeatList seatList(int seated, int waiting = -1) {
        SeatList list;
        list.table.name = "T";
        for (int p = 0; p < seated; ++p) {
            Chips drawn = chips();
            list.names.push_back(name(true));
            if (!renderer_.fitsSeatChips(QString::fromStdString(drawn.shown)))
                drawn = {"1,250", "1250"};
            list.table.players.push_back({list.names.back(), drawn.shown});
            list.chips.push_back(drawn.expected);
        }
        if (seated < LobbyRenderer::kSeatLines) {
            list.names.push_back("Waiting:");
            list.chips.push_back("");
            for (int w = 0, n = waiting < 0 ? below(4) : waiting; w < n; ++w) {
                list.table.waitlist.push_back(name(true));
                if (static_cast<int>(list.names.size()) < LobbyRenderer::kSeatLines) {
                    list.names.push_back(list.table.waitlist.back());
                    list.chips.push_back("");
                }
            }
        }
        return list;
    }

private:
    template <class Draw>
    std::string fitting(LobbyRenderer::Column column, Draw draw) {
        for (;;) {
            std::string text = draw();
            if (renderer_.fitsColumn(column, QString::fromStdString(text)))
                return text;
        }
    }

    template <std::size_t N>
    std::string pick(const char* const (&options)[N]) {
        return options[below(static_cast<int>(N))];
    }

    std::string twoDigits() {
        const int n = below(100);
        return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
    }

    std::string threeDigits() { return std::to_string(below(10)) + twoDigits(); }

    static std::string grouped(const std::string& digits, char separator) {
        std::string out;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0) {
                out.push_back(separator);
            }
            out.push_back(digits[i]);
        }
        return out;
    }

    std::string rawName() {
        static const std::string lookAlikes = "lI1rnmrnrnlIl1";
        static const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        static const std::string digits = "0123456789";
        static const std::string marks = "_.' ";
        const int length = 1 + below(14);
        std::string text;
        while (static_cast<int>(text.size()) < length) {
            const int kind = below(20);
            const std::string& pool = kind < 8    ? lookAlikes
                                      : kind < 14 ? letters
                                      : kind < 17 ? digits
                                                  : marks;
            const char c = pool[static_cast<std::size_t>(below(static_cast<int>(pool.size())))];
            // Names are trimmed and a run of blanks reads as one.
            if (c == ' ' && (text.empty() || text.back() == ' ')) {
                continue;
            }
            text.push_back(c);
        }
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        return text.empty() ? "x" : text;
    }

    std::mt19937 rng_;
    const LobbyRenderer& renderer_;
};

// A font the simulated lobby is drawn in, as a test parameter.
struct LobbyFont {
    const char* family;
    int pixelSize;
    bool kerning = false;
    bool antialias = false;
};

inline void PrintTo(const LobbyFont& font, std::ostream* out) {
    *out << font.family << " " << font.pixelSize << " px" << (font.kerning ? " kerned" : "")
         << (font.antialias ? " smoothed" : "");
}

// "LiberationSans12KernedSmoothed": the parameter's name in the test's name.
inline std::string lobbyFontName(const ::testing::TestParamInfo<LobbyFont>& font) {
    std::string name;
    for (const char* c = font.param.family; *c != '\0'; ++c) {
        if (*c != ' ')
            name += *c;
    }
    return name + std::to_string(font.param.pixelSize) + (font.param.kerning ? "Kerned" : "") +
           (font.param.antialias ? "Smoothed" : "");
}

// Texts as compared: a font that draws two characters alike may read either.
using SameAs = std::function<std::string(const std::string&)>;
constexpr int kReportedMismatches = 15;

inline std::string describe(const LobbyEntry& e) {
    return e.name + "|" + e.game + "|" + e.stakes + "|" + std::to_string(e.players) + "/" +
           std::to_string(e.seats) + "|" + e.extra + "|" + e.averagePot + "|" + e.limitKind;
}

// Lobbies of 25 random rows, each row selected in turn and read back with
// `glyphs`; returns the rows read otherwise than drawn, the first few reported.
inline int rowMismatches(RandomLobby& random, const LobbyRenderer& renderer,
                         const GlyphTable& glyphs, int lobbies, const SameAs& same,
                         int reported = kReportedMismatches) {
    static const std::map<std::string, std::string> kinds = {
        {"FL", "Limit"}, {"NL", "No Limit"}, {"PL", "Pot Limit"}};
    const LobbyGeometry geometry = LobbyGeometry::fromListWindow(
        Rect{0, LobbyRenderer::kListWindowTop, LobbyRenderer::kWindowWidth,
             LobbyRenderer::kWindowHeight});
    int mismatches = 0;
    for (int l = 0; l < lobbies; ++l) {
        std::vector<LobbyTable> tables;
        for (int t = 0; t < 25; ++t)
            tables.push_back(random.table());
        const Lobby lobby(tables);
        LobbyState state(lobby.size());
        for (std::size_t row = 0; row < tables.size(); ++row) {
            state.select(static_cast<int>(row));
            const LobbyPageReading reading = readLobbyPage(
                LobbyRenderer::toImage(renderer.render(lobby, state)), geometry, glyphs);
            const LobbyTable& t = tables[row];
            const auto kind = kinds.find(t.extra);
            const LobbyEntry drawn{t.name,   t.game,       t.stakes,
                                   t.extra,  t.averagePot, kind == kinds.end() ? "" : kind->second,
                                   t.seated, t.seats};
            const std::string read = reading.selected ? describe(*reading.selected) : "nothing";
            if ((!reading.firstLineFits || same(read) != same(describe(drawn))) &&
                ++mismatches <= reported)
                ADD_FAILURE() << "lobby " << l << ", row " << row << ": drew [" << describe(drawn)
                              << "], read [" << read << "]";
        }
    }
    return mismatches;
}

// Random seat lists read back with `glyphs`: names as `same` compares them,
// chips exactly; returns the lines read otherwise, the first few reported.
inline int seatMismatches(RandomLobby& random, const LobbyRenderer& renderer,
                          const GlyphTable& glyphs, int lists, const SameAs& same,
                          int reported = kReportedMismatches) {
    int mismatches = 0;
    for (int n = 0; n < lists; ++n) {
        const RandomLobby::SeatList seats = random.seatList(random.below(11));
        SeatReading reading;
        readSeats(LobbyRenderer::toImage(renderer.render(Lobby({seats.table}), LobbyState(1))),
                  glyphs, reading);
        // Every line with text moves the seat index on by two.
        for (std::size_t i = 0; i < seats.names.size(); ++i) {
            const std::string& name = reading.names[2 * i];
            const std::string& chips = reading.chips[2 * i];
            if ((same(name) != same(seats.names[i]) || chips != seats.chips[i]) &&
                ++mismatches <= reported)
                ADD_FAILURE() << "seat list " << n << ", line " << i << ": drew [" << seats.names[i]
                              << "|" << seats.chips[i] << "], read [" << name << "|" << chips
                              << "]";
        }
    }
    return mismatches;
}

}  // namespace kestrova::sim::testing
