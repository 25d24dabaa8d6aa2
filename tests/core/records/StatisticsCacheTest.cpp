#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "records/CacheExpiry.h"
#include "records/PlayerRecordList.h"

namespace kestrova {
namespace {

std::shared_ptr<PlayerStats> record(const std::string& name, int hands = 0) {
    return std::make_shared<PlayerStats>(PlayerStats{.name = name, .hands = hands});
}

// Found by exact name, first record first; appending numbers the records.
TEST(PlayerRecordList, FindsTheFirstRecordOfTheExactName) {
    PlayerRecordList list;
    EXPECT_EQ(list.append(record("Anna", 10)), 0);
    EXPECT_EQ(list.append(record("Bob ", 20)), 1);
    EXPECT_EQ(list.append(record("Anna", 30)), 2);
    EXPECT_EQ(list.append(nullptr), -1);
    EXPECT_EQ(list.findCachedPlayer("Anna"), list.at(0));
    EXPECT_EQ(list.at(2)->recordIndex, 2);
    for (const char* other : {"anna", "Bob", ""})
        EXPECT_FALSE(list.findCachedPlayer(other)) << other;
}

// The index by name forgets what clear() dropped.
TEST(PlayerRecordList, ClearedRecordsAreNotFoundAgain) {
    PlayerRecordList list;
    list.append(record("Gone", 42));
    list.clear();
    EXPECT_FALSE(list.findCachedPlayer("Gone"));
    list.append(record("Gone", 7));
    EXPECT_EQ(list.findCachedPlayer("Gone")->hands, 7);
}

// One timer, started by the first "Get Table List" with the lifetime it had then;
// records go only at a "Get Table List" after it fired.
TEST(CacheExpiry, RecordsAreDroppedOnlyAtGetTableListAfterExpiry) {
    using Actions = CacheExpiry::Actions;
    const auto same = [](const Actions& a, const Actions& b) {
        return a.startTimer == b.startTimer && a.timerIntervalMs == b.timerIntervalMs &&
               a.clearRecords == b.clearRecords;
    };
    CacheExpiry expiry(300);
    EXPECT_TRUE(same(expiry.onGetTableList(), Actions{true, 300'000, false}));
    expiry.setLifetimeSeconds(900);  // settings reloaded after the options dialog
    EXPECT_TRUE(same(expiry.onGetTableList(), Actions{}));  // not expired yet
    expiry.markExpired();
    EXPECT_TRUE(same(expiry.onGetTableList(), Actions{false, 0, true}));
    EXPECT_TRUE(same(expiry.onGetTableList(), Actions{}));  // the flag went with the records

    EXPECT_EQ(CacheExpiry(2'000'000'000).onGetTableList().timerIntervalMs, 2'147'483'647);
    // Disabled or zero: no timer, and the flag the options dialog sets clears nothing.
    for (const int lifetime : {-1, 0}) {
        CacheExpiry never(lifetime);
        never.markExpired();
        EXPECT_TRUE(same(never.onGetTableList(), Actions{})) << lifetime;
        EXPECT_FALSE(never.timerExists());
    }
}

}  // namespace
}  // namespace kestrova
