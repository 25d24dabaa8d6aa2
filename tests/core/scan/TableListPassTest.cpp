#include "scan/TableListPass.h"

#include "Printers.h"
#include "RecordingObserver.h"
#include "ShippedGlyphs.h"
#include "SimLobbies.h"
#include "client/Win32Messages.h"
#include "common/Clock.h"
#include "scan/ClientWaits.h"
#include "scan/ScanObserver.h"
#include "sim/SimulatedClient.h"

#include <gtest/gtest.h>


using namespace kestrova;
using Sent = sim::SimulatedClient::SentMessage;

namespace {

class TableListPassTest : public ::testing::Test {
protected:
    std::vector<std::string> names(const LobbyEntryList& entries) const {
        std::vector<std::string> out;
        for (const LobbyEntry& e : entries.entries())
            out.push_back(e.name);
        return out;
    }

    GlyphTable glyphs = test::shippedGlyphs();
    ManualClock clock;
    test::RecordingObserver observer;
};

}  // namespace

// Restore, click into the list, Home, then one Down per row read: the rows,
// then the repeated last row that ends the walk.
TEST_F(TableListPassTest, ReadsEveryRowOfALobbyLongerThanOnePage) {
    sim::SimulatedClient client(test::makeLobby(45));
    client.setMinimised(true);  // restored by the pass
    PassContext context{client, clock, glyphs, observer};
    LobbyEntryList entries;
    ASSERT_EQ(TableListPass(context).run(entries), PassEnd::EndOfList);

    std::vector<std::string> expected;
    for (const sim::LobbyTable& t : client.lobby().tables())
        expected.push_back(t.name);
    EXPECT_EQ(names(entries), expected);
    EXPECT_TRUE(observer.messages.empty());
    ASSERT_NE(entries.find("Table 10"), nullptr);
    // clang-format off
    const LobbyEntry table10{.name = "Table 10", .game = "Hold'em", .stakes = "$10/$20",
                             .extra = "Fast", .averagePot = "$100.50", .players = 5, .seats = 6};
    // clang-format on
    EXPECT_EQ(*entries.find("Table 10"), table10);

    const auto& sent = client.messages();
    const WindowId list = client.listWindow();
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(sent[0], (Sent{list, win32::WM_LBUTTONDOWN, 0, 0x012C00C8}));
    EXPECT_EQ(sent[1], (Sent{list, win32::WM_LBUTTONUP, 0, 0x012C00C8}));
    EXPECT_EQ(sent[2], (Sent{list, win32::WM_KEYDOWN, 0x24, 0}));
    EXPECT_EQ(sent[3], (Sent{list, win32::WM_KEYUP, 0x24, 0}));
    int downs = 0;
    for (std::size_t i = 4; i + 1 < sent.size(); i += 2, ++downs) {
        EXPECT_EQ(sent[i], (Sent{list, win32::WM_KEYDOWN, 0x28, 0}));
        EXPECT_EQ(sent[i + 1], (Sent{list, win32::WM_KEYUP, 0x28, 0}));
    }
    // Down on the last row moves nothing: it is not sent again.
    EXPECT_EQ(downs, observer.rounds - 1);
    // 500 ms after restoring, 200 ms after the click, 200 ms after every Down.
    // Home on the first row and Down on the last move nothing: the highlight
    // is looked for until the bound.
    EXPECT_EQ(clock.totalMs(), 500 + 200 + downs * 200 + 2 * ClientWaits::kHighlightBoundMs);
    EXPECT_EQ(observer.lobbyRect.width(), sim::LobbyRenderer::kWindowWidth);
}

TEST_F(TableListPassTest, CancelKeepsWhatWasReadAndAnEmptyLobbyEnds) {
    sim::SimulatedClient client(test::makeLobby(20));
    observer.cancelAfterRounds = 5;
    PassContext context{client, clock, glyphs, observer};
    LobbyEntryList entries;
    EXPECT_EQ(TableListPass(context).run(entries), PassEnd::Cancelled);
    EXPECT_EQ(entries.entries().size(), 5u);

    sim::SimulatedClient empty{sim::Lobby{}};
    test::RecordingObserver fresh;
    PassContext emptyContext{empty, clock, glyphs, fresh};
    LobbyEntryList none;
    ASSERT_EQ(TableListPass(emptyContext).run(none), PassEnd::EndOfList);
    EXPECT_TRUE(none.empty());
}
