#include "rating/PlayerImport.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "RecordingSink.h"
#include "TempDir.h"
#include "common/MessageSink.h"
#include "rating/BuddyList.h"
#include "stats/ImportProgress.h"
#include "stats/PlayerLookup.h"
#include "stats/PlayerNameSource.h"

namespace kestrova {
namespace {

using test::TempDir;
using Names = std::vector<std::string>;

using test::RecordingSink;

// Records by name; a name it does not know fails its look-up.
class FakeLookup final : public PlayerLookup {
public:
    bool connectDatabases(MessageSink& messages) override {
        ++connects;
        if (!connectWorks) {
            messages.showMessage("Error", "Connection to database failed: down");
        }
        connected = connectWorks;
        return connectWorks;
    }
    void disconnectDatabases() override {
        ++disconnects;
        connected = false;
    }
    std::shared_ptr<PlayerStats> lookupPlayer(const std::string& name, const std::string& stack,
                                              const std::string& seat, MessageSink&) override {
        EXPECT_TRUE(connected);
        EXPECT_EQ(stack, "-");
        EXPECT_EQ(seat, "-");
        lookedUp.push_back(name);
        const auto found = players.find(name);
        if (found == players.end()) {
            return nullptr;
        }
        return std::make_shared<PlayerStats>(found->second);
    }

    void add(const std::string& name, const std::string& hands, const std::string& vpip = "0.00",
             const std::string& pfr = "0.00", const std::string& af = "0.00") {
        PlayerStats stats;
        stats.name = name;
        stats.hands = hands;
        stats.vpip = vpip;
        stats.pfr = pfr;
        stats.af = af;
        players[name] = stats;
    }

    std::map<std::string, PlayerStats> players;
    Names lookedUp;
    bool connectWorks = true;
    bool connected = false;
    int connects = 0;
    int disconnects = 0;
};

// The names of each database, keyed by its database name.
class FakeNames final : public PlayerNameSource {
public:
    Result collectNames(const DatabaseEntry& entry, std::vector<std::string>& names,
                        ImportProgress& progress, MessageSink& messages) override {
        asked.push_back(entry.database);
        if (entry.database == failing) {
            messages.showMessage("Error", "FETCH ALL failed: boom");
            return Result::Failed;
        }
        const Names& rows = databases[entry.database];
        progress.setMaximum(static_cast<int>(rows.size()));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (progress.cancelled()) {
                return Result::Cancelled;
            }
            names.push_back(rows[i]);
        }
        return Result::Done;
    }

    std::map<std::string, Names> databases;
    std::string failing;
    Names asked;
};

// "Cancel" is pressed at the given call of cancelled() (1-based), never when 0.
class ScriptedProgress final : public ImportProgress {
public:
    explicit ScriptedProgress(int cancelAtCall = 0) : cancelAtCall_(cancelAtCall) {}
    void setLabel(const std::string& text) override { labels.push_back(text); }
    void setMaximum(int maximum) override { lastMaximum = maximum; }
    void setValue(int value) override { lastValue = value; }
    bool cancelled() override {
        ++calls;
        if (cancelAtCall_ > 0 && calls >= cancelAtCall_) {
            pressed = true;
        }
        return pressed;
    }

    Names labels;
    int lastMaximum = -1;
    int lastValue = -1;
    int calls = 0;
    bool pressed = false;

private:
    int cancelAtCall_;
};

DatabaseEntry database(const std::string& name, bool active = true) {
    DatabaseEntry entry;
    entry.database = name;
    entry.active = active;
    entry.kind = static_cast<std::int32_t>(DatabaseKind::PokerTracker2Postgres);
    return entry;
}

PlayerStats figures(const std::string& hands, const std::string& vpip, const std::string& pfr,
                    const std::string& af) {
    PlayerStats stats;
    stats.hands = hands;
    stats.vpip = vpip;
    stats.pfr = pfr;
    stats.af = af;
    return stats;
}

TEST(ImportRanges, FiguresAreTruncatedBeforeTheRangeTest) {
    ImportFilter filter;
    filter.vpip = {true, 40, 100};
    EXPECT_TRUE(filter.passes(figures("10", "40.99", "0", "0")));
    EXPECT_FALSE(filter.passes(figures("10", "39.99", "0", "0")));
    EXPECT_TRUE(filter.passes(figures("10", "100.99", "0", "0")));  // truncated to 100
    EXPECT_FALSE(filter.passes(figures("10", "101.00", "0", "0")));
}

TEST(ImportRanges, EveryEnabledRangeMustHold) {
    ImportFilter filter;
    filter.pfr = {true, 10, 20};
    filter.af = {true, 2, 3};
    EXPECT_TRUE(filter.passes(figures("5", "90", "10.5", "3.99")));
    EXPECT_FALSE(filter.passes(figures("5", "90", "9.99", "3")));
    EXPECT_FALSE(filter.passes(figures("5", "90", "15", "1.99")));
    // "N/A" counts as 0.
    filter.af = {true, 0, 0};
    EXPECT_TRUE(filter.passes(figures("5", "90", "15", "N/A")));
}

TEST(ImportRanges, MinimumHandsAppliesAlwaysAndIncludesTheEdge) {
    ImportFilter filter;
    filter.minimumHands = 200;
    EXPECT_TRUE(filter.passes(figures("200", "0", "0", "0")));
    EXPECT_FALSE(filter.passes(figures("199", "99", "99", "9")));
    filter.minimumHands = 0;
    EXPECT_TRUE(filter.passes(figures("0", "N/A", "N/A", "N/A")));
}

class PlayerImportTest : public ::testing::Test {
protected:
    PlayerImportTest() : buddies_(dir_.path()), import_(lookup_, names_, sink_) {}

    TempDir dir_;
    BuddyList buddies_;
    FakeLookup lookup_;
    FakeNames names_;
    RecordingSink sink_;
    PlayerImport import_;
};

TEST_F(PlayerImportTest, WithNoRangeEnabledEveryPlayerWithEnoughHandsIsAdded) {
    names_.databases["a"] = {"fish1", "rock", "newbie", "fish2"};
    lookup_.add("fish1", "500", "55.0");
    lookup_.add("rock", "300", "12.0");
    lookup_.add("newbie", "199", "70.0");
    lookup_.add("fish2", "200", "41.0");
    ImportFilter filter;
    filter.minimumHands = 200;
    ScriptedProgress progress;
    const auto outcome = import_.run({database("a")}, filter, buddies_, progress);
    EXPECT_EQ(buddies_.names(), (Names{"fish1", "rock", "fish2"}));
    EXPECT_EQ(outcome.added, 3u);
    EXPECT_EQ(outcome.lookedUp, 4u);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_FALSE(outcome.failed);
    EXPECT_TRUE(sink_.messages.empty());
    EXPECT_EQ(progress.labels,
              (Names{"Scan in progress...", "...Please wait...\n...importing..."}));
    EXPECT_EQ(progress.lastMaximum, 4);
    EXPECT_EQ(progress.lastValue, 4);
    // Saved once at the end, disconnected.
    BuddyList reloaded(dir_.path());
    reloaded.loadBuddies();
    EXPECT_EQ(reloaded.names(), buddies_.names());
    EXPECT_EQ(lookup_.disconnects, 1);
}

TEST_F(PlayerImportTest, VpipRangeAndExistingBuddies) {
    names_.databases["a"] = {"edge", "below", "Known"};
    lookup_.add("edge", "300", "40.99");
    lookup_.add("below", "300", "39.99");
    lookup_.add("Known", "300", "60");
    buddies_.addBuddy("KNOWN", false);
    ImportFilter filter;
    filter.vpip = {true, 40, 100};
    ScriptedProgress progress;
    const auto outcome = import_.run({database("a")}, filter, buddies_, progress);
    EXPECT_EQ(buddies_.names(), (Names{"KNOWN", "edge"}));
    EXPECT_EQ(outcome.added, 1u);
}

TEST_F(PlayerImportTest, OnlyActiveDatabasesAndExactRepeatsLookedUpOnce) {
    names_.databases["a"] = {"Ann", "bob", "Ann"};
    names_.databases["off"] = {"ghost"};
    names_.databases["b"] = {"bob", "BOB", "cy"};
    ScriptedProgress progress;
    const auto outcome = import_.run({database("a"), database("off", false), database("b")},
                                     ImportFilter{}, buddies_, progress);
    EXPECT_EQ(names_.asked, (Names{"a", "b"}));
    EXPECT_EQ(outcome.collected, 6u);
    EXPECT_EQ(import_.candidates(), (Names{"Ann", "bob", "BOB", "cy"}));
    EXPECT_EQ(lookup_.lookedUp, (Names{"Ann", "bob", "BOB", "cy"}));
}

TEST_F(PlayerImportTest, FailedLookupAddsNothingButTheImportGoesOn) {
    names_.databases["a"] = {"lost", "found"};
    lookup_.add("found", "10");
    ScriptedProgress progress;
    import_.run({database("a")}, ImportFilter{}, buddies_, progress);
    EXPECT_EQ(buddies_.names(), Names{"found"});
}

TEST_F(PlayerImportTest, CancelDuringCollectionEndsEverythingAfterIt) {
    names_.databases["a"] = {"a1", "a2", "a3"};
    names_.databases["b"] = {"b1", "b2"};
    for (const char* name : {"a1", "a2", "a3", "b1", "b2"}) {
        lookup_.add(name, "1000");
    }
    ScriptedProgress progress(2);  // pressed while reading the second row of "a"
    const auto outcome =
        import_.run({database("a"), database("b")}, ImportFilter{}, buddies_, progress);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(names_.asked, Names{"a"});
    EXPECT_EQ(import_.candidates(), Names{"a1"});
    EXPECT_TRUE(lookup_.lookedUp.empty());
    EXPECT_TRUE(buddies_.names().empty());
    EXPECT_EQ(lookup_.disconnects, 1);
}

TEST_F(PlayerImportTest, CancelDuringLookupsKeepsThePlayersAddedBefore) {
    names_.databases["a"] = {"p1", "p2", "p3", "p4"};
    for (const char* name : {"p1", "p2", "p3", "p4"}) {
        lookup_.add(name, "1000");
    }
    // 4 collection checks, then a check before and after each look-up.
    ScriptedProgress progress(4 + 4);
    const auto outcome = import_.run({database("a")}, ImportFilter{}, buddies_, progress);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(lookup_.lookedUp, (Names{"p1", "p2"}));
    EXPECT_EQ(buddies_.names(), (Names{"p1", "p2"}));
    BuddyList reloaded(dir_.path());
    reloaded.loadBuddies();
    EXPECT_EQ(reloaded.names(), (Names{"p1", "p2"}));
}

TEST_F(PlayerImportTest, FailingNameListEndsTheImport) {
    names_.databases["a"] = {"x"};
    names_.databases["c"] = {"z"};
    names_.failing = "b";
    lookup_.add("x", "1000");
    ScriptedProgress progress;
    const auto outcome = import_.run({database("a"), database("b"), database("c")}, ImportFilter{},
                                     buddies_, progress);
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(sink_.messages, Names{"Error|FETCH ALL failed: boom"});
    EXPECT_EQ(names_.asked, (Names{"a", "b"}));
    EXPECT_TRUE(lookup_.lookedUp.empty());
    EXPECT_TRUE(buddies_.names().empty());
    EXPECT_EQ(lookup_.disconnects, 1);
}

TEST_F(PlayerImportTest, FailingConnectionEndsTheImportBeforeCollecting) {
    names_.databases["a"] = {"x"};
    lookup_.connectWorks = false;
    ScriptedProgress progress;
    const auto outcome = import_.run({database("a")}, ImportFilter{}, buddies_, progress);
    EXPECT_TRUE(outcome.failed);
    EXPECT_TRUE(names_.asked.empty());
    EXPECT_EQ(sink_.messages.size(), 1u);
}

TEST_F(PlayerImportTest, RefusedSaveIsToldAndTheNamesStayInMemory) {
    BuddyList homeless(dir_ / "gone");
    names_.databases["a"] = {"x"};
    lookup_.add("x", "1000");
    ScriptedProgress progress;
    const auto outcome = import_.run({database("a")}, ImportFilter{}, homeless, progress);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(sink_.messages, Names{"Error|Unable to save mofofish"});
    EXPECT_EQ(homeless.names(), Names{"x"});
}

TEST(ImportRepeats, FirstOccurrenceKeptCaseMatters) {
    EXPECT_EQ(PlayerImport::withoutRepeats({"b", "a", "b", "B", "a", ""}),
              (Names{"b", "a", "B", ""}));
}

}  // namespace
}  // namespace kestrova
