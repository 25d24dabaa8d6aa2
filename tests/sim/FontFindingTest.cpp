// A lobby drawn in an installed font nobody named is read with nothing typed:
// the font is found from one capture, its table drawn, and other rows and seat
// lists read back with it alone.
#include "RandomLobby.h"
#include "client/fonts/FontFinder.h"
#include "sim/BitmapFont.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

namespace kestrova::sim {
namespace {

using namespace testing;

// A capture of a random lobby with a row selected and its seat list shown.
Image lobbyCapture(RandomLobby& random, const LobbyRenderer& renderer) {
    std::vector<LobbyTable> tables;
    for (int r = 0; r < 20; ++r) {
        tables.push_back(random.table());
    }
    const RandomLobby::SeatList seats = random.seatList(7, 2);
    tables[5].players = seats.table.players;
    tables[5].waitlist = seats.table.waitlist;
    LobbyState state(static_cast<int>(tables.size()));
    state.select(5);
    return LobbyRenderer::toImage(renderer.render(Lobby(tables), state));
}

// Texts compared with the characters a font draws alike folded into one.
SameAs foldingAlike(const GlyphTable& table) {
    std::map<char, char> canonical;
    for (const std::string& group : table.settings().alike) {
        for (const char c : group) {
            canonical[c] = group.front();
        }
    }
    return [canonical](const std::string& text) {
        std::string out = text;
        for (char& c : out) {
            if (const auto it = canonical.find(c); it != canonical.end()) {
                c = it->second;
            }
        }
        return out;
    };
}

GlyphTable tableOf(const FontFit& fit) {
    std::istringstream in(tableFileText(fit.entries));
    return GlyphTable::parse(in);
}

class FoundFont : public ::testing::TestWithParam<LobbyFont> {
protected:
    static const std::vector<FontFace>& installed() {
        static const std::vector<FontFace> faces = InstalledFonts::list();
        return faces;
    }
};

TEST_P(FoundFont, ReadsRowsAndSeatListsItWasNeverShown) {
    const LobbyFont& param = GetParam();
    const BitmapFont font(QString::fromLatin1(param.family), param.pixelSize,
                          {.kerning = param.kerning, .antialias = param.antialias});
    const LobbyRenderer renderer(font);
    RandomLobby random(4711u + static_cast<unsigned>(param.pixelSize), renderer);

    std::string problem;
    const std::optional<FontFit> fit =
        FontFinder(installed()).find(lobbyCapture(random, renderer), nullptr, &problem);
    ASSERT_TRUE(fit) << problem;
    EXPECT_EQ(fit->choice.pixelSize, param.pixelSize) << fit->describe();
    EXPECT_EQ(fit->choice.smoothing == Smoothing::Grey, param.antialias) << fit->describe();

    const GlyphTable table = tableOf(*fit);
    const SameAs same = foldingAlike(table);
    const int quiet = std::getenv("KESTROVA_SHOW_MISREADS") == nullptr ? 0 : 15;
    const int rowMisses = rowMismatches(random, renderer, table, 2, same, quiet);  // 50 rows
    RandomLobby lists(99u, renderer);
    const int seatMisses = seatMismatches(lists, renderer, table, 10, same, quiet);
    std::cout << param.family << " " << param.pixelSize << " px" << (param.kerning ? " kerned" : "")
              << (param.antialias ? " smoothed" : "") << ": found " << fit->describe() << ", "
              << fit->corrected << " shapes from the capture, " << fit->facesTried << " faces, "
              << fit->tablesDrawn << " tables; rows misread " << rowMisses
              << "/50, seat lines misread " << seatMisses << "\n";
    EXPECT_LE(rowMisses, 1);
    EXPECT_LE(seatMisses, 2);

    // Finding it again gives the same table, byte for byte.
    RandomLobby again(4711u + static_cast<unsigned>(param.pixelSize), renderer);
    const std::optional<FontFit> second =
        FontFinder(installed()).find(lobbyCapture(again, renderer), nullptr, &problem);
    ASSERT_TRUE(second) << problem;
    EXPECT_EQ(tableFileText(second->entries), tableFileText(fit->entries));
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, FoundFont,
    ::testing::Values(LobbyFont{"DejaVu Sans", 11}, LobbyFont{"Liberation Serif", 12},
                      LobbyFont{"Liberation Sans", 12, true}, LobbyFont{"DejaVu Serif", 13},
                      LobbyFont{"FreeSans", 12}, LobbyFont{"Carlito", 13, true},
                      LobbyFont{"DejaVu Sans", 11, false, true},
                      LobbyFont{"DejaVu Serif", 13, false, true},
                      LobbyFont{"Tinos", 12, false, true},
                      LobbyFont{"Lato", 12, false, true}, LobbyFont{"Tinos", 11}),
    lobbyFontName);

TEST(FontFinding, RefusesALobbyNoInstalledFontDraws) {
    // The simulator's lobby in DejaVu Sans, searched among fonts that are not it.
    const BitmapFont font(QStringLiteral("DejaVu Sans"), 12);
    const LobbyRenderer renderer(font);
    RandomLobby random(5u, renderer);
    std::vector<FontFace> others;
    for (const FontFace& face : InstalledFonts::list()) {
        if (face.family.find("DejaVu") == std::string::npos) {
            others.push_back(face);
        }
    }
    std::string problem;
    EXPECT_FALSE(FontFinder(others).find(lobbyCapture(random, renderer), nullptr, &problem));
    EXPECT_NE(problem.find("no installed font"), std::string::npos) << problem;

    const Image blank(LobbyRenderer::kWindowWidth, LobbyRenderer::kWindowHeight, 0xffffffffu);
    EXPECT_FALSE(FontFinder(others).find(blank, nullptr, &problem));
    EXPECT_NE(problem.find("no text"), std::string::npos) << problem;
}

}  // namespace
}  // namespace kestrova::sim
