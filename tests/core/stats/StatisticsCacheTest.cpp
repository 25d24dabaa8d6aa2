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

// Found by exact name, first record first; appending numbers the records.
TEST(PlayerRecordList, FindsTheFirstRecordOfTheExactName) {
    PlayerRecordList list;
    EXPECT_EQ(list.append(record("Anna", "10")), 0);
    EXPECT_EQ(list.append(record("Bob ", "20")), 1);
    EXPECT_EQ(list.append(record("Anna", "30")), 2);
    EXPECT_EQ(list.append(nullptr), -1);
    EXPECT_EQ(list.findCachedPlayer("Anna"), list.at(0));
    EXPECT_EQ(list.at(2)->recordIndex, 2);
    for (const char* other : {"anna", "Bob", ""})
        EXPECT_FALSE(list.findCachedPlayer(other)) << other;
}

TEST(PlayerRecordList, ARecordHeldByATableSurvivesClearing) {
    PlayerRecordList list;
    list.append(record("Seated", "42"));
    const auto held = list.findCachedPlayer("Seated");  // what a scanned table keeps
    list.append(record("Gone"));
    const std::weak_ptr<PlayerStats> notHeld = list.at(1);
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(held->hands, "42");
    EXPECT_TRUE(notHeld.expired()) << "records nobody shows are freed at once";
    // The look-up forgets the cleared records too.
    EXPECT_FALSE(list.findCachedPlayer("Seated"));
    list.append(record("Gone", "7"));
    EXPECT_EQ(list.findCachedPlayer("Gone")->hands, "7");
}

TEST(CacheExpiry, LifetimeComesFromTheSettings) {
    test::TempDir dir;
    SettingsStore store(dir / "Velloran.ini");
    EXPECT_EQ(cacheLifetimeSeconds(store), 1200);  // both keys missing
    ASSERT_TRUE(store.writeText(keys::cache, "300"));
    EXPECT_EQ(cacheLifetimeSeconds(store), 300);
    ASSERT_TRUE(store.writeFlag(keys::dbcache, false));
    EXPECT_EQ(cacheLifetimeSeconds(store), -1);
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

// One timer, started by the first "Get Table List" with the lifetime it had then;
// records go only at a "Get Table List" after it fired.
TEST(CacheExpiry, RecordsAreDroppedOnlyAtGetTableListAfterExpiry) {
    MainWindowCache window(300);
    window.getTableList();
    window.expiry.setLifetimeSeconds(900);  // settings reloaded after the options dialog
    window.scanAllTables();
    window.scanAllTables();
    window.getTableList();  // not expired yet
    EXPECT_EQ(window.timersStarted, 1);
    EXPECT_EQ(window.timerIntervalMs, 300'000);
    EXPECT_EQ(window.records.size(), 2u);

    window.timerFired();
    window.scanAllTables();  // a scan alone never empties the cache
    EXPECT_EQ(window.records.size(), 3u);
    window.getTableList();
    EXPECT_TRUE(window.records.empty());
    window.scanAllTables();
    window.getTableList();  // the flag was cleared with the records
    EXPECT_EQ(window.records.size(), 1u);

    MainWindowCache huge(2'000'000'000);
    huge.getTableList();
    EXPECT_EQ(huge.timerIntervalMs, 2'147'483'647);
}

TEST(CacheExpiry, DisabledOrZeroLifetimeNeverStartsATimerNorClears) {
    for (const int lifetime : {cacheLifetimeSeconds(0, 1200), 0}) {
        MainWindowCache window(lifetime);
        window.scanAllTables();
        window.timerFired();  // the options dialog closing sets the flag too
        window.getTableList();
        EXPECT_EQ(window.timersStarted, 0);
        EXPECT_FALSE(window.expiry.timerExists());
        EXPECT_EQ(window.records.size(), 1u);
    }
}

}  // namespace
}  // namespace kestrova
