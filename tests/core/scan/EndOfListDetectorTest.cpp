#include "scan/EndOfListDetector.h"

#include <gtest/gtest.h>

using kestrova::EndOfListDetector;

TEST(EndOfListDetector, FourEqualReadsEndTheWalk) {
    EndOfListDetector d;
    EXPECT_FALSE(d.onRead("Last"));
    EXPECT_FALSE(d.onRead("Last"));
    EXPECT_FALSE(d.onRead("Last"));
    EXPECT_TRUE(d.onRead("Last"));
}

TEST(EndOfListDetector, ANewNameStartsCountingAgain) {
    EndOfListDetector d;
    EXPECT_FALSE(d.onRead("A"));
    EXPECT_FALSE(d.onRead("A"));
    EXPECT_FALSE(d.onRead("A"));
    EXPECT_FALSE(d.onRead("B"));
    EXPECT_EQ(d.repeatCount(), 0);
    EXPECT_FALSE(d.onRead("B"));
    EXPECT_FALSE(d.onRead("B"));
    EXPECT_TRUE(d.onRead("B"));
}

TEST(EndOfListDetector, EmptyReadsNeitherCountNorResetButEndAnEmptyLobby) {
    EndOfListDetector d;
    EXPECT_FALSE(d.onRead("A"));
    EXPECT_FALSE(d.onRead(""));
    EXPECT_FALSE(d.onRead("A"));
    EXPECT_EQ(d.repeatCount(), 1);

    EndOfListDetector empty;
    EXPECT_FALSE(empty.onRead(""));
    EXPECT_FALSE(empty.onRead(""));
    EXPECT_FALSE(empty.onRead(""));
    EXPECT_TRUE(empty.onRead(""));
}
