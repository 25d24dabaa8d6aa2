// Everything the simulator draws must come back exactly through the recogniser
// with the shipped glyph table: random rows and seat lists, fixed seeds.
#include "RandomLobby.h"
#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "client/ocr/LobbyPageReader.h"
#include "client/ocr/SeatReader.h"
#include "sim/BitmapFont.h"
#include "sim/LobbyRenderer.h"
#include "sim/LobbyState.h"

#include <gtest/gtest.h>

#include <map>

#include <sstream>

namespace kestrova::sim {
namespace {

using testing::RandomLobby;

constexpr unsigned kLobbySeed = 20240611;
constexpr unsigned kSeatSeed = 7071;
constexpr int kTablesPerLobby = 25;
constexpr int kLobbies = 40;  // 1,000 rows
constexpr int kSeatLists = 1000;
constexpr int kReportedFailures = 15;

class RecognitionAccuracy : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        glyphs_ = new GlyphTable(GlyphTable::load(KESTROVA_DATA_DIR "/ocr.txt"));
        font_ = new BitmapFont();
    }
    static void TearDownTestSuite() {
        delete glyphs_;
        delete font_;
    }

    static GlyphTable* glyphs_;
    static BitmapFont* font_;
};

GlyphTable* RecognitionAccuracy::glyphs_ = nullptr;
BitmapFont* RecognitionAccuracy::font_ = nullptr;

std::string describe(const LobbyEntry& e) {
    std::ostringstream out;
    out << "[" << e.name << "|" << e.game << "|" << e.stakes << "|" << e.players << "/" << e.seats
        << "|" << e.extra << "|" << e.averagePot << "|" << e.limitKind << "]";
    return out.str();
}

TEST_F(RecognitionAccuracy, EveryLobbyRowReadsBackExactly) {
    ASSERT_FALSE(glyphs_->empty());
    const LobbyRenderer renderer(*font_);
    RandomLobby random(kLobbySeed, renderer);
    const LobbyGeometry geometry = LobbyGeometry::fromListWindow(
        Rect{0, LobbyRenderer::kListWindowTop, LobbyRenderer::kWindowWidth,
             LobbyRenderer::kWindowHeight});
    int rows = 0;
    int failures = 0;
    for (int l = 0; l < kLobbies; ++l) {
        std::vector<LobbyTable> tables;
        for (int t = 0; t < kTablesPerLobby; ++t)
            tables.push_back(random.table());
        const Lobby lobby(tables);
        LobbyState state(lobby.size());
        for (int row = 0; row < lobby.size(); ++row) {
            ++rows;
            state.select(row);
            const Image capture = LobbyRenderer::toImage(renderer.render(lobby, state));
            const LobbyPageReading reading = readLobbyPage(capture, geometry, *glyphs_);
            const LobbyTable& drawn = tables[static_cast<std::size_t>(row)];
            LobbyEntry expected{drawn.name,       drawn.game,   drawn.stakes, drawn.extra,
                                drawn.averagePot, {},           drawn.seated, drawn.seats};
            // The filter's limit kind: the shipped glyphs must read the type column.
            static const std::map<std::string, std::string> kinds = {
                {"FL", "Limit"}, {"NL", "No Limit"}, {"PL", "Pot Limit"}};
            const auto kind = kinds.find(expected.extra);
            expected.limitKind = kind == kinds.end() ? "" : kind->second;
            const bool ok = reading.firstLineFits && reading.selected.has_value() &&
                            *reading.selected == expected;
            if (!ok && ++failures <= kReportedFailures) {
                ADD_FAILURE() << "seed " << kLobbySeed << ", lobby " << l << ", row " << row
                              << ": drew " << describe(expected) << ", read "
                              << (reading.selected ? describe(*reading.selected) : "nothing");
            }
        }
    }
    EXPECT_EQ(failures, 0) << "of " << rows << " rows";
    EXPECT_EQ(rows, 1000);
}

TEST_F(RecognitionAccuracy, EverySeatListReadsBackExactly) {
    ASSERT_FALSE(glyphs_->empty());
    const LobbyRenderer renderer(*font_);
    RandomLobby random(kSeatSeed, renderer);
    int failures = 0;
    int lines = 0;
    for (int n = 0; n < kSeatLists; ++n) {
        const RandomLobby::SeatList seats = random.seatList(random.below(11));
        SeatReading reading;
        readSeats(LobbyRenderer::toImage(renderer.render(Lobby({seats.table}), LobbyState(1))),
                  *glyphs_, reading);
        // Every line with text moves the seat index on by two.
        for (std::size_t i = 0; i < seats.names.size(); ++i) {
            ++lines;
            const std::string& name = reading.names[2 * i];
            const std::string& chips = reading.chips[2 * i];
            if ((name != seats.names[i] || chips != seats.chips[i]) &&
                ++failures <= kReportedFailures) {
                ADD_FAILURE() << "seed " << kSeatSeed << ", list " << n << ", line " << i
                              << ": drew [" << seats.names[i] << "|"
                              << (i < seats.table.players.size() ? seats.table.players[i].stack
                                                                 : "")
                              << "] expecting chips [" << seats.chips[i] << "], read [" << name
                              << "|" << chips << "]";
            }
        }
    }
    EXPECT_EQ(failures, 0) << "of " << lines << " lines";
}

}  // namespace
}  // namespace kestrova::sim
