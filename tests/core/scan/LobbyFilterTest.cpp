#include "scan/LobbyFilter.h"

#include "scan/LobbyEntryList.h"
#include "scan/TableListRows.h"
#include "settings/SettingsStore.h"

#include "Printers.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace kestrova;

namespace {

LobbyEntry entry(std::string name, int players, int seats, std::string limitKind = "") {
    LobbyEntry e;
    e.name = std::move(name);
    e.players = players;
    e.seats = seats;
    e.limitKind = std::move(limitKind);
    e.stakes = "$1/$2";
    e.averagePot = "$40";
    return e;
}

}  // namespace

TEST(LobbyFilter, PlayerCountSizeAndLimitKind) {
    const test::TempDir dir;
    // A first start scans every kind, as the "Scanfilter" dialog then shows.
    LobbyFilter filter = LobbyFilter::fromSettings(SettingsStore(dir / "Velloran.ini"));
    for (const char* kind : {"Limit", "No Limit", "Pot Limit", ""})
        EXPECT_TRUE(filter.accepts(entry("t", 3, 10, kind))) << kind;
    EXPECT_FALSE(filter.accepts(entry("a", 0, 10)));
    EXPECT_TRUE(filter.accepts(entry("a", 10, 10)));
    EXPECT_FALSE(filter.accepts(entry("a", 11, 10)));

    filter.sixMax = false;
    filter.headsUp = false;
    EXPECT_FALSE(filter.accepts(entry("six", 3, 6)));
    EXPECT_FALSE(filter.accepts(entry("hu", 1, 2)));
    EXPECT_TRUE(filter.accepts(entry("three", 1, 3)));
    filter.fullRing = false;
    EXPECT_FALSE(filter.accepts(entry("seven", 3, 7)));

    // Full ring off alone hides only tables of more than 6 seats.
    filter = LobbyFilter{};
    filter.fullRing = false;
    EXPECT_TRUE(filter.accepts(entry("six", 3, 6)));
    EXPECT_TRUE(filter.accepts(entry("hu", 1, 2)));
    EXPECT_FALSE(filter.accepts(entry("ten", 3, 10)));

    filter = LobbyFilter{};
    filter.limit = false;
    filter.potLimit = 0;
    EXPECT_FALSE(filter.accepts(entry("l", 3, 10, "Limit")));
    EXPECT_FALSE(filter.accepts(entry("pl", 3, 10, "Pot Limit")));
    EXPECT_TRUE(filter.accepts(entry("nl", 3, 10, "No Limit")));
    filter.potLimit = 7;  // any value but 0 keeps pot-limit tables
    EXPECT_TRUE(filter.accepts(entry("pl", 3, 10, "Pot Limit")));
}

TEST(TableListRows, OneRowPerPassingEntryInLobbyOrder) {
    LobbyEntryList entries;
    entries.merge(entry("Alpha", 4, 10));
    entries.merge(entry("Empty", 0, 10));
    entries.merge(entry("Six", 5, 6));
    entries.merge(entry("Full", 11, 10));
    LobbyFilter filter;
    filter.sixMax = false;
    const std::vector<LobbyEntry> rows = tableListEntries(entries, filter);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], entry("Alpha", 4, 10));
}

TEST(LobbyEntryList, KnownNameMovesToTheEndWithNewStakesAndSize) {
    LobbyEntryList entries;
    EXPECT_EQ(entries.merge(entry("A", 3, 10)), LobbyEntryList::Merge::Appended);
    EXPECT_EQ(entries.merge(entry("B", 4, 6)), LobbyEntryList::Merge::Appended);
    LobbyEntry again = entry("A", 9, 9);
    again.stakes = "$5/$10";
    again.averagePot = "$99";
    EXPECT_EQ(entries.merge(again), LobbyEntryList::Merge::AlreadyKnown);
    ASSERT_EQ(entries.entries().size(), 2u);
    const LobbyEntry& moved = entries.entries().back();
    EXPECT_EQ(moved.name, "A");
    EXPECT_EQ(moved.stakes, "$5/$10");
    EXPECT_EQ(moved.seats, 9);
    EXPECT_EQ(moved.players, 3);
    EXPECT_EQ(moved.averagePot, "$40");
    // Found where they now are, refreshed in place, forgotten when cleared.
    EXPECT_EQ(entries.find("A"), &entries.entries().back());
    EXPECT_EQ(entries.find("B"), &entries.entries().front());
    EXPECT_EQ(entries.find("C"), nullptr);
    entries.refresh(entry("B", 1, 6));
    entries.refresh(entry("C", 2, 10));
    ASSERT_EQ(entries.entries().size(), 3u);
    EXPECT_EQ(entries.entries().front().players, 1);
    EXPECT_EQ(entries.find("C")->players, 2);
    entries.clear();
    EXPECT_EQ(entries.find("A"), nullptr);
    EXPECT_EQ(entries.merge(entry("A", 3, 10)), LobbyEntryList::Merge::Appended);
}
