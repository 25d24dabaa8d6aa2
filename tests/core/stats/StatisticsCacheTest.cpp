#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "stats/CacheExpiry.h"
#include "stats/PlayerRecordList.h"

namespace kestrova {
namespace {

std::shared_ptr<PlayerStats> record(const std::string& name, const std::string& hands = "0") {
    auto r = std::make_shared<PlayerStats>();
    r->name = name;
    r->hands = hands;
    return r;
}

TEST(PlayerRecordListTest, FindReturnsTheFirstRecordOfAName) {
    PlayerRecordList list;
    list.append(record("Anna", "10"));
    list.append(record("Bob", "20"));
    list.append(record("Anna", "30"));
    const auto found = list.findCachedPlayer("Anna");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->hands, "10");
    EXPECT_EQ(found, list.at(0));
}

TEST(PlayerRecordListTest, NamesDifferingInCaseAreTwoRecords) {
    PlayerRecordList list;
    list.append(record("Fish", "1"));
    EXPECT_FALSE(list.findCachedPlayer("fish"));
    list.append(record("fish", "2"));
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(list.findCachedPlayer("fish")->hands, "2");
    EXPECT_EQ(list.findCachedPlayer("Fish")->hands, "1");
}

TEST(PlayerRecordListTest, OnlyTheWholeNameMatches) {
    PlayerRecordList list;
    list.append(record("Bob "));
    list.append(record("Bobby"));
    EXPECT_FALSE(list.findCachedPlayer("Bob"));
    EXPECT_FALSE(list.findCachedPlayer(""));
    EXPECT_TRUE(list.findCachedPlayer("Bob "));
}

TEST(PlayerRecordListTest, AppendStoresThePositionInTheRecord) {
    PlayerRecordList list;
    auto first = record("a");
    auto second = record("b");
    EXPECT_EQ(list.append(first), 0);
    EXPECT_EQ(list.append(second), 1);
    EXPECT_EQ(first->recordIndex, 0);
    EXPECT_EQ(second->recordIndex, 1);
    EXPECT_EQ(list.append(nullptr), -1);
    EXPECT_EQ(list.size(), 2u);

    std::vector<std::string> names;
    for (const auto& r : list) {
        names.push_back(r->name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
}

TEST(PlayerRecordListTest, ARecordHeldByATableSurvivesClearing) {
    PlayerRecordList list;
    std::vector<std::shared_ptr<PlayerStats>> tablePlayers;  // what a scanned table keeps
    list.append(record("Seated", "42"));
    tablePlayers.push_back(list.findCachedPlayer("Seated"));
    std::weak_ptr<PlayerStats> notHeld;
    {
        auto other = record("Gone");
        notHeld = other;
        list.append(std::move(other));
    }

    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(list.findCachedPlayer("Seated"));
    ASSERT_EQ(tablePlayers.size(), 1u);
    EXPECT_EQ(tablePlayers[0]->name, "Seated");
    EXPECT_EQ(tablePlayers[0]->hands, "42");
    EXPECT_TRUE(notHeld.expired());  // records nobody shows are freed at once
}

TEST(CacheLifetimeTest, LifetimeComesFromTheSettings) {
    test::TempDir dir;
    SettingsStore store(dir / "Velloran.ini");
    EXPECT_EQ(cacheLifetimeSeconds(store), 1200);  // both keys missing

    ASSERT_TRUE(store.writeText(keys::cache, "300"));
    EXPECT_EQ(cacheLifetimeSeconds(store), 300);

    ASSERT_TRUE(store.writeFlag(keys::dbcache, false));
    EXPECT_EQ(cacheLifetimeSeconds(store), -1);

    EXPECT_EQ(cacheLifetimeSeconds(1, 1200), 1200);
    EXPECT_EQ(cacheLifetimeSeconds(0, 1200), -1);
}

// The main window's "Get Table List" as far as the cache is concerned.
struct MainWindowCache {
    PlayerRecordList records;
    CacheExpiry expiry;
    int timersStarted = 0;
    int timerIntervalMs = 0;

    explicit MainWindowCache(int lifetimeSeconds) : expiry(lifetimeSeconds) {}

    void getTableList() {
        const CacheExpiry::Actions actions = expiry.onGetTableList();
        if (actions.startTimer) {
            ++timersStarted;
            timerIntervalMs = actions.timerIntervalMs;
        }
        if (actions.clearRecords) {
            records.clear();
        }
    }
    void scanAllTables() { records.append(record("p" + std::to_string(records.size()))); }
    void timerFired() { expiry.markExpired(); }
};

TEST(CacheExpiryTest, FirstGetTableListStartsOneTimerWithTheLifetime) {
    MainWindowCache window(1200);
    EXPECT_FALSE(window.expiry.timerExists());
    window.getTableList();
    window.getTableList();
    EXPECT_EQ(window.timersStarted, 1);
    EXPECT_EQ(window.timerIntervalMs, 1'200'000);
    EXPECT_TRUE(window.expiry.timerExists());
}

TEST(CacheExpiryTest, RecordsAreDroppedOnlyAtGetTableListAfterExpiry) {
    MainWindowCache window(1200);
    window.getTableList();
    window.scanAllTables();
    window.scanAllTables();
    window.getTableList();  // not expired yet
    EXPECT_EQ(window.records.size(), 2u);

    window.timerFired();
    window.scanAllTables();  // a scan alone never empties the cache
    EXPECT_EQ(window.records.size(), 3u);
    EXPECT_TRUE(window.expiry.isExpired());

    window.getTableList();
    EXPECT_TRUE(window.records.empty());
    EXPECT_FALSE(window.expiry.isExpired());

    window.scanAllTables();
    window.getTableList();  // the flag was cleared with the records
    EXPECT_EQ(window.records.size(), 1u);
}

TEST(CacheExpiryTest, DisabledCacheNeverStartsATimerNorClears) {
    MainWindowCache window(cacheLifetimeSeconds(0, 1200));
    window.scanAllTables();
    window.timerFired();  // the options dialog closing sets the flag too
    window.getTableList();
    window.getTableList();
    EXPECT_EQ(window.timersStarted, 0);
    EXPECT_FALSE(window.expiry.timerExists());
    EXPECT_EQ(window.records.size(), 1u);
}

TEST(CacheExpiryTest, ZeroLifetimeActsLikeADisabledCache) {
    MainWindowCache window(0);
    window.scanAllTables();
    window.timerFired();
    window.getTableList();
    EXPECT_EQ(window.timersStarted, 0);
    EXPECT_EQ(window.records.size(), 1u);
}

TEST(CacheExpiryTest, RunningTimerKeepsItsFirstInterval) {
    MainWindowCache window(300);
    window.getTableList();
    window.expiry.setLifetimeSeconds(900);  // settings reloaded after the options dialog
    window.getTableList();
    EXPECT_EQ(window.timersStarted, 1);
    EXPECT_EQ(window.timerIntervalMs, 300'000);
}

TEST(CacheExpiryTest, HugeLifetimeGivesTheLongestTimerInterval) {
    MainWindowCache window(2'000'000'000);
    window.getTableList();
    EXPECT_EQ(window.timerIntervalMs, 2'147'483'647);
}

}  // namespace
}  // namespace kestrova
