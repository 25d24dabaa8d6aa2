// A client font the shipped table does not know, learnt from lobby screenshots
// and the texts they show, must read every other row and seat list exactly.
#include "RandomLobby.h"
#include "client/ocr/FontLearner.h"
#include "sim/BitmapFont.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <set>

namespace kestrova::sim {
namespace {

using namespace testing;

// Every character the random texts use.
const std::string kCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_.'$/,:()";
constexpr int kTrainingRows = 20;
constexpr int kSelectedRow = 6;

std::vector<std::string> rowTexts(const LobbyTable& t) {
    return {t.name,
            t.game,
            t.stakes,
            LobbyRenderer::seatsText(t).toStdString(),
            t.extra,
            t.averagePot,
            std::to_string(t.waiting)};
}

// A screenshot of a random lobby: twenty rows, one selected with a full seat
// list; `texts` gets what a person would type for it.
Image randomScreenshot(RandomLobby& random, const LobbyRenderer& renderer, LobbyTexts& texts) {
    std::vector<LobbyTable> tables;
    for (int r = 0; r < kTrainingRows; ++r) {
        tables.push_back(random.table());
        texts.rows.push_back(rowTexts(tables.back()));
    }
    const RandomLobby::SeatList seats = random.seatList(8, 1);
    tables[kSelectedRow].players = seats.table.players;
    tables[kSelectedRow].waitlist = seats.table.waitlist;
    for (const SeatedPlayer& p : seats.table.players) {
        texts.seats.push_back({p.name, p.stack});
    }
    texts.seats.push_back({"Waiting:"});
    texts.seats.push_back({seats.table.waitlist.front()});
    LobbyState state(static_cast<int>(tables.size()));
    state.select(kSelectedRow);
    return LobbyRenderer::toImage(renderer.render(Lobby(tables), state));
}

// Characters the font draws with identical pixels read as one of them.
SameAs lookAlikesOf(const BitmapFont& font) {
    std::map<std::string, char> bySignature;
    std::map<char, char> canonical;
    for (const char c : kCharacters) {
        canonical[c] = bySignature.emplace(font.signatureOf(static_cast<char32_t>(c)), c).first->second;
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

TEST(FontLearning, TextsThatDoNotFitTheirPixelsAreReportedNotLearnt) {
    const BitmapFont font(QStringLiteral("Liberation Sans"), 12);
    const LobbyRenderer renderer(font);
    RandomLobby random(99, renderer);
    LobbyTexts texts;
    const Image capture = randomScreenshot(random, renderer, texts);
    texts.rows[15][0] += "x";                                        // one character too many
    texts.rows[17][0] = std::string(texts.rows[17][0].size(), 'W');  // a wrong reading
    texts.seats[2][1] = "7";                                         // chips misread
    const GlyphTable shipped = GlyphTable::load(KESTROVA_DATA_DIR "/ocr.txt");
    FontLearner learner(shipped);
    std::string problem;
    ASSERT_TRUE(learner.addCapture(capture, texts, nullptr, &problem)) << problem;
    const kestrova::FontLearning learnt = learner.learn();
    const std::string report = learnt.report();
    ASSERT_EQ(learnt.misfits.size(), 3u) << report;
    EXPECT_TRUE(learnt.misfits[0].starts_with("row 16: ")) << report;
    EXPECT_TRUE(learnt.misfits[1].starts_with("row 18: ")) << report;
    EXPECT_TRUE(learnt.misfits[2].starts_with("seat line 3: ")) << report;
    for (const GlyphTable::Entry& entry : learnt.entries) {
        if (entry.text == "W" || entry.text == "7") {
            EXPECT_EQ(entry.signature, font.signatureOf(static_cast<char32_t>(entry.text[0])));
        }
    }

    // Without a highlighted row the list cannot be found.
    const Image blank(LobbyRenderer::kWindowWidth, LobbyRenderer::kWindowHeight, 0xffffffffu);
    EXPECT_FALSE(FontLearner(shipped).addCapture(blank, texts, nullptr, &problem));
    EXPECT_NE(problem.find("no highlighted row"), std::string::npos) << problem;
}

// A user teaches from the lobby as it comes: random tables, each screenshot
// with a selected row and its seat list, until every character has been shown
// somewhere, mostly touching or overlapping its neighbours. Rows and seat
// lists never taught then read exactly, or "?" where the font cannot tell.
class TaughtFromScreenshots : public ::testing::TestWithParam<LobbyFont> {};

TEST_P(TaughtFromScreenshots, RowsAndSeatListsNeverTaughtReadExactly) {
    const LobbyFont& param = GetParam();
    const BitmapFont font(QString::fromLatin1(param.family), param.pixelSize,
                          {.kerning = param.kerning, .antialias = param.antialias});
    const LobbyRenderer renderer(font);
    RandomLobby random(20261207u + static_cast<unsigned>(param.pixelSize), renderer);
    const GlyphTable shipped = GlyphTable::load(KESTROVA_DATA_DIR "/ocr.txt");

    // The characters the random texts use; the learner names those it still lacks.
    const auto lacking = [](const kestrova::FontLearning& learning) {
        return std::any_of(learning.missing.begin(), learning.missing.end(),
                           [](const std::string& c) { return c != "-"; });
    };
    FontLearner learner(shipped);
    int screenshots = 0;
    while ((screenshots == 0 || lacking(learner.learn())) && screenshots < 12) {
        LobbyTexts texts;
        const Image screenshot = randomScreenshot(random, renderer, texts);
        std::string problem;
        ASSERT_TRUE(learner.addCapture(screenshot, texts, nullptr, &problem)) << problem;
        ++screenshots;
    }
    const kestrova::FontLearning learnt = learner.learn();
    EXPECT_FALSE(lacking(learnt)) << learnt.report();
    GlyphTable glyphs = shipped;
    for (const GlyphTable::Entry& entry : learnt.entries) {
        glyphs.add(entry.signature, entry.text);
    }
    const SameAs same = lookAlikesOf(font);
    constexpr int kLobbies = 8;  // 25 rows each
    constexpr int kSeatLists = 40;
    const int quiet = std::getenv("KESTROVA_SHOW_MISREADS") == nullptr ? 0 : 15;
    const int rowMisses = rowMismatches(random, renderer, glyphs, kLobbies, same, quiet);
    RandomLobby lists(7u, renderer);
    const int seatMisses = seatMismatches(lists, renderer, glyphs, kSeatLists, same, quiet);
    std::cout << param.family << " " << param.pixelSize << " px" << (param.kerning ? " kerning" : "")
              << (param.antialias ? " smoothed" : "") << ": " << screenshots
              << " screenshot(s), rows read exactly " << kLobbies * 25 - rowMisses << "/"
              << kLobbies * 25 << ", seat lines misread " << seatMisses << "\n"
              << learnt.report();
    EXPECT_LE(rowMisses, kLobbies * 25 * 3 / 100);
    EXPECT_LE(seatMisses, kSeatLists * 10 * 3 / 100);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, TaughtFromScreenshots,
    ::testing::Values(LobbyFont{"Liberation Sans", 11, false},
                      LobbyFont{"Liberation Sans", 12, true},
                      LobbyFont{"Liberation Serif", 12, false},
                      LobbyFont{"DejaVu Serif", 13, true},
                      LobbyFont{"Liberation Serif", 10, false},
                      LobbyFont{"DejaVu Sans", 10, true},
                      LobbyFont{"Liberation Sans", 13, true},
                      LobbyFont{"DejaVu Sans", 11, false, true},
                      LobbyFont{"Liberation Sans", 12, false, true},
                      LobbyFont{"DejaVu Serif", 12, false, true}),
    lobbyFontName);


}  // namespace
}  // namespace kestrova::sim
