#include "settings/TraceLog.h"

#include <gtest/gtest.h>

#include "TempDir.h"

namespace kestrova {
namespace {

TEST(TraceLog, TruncatesAtStartThenAppendsEachMarker) {
    test::TempDir dir;
    const std::filesystem::path file = dir / "log.txt";
    test::writeBytes(file, "old run\n");
    const TraceLog log(file);
    ASSERT_TRUE(log.truncate());
    EXPECT_EQ(test::readBytes(file), "");
    ASSERT_TRUE(log.append("1"));
    ASSERT_TRUE(log.append("2"));
    // Each write closes the file: what is there is on disk at once.
    EXPECT_EQ(test::readBytes(file), "12");
    ASSERT_TRUE(log.append(TraceLog::kCleanupMarker));
    EXPECT_EQ(test::readBytes(file), "12---->cleanup\n");
}

TEST(TraceLog, UnwritablePathReportsFailure) {
    test::TempDir dir;
    const TraceLog log(dir / "missing" / "log.txt");
    EXPECT_FALSE(log.truncate());
    EXPECT_FALSE(log.append("1"));
}

}  // namespace
}  // namespace kestrova
