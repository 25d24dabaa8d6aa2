#include "scan/ClientWaits.h"

#include "FailingCaptures.h"
#include "FakeLookup.h"
#include "RecordingObserver.h"
#include "ShippedGlyphs.h"
#include "SimLobbies.h"
#include "TroubledClient.h"
#include "client/Win32Messages.h"
#include "common/Clock.h"
#include "scan/ScanObserver.h"
#include "scan/TableListPass.h"
#include "scan/TableScanPass.h"
#include "sim/SimulatedClient.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kestrova;

namespace {

// "table/name/stack" of every player found, in order.
std::vector<std::string> seenBy(const test::RecordingObserver& observer) {
    std::vector<std::string> seen;
    for (const auto& r : observer.players)
        seen.push_back(r->table + "/" + r->name + "/" + r->stack);
    return seen;
}

struct ScanRun {
    std::vector<std::string> seen;
    long long waitedMs = 0;
};

class ClientWaitsTest : public ::testing::Test {
protected:
    std::vector<std::string> tableList(const sim::ClientLatency& latency, bool adaptive,
                                       long long& waitedMs, int tables = 30) {
        sim::SimulatedClient client(test::makeLobby(tables));
        ManualClock clock;
        client.setLatency(latency, [&clock] { return clock.totalMs(); });
        test::RecordingObserver observer;
        PassContext context{client, clock, glyphs, observer, adaptive};
        LobbyEntryList entries;
        EXPECT_EQ(TableListPass(context).run(entries), PassEnd::EndOfList);
        waitedMs = clock.totalMs();
        std::vector<std::string> names;
        for (const LobbyEntry& e : entries.entries())
            names.push_back(e.name + " " + std::to_string(e.players));
        return names;
    }

    ScanRun scanAll(const sim::ClientLatency& latency, bool adaptive, int tables = 8,
                    const LobbyFilter& filter = {}) {
        sim::SimulatedClient client(test::makeLobby(tables));
        client.setDrawingWatched(watched);
        ManualClock clock;
        client.setLatency(latency, [&clock] { return clock.totalMs(); });
        test::RecordingObserver observer;
        test::FakeLookup lookup;
        ScanState state;
        lookup.cache = &state.records;
        PassContext context{client, clock, glyphs, observer, adaptive};
        const PassEnd end =
            TableScanPass(context, lookup, state, filter).scanAll(std::nullopt);
        EXPECT_EQ(end, PassEnd::EndOfList);
        EXPECT_TRUE(observer.messages.empty());
        return {seenBy(observer), clock.totalMs()};
    }

    GlyphTable glyphs = test::shippedGlyphs();
    // Whether the client's drawing wakes the waits (X11) or they poll (Win32).
    bool watched = true;
};

}  // namespace

TEST_F(ClientWaitsTest, AdaptiveScanReadsWhatTheFixedScanReadsInAFractionOfTheTime) {
    // Names come well before their chips, so a stable but half-drawn list
    // shows in several consecutive captures.
    const sim::ClientLatency slow{30, 300, 150};
    const ScanRun settled = scanAll({}, false);
    const ScanRun fixed = scanAll(slow, false);
    ASSERT_EQ(settled.seen.size(), 36u);
    EXPECT_EQ(fixed.seen, settled.seen);
    for (const bool watching : {true, false}) {
        watched = watching;
        const ScanRun adaptive = scanAll(slow, true);
        EXPECT_EQ(adaptive.seen, settled.seen) << watching;
        EXPECT_LT(adaptive.waitedMs * 2, fixed.waitedMs) << watching;
    }

    // Seats later than the fixed wait: both modes read at the bound and agree.
    const sim::ClientLatency tooSlow{30, 1250, 100};
    EXPECT_EQ(scanAll(tooSlow, true, 6).seen, scanAll(tooSlow, false, 6).seen);
}

// Rows the filter passes over (six-max tables, one showing more players than
// seats, empty ones) cost an adaptive scan the client's own time, not the
// fixed wait for the row after them.
TEST_F(ClientWaitsTest, PassedOverRowsCostOnlyTheClientsTime) {
    const sim::ClientLatency slow{30, 300, 150};
    LobbyFilter noSixMax;
    noSixMax.sixMax = false;
    const int tables = 16;
    const ScanRun fixed = scanAll(slow, false, tables, noSixMax);
    for (const bool watching : {true, false}) {
        watched = watching;
        const ScanRun adaptive = scanAll(slow, true, tables, noSixMax);
        EXPECT_EQ(adaptive.seen, fixed.seen) << watching;
        // Within what the client itself takes for every row, the passed-over
        // rows included: a fixed wait after each of them would far exceed it.
        const long long clientsOwnMs = tables * (30 + 300 + 150);
        EXPECT_LT(adaptive.waitedMs, clientsOwnMs) << watching;
    }
}

// The first look for a seat list goes where the client drew the last one. A
// client that turns slower (chips long after the names) or faster in the
// middle of a scan is still read as the settled lobby reads.
TEST_F(ClientWaitsTest, ClientChangingItsPaceMidScanIsReadWhole) {
    // A virtual clock that changes the client's pace at given times.
    class PacedClock final : public Clock {
    public:
        std::vector<std::pair<long long, sim::ClientLatency>> paces;
        sim::SimulatedClient* client = nullptr;
        void sleepMs(int ms) override {
            totalMs_ += ms;
            while (!paces.empty() && paces.front().first <= totalMs_) {
                client->setLatency(paces.front().second, [this] { return totalMs_; });
                paces.erase(paces.begin());
            }
        }
        long long nowMs() const override { return totalMs_; }

    private:
        long long totalMs_ = 0;
    };

    const ScanRun settled = scanAll({}, false, 16);
    for (const bool watching : {true, false}) {
        sim::SimulatedClient client(test::makeLobby(16));
        client.setDrawingWatched(watching);
        PacedClock clock;
        clock.client = &client;
        clock.paces = {{1500, {30, 700, 250}}, {3500, {10, 100, 0}}, {4000, {40, 500, 0}}};
        client.setLatency({30, 300, 0}, [&clock] { return clock.nowMs(); });
        test::RecordingObserver observer;
        test::FakeLookup lookup;
        ScanState state;
        lookup.cache = &state.records;
        PassContext context{client, clock, glyphs, observer, true};
        EXPECT_EQ(TableScanPass(context, lookup, state, LobbyFilter()).scanAll(std::nullopt),
                  PassEnd::EndOfList);
        EXPECT_TRUE(clock.paces.empty())
            << watching << " the scan ended before the last change " << clock.nowMs();
        EXPECT_EQ(seenBy(observer), settled.seen) << watching;
    }
}

// Polling, the look that confirms a new seat list comes soon after the first
// once the client has shown that it draws its lists whole, not before.
TEST_F(ClientWaitsTest, PollingConfirmsSoonerAtAClientThatDrawsListsWhole) {
    watched = false;
    const int tables = 24;
    const ScanRun fixed = scanAll({}, false, tables);
    const ScanRun whole = scanAll({30, 300, 0}, true, tables);
    EXPECT_EQ(whole.seen, fixed.seen);
    // Two looks kPollMs apart for every table take longer than this.
    EXPECT_LT(whole.waitedMs, tables * (330 + ClientWaits::kPollMs / 2));
    // Names first, chips later: every list gets its two looks kPollMs apart.
    const ScanRun inSteps = scanAll({30, 300, 40}, true, tables);
    EXPECT_EQ(inSteps.seen, fixed.seen);
    EXPECT_GE(inSteps.waitedMs, tables * (340 + ClientWaits::kPollMs));
}

// A client that redraws a seat list (here adding its last player) sooner after
// it first looks complete than the next look: the pass waits for two equal
// looks and reads the final list, not the first.
TEST_F(ClientWaitsTest, SeatListRedrawnAfterItLooksCompleteIsReadAsRedrawn) {
    const ScanRun settled = scanAll({}, false, 16);
    const sim::ClientLatency redrawn{30, 300, 150, ClientWaits::kPollMs / 2};
    EXPECT_EQ(scanAll(redrawn, false, 16).seen, settled.seen);
    for (const bool watching : {true, false}) {
        watched = watching;
        EXPECT_EQ(scanAll(redrawn, true, 16).seen, settled.seen) << watching;
    }
}

TEST_F(ClientWaitsTest, TableListWaitsForTheHighlightOnly) {
    long long fixedMs = 0;
    long long adaptiveMs = 0;
    const std::vector<std::string> fixed = tableList({30, 300, 0}, false, fixedMs);
    ASSERT_EQ(fixed.size(), 30u);
    EXPECT_EQ(tableList({30, 300, 0}, true, adaptiveMs), fixed);
    EXPECT_LT(adaptiveMs * 2, fixedMs);
}

// Home on the first row and Down on the last move nothing: the walk neither
// waits for them nor presses Down on a last row that the page shows. Where
// the list is longer than the page, the end costs one wait of the learnt
// delay, and the start a Down that makes Home move. A lobby that is not
// minimised costs no wait to bring it up, and the click only its drawing.
TEST_F(ClientWaitsTest, KeysThatMoveNothingCostNoWait) {
    for (const int tables : {16, 30}) {
        sim::SimulatedClient client(test::makeLobby(tables));
        ManualClock clock;
        client.setLatency({30, 300, 0}, [&clock] { return clock.totalMs(); });
        test::RecordingObserver observer;
        PassContext context{client, clock, glyphs, observer, true};
        LobbyEntryList entries;
        EXPECT_EQ(TableListPass(context).run(entries), PassEnd::EndOfList);
        EXPECT_EQ(entries.entries().size(), static_cast<std::size_t>(tables));
        const long long clickMs = 30 + ClientWaits::kPollMs;
        EXPECT_LT(clock.totalMs(), clickMs + tables * (30 + 2 * ClientWaits::kPollMs))
            << tables;
        int downs = 0;
        for (const auto& m : client.messages())
            downs += m.message == win32::WM_KEYDOWN && m.wParam == win32::VK_DOWN;
        EXPECT_EQ(downs, tables < 21 ? tables - 1 : tables + 1) << tables;
    }
}

// A busy client draws the highlight after the fixed wait. The walk reads the
// row when it has moved: read before, it was read twice (the first time with
// the next table's seats), the next move jumped over a row, and the table
// list took the repeated row for the end of the list.
TEST_F(ClientWaitsTest, HighlightDrawnAfterTheFixedWaitSkipsNoRow) {
    const sim::ClientLatency lateHighlight{250, 0, 0};
    const ScanRun settled = scanAll({}, false);
    EXPECT_EQ(scanAll(lateHighlight, false).seen, settled.seen);
    EXPECT_EQ(scanAll(lateHighlight, true).seen, settled.seen);

    long long waitedMs = 0;
    const std::vector<std::string> rows = tableList({}, false, waitedMs);
    EXPECT_EQ(tableList(lateHighlight, false, waitedMs), rows);
    EXPECT_EQ(tableList(lateHighlight, true, waitedMs), rows);
}

// Wherever the captures stop, the scan ends with one message and reports no
// table it could not read whole.
TEST_F(ClientWaitsTest, CaptureFailingHalfWayEndsTheScanWithoutAnEmptyTable) {
    for (const bool adaptive : {false, true}) {
        for (int captures = 2; captures < 1000; captures = captures * 2 + 1) {
            sim::SimulatedClient client(test::makeLobby(6));
            ManualClock clock;
            client.setLatency({30, 300, 60}, [&clock] { return clock.totalMs(); });
            test::FailingCaptures failing(client, captures);
            test::RecordingObserver observer;
            test::FakeLookup lookup;
            ScanState state;
            lookup.cache = &state.records;
            PassContext context{failing, clock, glyphs, observer, adaptive};
            const PassEnd end =
                TableScanPass(context, lookup, state, LobbyFilter()).scanAll(std::nullopt);
            SCOPED_TRACE(std::to_string(captures) + (adaptive ? " adaptive" : " fixed"));
            EXPECT_EQ(lookup.disconnects, 1);
            for (const auto& table : state.tables.tables())
                EXPECT_GT(table->playersCounted, 0) << table->name;
            if (end == PassEnd::EndOfList) {
                // Enough captures for the whole lobby.
                EXPECT_EQ(state.tables.size(), 6u);
                EXPECT_TRUE(observer.messages.empty());
                break;
            }
            EXPECT_EQ(end, PassEnd::CaptureFailed);
            EXPECT_EQ(observer.messages, std::vector<std::string>{"Error: Error Capturing"});
        }
    }
}

// A client that repaints its list all the time without changing it (an
// animation, a repaint on a timer) never goes quiet there: every row is read
// all the same, by the table list and by a scan.
TEST_F(ClientWaitsTest, ListRepaintedAllTheTimeIsReadWhole) {
    long long waited = 0;
    const std::vector<std::string> all = tableList({}, false, waited, 25);
    const ScanRun quiet = scanAll({30, 300, 60}, true, 6);
    for (const int repaintMs : {2, 20, 50}) {
        SCOPED_TRACE("repainted every " + std::to_string(repaintMs) + " ms");
        for (const bool scan : {false, true}) {
            sim::SimulatedClient client(test::makeLobby(scan ? 6 : 25));
            ManualClock clock;
            client.setLatency({30, 300, 60}, [&clock] { return clock.totalMs(); });
            test::TroubledClient troubled(client, clock);
            troubled.repaintEvery(repaintMs);
            test::RecordingObserver observer;
            PassContext context{troubled, clock, glyphs, observer, true};
            if (scan) {
                test::FakeLookup lookup;
                ScanState state;
                lookup.cache = &state.records;
                EXPECT_EQ(TableScanPass(context, lookup, state, LobbyFilter()).scanAll(std::nullopt),
                          PassEnd::EndOfList);
                EXPECT_EQ(seenBy(observer), quiet.seen);
                continue;
            }
            LobbyEntryList entries;
            EXPECT_EQ(TableListPass(context).run(entries), PassEnd::EndOfList);
            std::vector<std::string> names;
            for (const LobbyEntry& e : entries.entries())
                names.push_back(e.name + " " + std::to_string(e.players));
            EXPECT_EQ(names, all);
        }
    }
}

// A client that stops answering mid-list (stopped, hung) leaves its highlight
// where rows stand below it: no end of the list, but a failed pass that says
// why and keeps the rows it read.
TEST_F(ClientWaitsTest, ClientThatStopsAnsweringFailsThePassAndKeepsWhatItRead) {
    for (const bool adaptive : {false, true}) {
        SCOPED_TRACE(adaptive ? "adaptive" : "fixed");
        for (const bool scan : {false, true}) {
            sim::SimulatedClient client(test::makeLobby(25));
            ManualClock clock;
            test::TroubledClient troubled(client, clock);
            troubled.freezeAfterKeys(10);
            test::RecordingObserver observer;
            PassContext context{troubled, clock, glyphs, observer, adaptive};
            std::size_t read = 0;
            if (scan) {
                test::FakeLookup lookup;
                ScanState state;
                lookup.cache = &state.records;
                EXPECT_EQ(TableScanPass(context, lookup, state, LobbyFilter()).scanAll(std::nullopt),
                          PassEnd::ClientStopped);
                read = state.tables.size();
            } else {
                LobbyEntryList entries;
                EXPECT_EQ(TableListPass(context).run(entries), PassEnd::ClientStopped);
                read = entries.entries().size();
            }
            EXPECT_GE(read, 5u);
            EXPECT_LT(read, 25u);
            ASSERT_EQ(observer.messages.size(), 1u);
            EXPECT_NE(observer.messages[0].find("stopped answering"), std::string::npos);
        }
    }
}

TEST(ClientWaitsSeats, CompleteOnlyWithChipsForEverySeatedName) {
    SeatReading seats;
    EXPECT_FALSE(ClientWaits::seatsComplete(seats));
    seats.names[0] = "Anna";
    EXPECT_FALSE(ClientWaits::seatsComplete(seats));
    seats.chips[0] = "100";
    seats.names[2] = "Waiting:";
    seats.names[3] = "Bert";  // the waiting list has no chips
    EXPECT_TRUE(ClientWaits::seatsComplete(seats));
}
