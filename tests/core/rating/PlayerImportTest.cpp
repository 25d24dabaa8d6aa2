#include "rating/PlayerImport.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FakeLookup.h"
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

// Figures by name; names starting with "nobody" are not found.
class Lookup {
public:
    Lookup() {
        fake.figures = [this](PlayerStats& s) {
            const auto found = players.find(s.name);
            if (found != players.end())
                s = found->second;
        };
    }
    void add(const std::string& name, const std::string& hands, const std::string& vpip = "0.00") {
        players[name] = PlayerStats{.name = name, .vpip = vpip, .hands = hands};
    }

    test::FakeLookup fake;
    std::map<std::string, PlayerStats> players;
};

// The names of each database, keyed by its database name.
class FakeNames final : public PlayerNameSource {
public:
    Result collectNames(const DatabaseEntry& entry, std::vector<std::string>& names,
                        ImportProgress& progress, MessageSink&) override {
        asked.push_back(entry.database);
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

// Figures are truncated before the range test; "N/A" counts as 0; the minimum
// hands always apply.
TEST(ImportRanges, EveryEnabledRangeMustHold) {
    ImportFilter filter;
    filter.vpip = {true, 40, 100};
    filter.af = {true, 0, 3};
    filter.minimumHands = 200;
    EXPECT_TRUE(filter.passes(figures("200", "40.99", "0", "3.99")));
    EXPECT_TRUE(filter.passes(figures("200", "100.99", "0", "N/A")));
    EXPECT_FALSE(filter.passes(figures("200", "39.99", "0", "0")));
    EXPECT_FALSE(filter.passes(figures("200", "101.00", "0", "0")));
    EXPECT_FALSE(filter.passes(figures("200", "50", "0", "4")));
    EXPECT_FALSE(filter.passes(figures("199", "50", "0", "0")));
}

class PlayerImportTest : public ::testing::Test {
protected:
    PlayerImportTest() : buddies_(dir_.path()), import_(lookup_.fake, names_, sink_) {}

    TempDir dir_;
    BuddyList buddies_;
    Lookup lookup_;
    FakeNames names_;
    RecordingSink sink_;
    PlayerImport import_;
};

TEST_F(PlayerImportTest, PlayersPassingTheFilterAreAddedAndSavedOnce) {
    names_.databases["a"] = {"fish1", "rock", "newbie", "Known", "nobody"};
    lookup_.add("fish1", "500", "55.0");
    lookup_.add("rock", "300", "12.0");
    lookup_.add("newbie", "199", "70.0");
    lookup_.add("Known", "300", "60");
    buddies_.addBuddy("KNOWN", false);
    ImportFilter filter;
    filter.minimumHands = 200;
    filter.vpip = {true, 40, 100};
    ScriptedProgress progress;
    const auto outcome = import_.run({database("a")}, filter, buddies_, progress);
    EXPECT_EQ(buddies_.names(), (Names{"KNOWN", "fish1"}));
    EXPECT_EQ(outcome.added, 1u);
    EXPECT_EQ(outcome.lookedUp, 5u);
    EXPECT_FALSE(outcome.cancelled || outcome.failed);
    EXPECT_TRUE(sink_.messages.empty());
    EXPECT_EQ(progress.labels,
              (Names{"Scan in progress...", "...Please wait...\n...importing..."}));
    EXPECT_EQ(progress.lastMaximum, 5);
    EXPECT_EQ(progress.lastValue, 5);
    BuddyList reloaded(dir_.path());
    reloaded.loadBuddies();
    EXPECT_EQ(reloaded.names(), buddies_.names());
    EXPECT_EQ(lookup_.fake.disconnects, 1);

    BuddyList homeless(dir_ / "gone");
    EXPECT_FALSE(import_.run({database("a")}, ImportFilter{}, homeless, progress).saved);
    EXPECT_EQ(sink_.messages, Names{"Error|Unable to save mofofish"});
    EXPECT_EQ(homeless.names().size(), 4u) << "the names stay in memory";
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
    EXPECT_EQ(lookup_.fake.looked, (Names{"Ann", "bob", "BOB", "cy"}));
    EXPECT_EQ(PlayerImport::withoutRepeats({"b", "a", "b", "B", "a", ""}),
              (Names{"b", "a", "B", ""}));
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
    EXPECT_EQ(lookup_.fake.looked, (Names{"p1", "p2"}));
    BuddyList reloaded(dir_.path());
    reloaded.loadBuddies();
    EXPECT_EQ(reloaded.names(), (Names{"p1", "p2"}));
    EXPECT_EQ(lookup_.fake.disconnects, 1);
}

}  // namespace
}  // namespace kestrova
