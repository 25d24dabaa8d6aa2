#include "BuddiesCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "rating/BuddyList.h"

namespace kestrova {
namespace {

using test::bytes;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

struct CommandRun {
    int status = 0;
    std::string out;
    std::string err;
};

CommandRun run(const TempDir& dir, std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    CommandRun result;
    result.status = runBuddiesCommand(args, dir.path(), out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

TEST(BuddiesCommand, AddListRemoveThroughTheFile) {
    TempDir dir;
    EXPECT_EQ(run(dir, {"list"}).out, "");
    EXPECT_EQ(run(dir, {"add", "Rounder"}).status, 0);
    EXPECT_EQ(run(dir, {"add", "fish 2"}).status, 0);
    EXPECT_EQ(readBytes(dir / "mofofish"), bytes("\x02\0\0\0\x07\0\0\0Rounder\x06\0\0\0fish 2"));

    const CommandRun again = run(dir, {"add", "ROUNDER"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("is a buddy already"), std::string::npos);

    EXPECT_EQ(run(dir, {"list"}).out, "Rounder\nfish 2\n");
    EXPECT_EQ(run(dir, {"remove", "rounder"}).status, 0);
    EXPECT_EQ(run(dir, {"list"}).out, "fish 2\n");
    EXPECT_EQ(run(dir, {"remove", "rounder"}).status, 1);
}

TEST(BuddiesCommand, ImportAndExportCsv) {
    TempDir dir;
    writeBytes(dir / "in.csv", "a\r\nb\r\n\r\nA\r\nc");
    const CommandRun imported = run(dir, {"import", (dir / "in.csv").string()});
    EXPECT_EQ(imported.status, 0);
    EXPECT_EQ(imported.out, "3 buddies successfully imported.\n");
    EXPECT_EQ(run(dir, {"export", (dir / "out").string()}).status, 0);
    EXPECT_EQ(readBytes(dir / "out.csv"), "a\nb\nc\n");

    const CommandRun missing = run(dir, {"import", (dir / "none.csv").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Could not read"), std::string::npos);
    EXPECT_EQ(run(dir, {"export", (dir / "no" / "out.csv").string()}).status, 1);
}

TEST(BuddiesCommand, DamagedFileIsListedButNeverRewritten) {
    TempDir dir;
    const std::string damaged = bytes("\x03\0\0\0\x03\0\0\0abc\x09\0\0\0de");
    writeBytes(dir / "mofofish", damaged);
    const CommandRun listed = run(dir, {"list"});
    EXPECT_EQ(listed.status, 1);
    EXPECT_EQ(listed.out, "abc\n");
    EXPECT_NE(listed.err.find("Could not read the Everest buddylist"), std::string::npos);
    EXPECT_EQ(run(dir, {"add", "x"}).status, 1);
    EXPECT_EQ(readBytes(dir / "mofofish"), damaged);
}

TEST(BuddiesCommand, BadUsage) {
    TempDir dir;
    EXPECT_EQ(run(dir, {}).status, 1);
    EXPECT_EQ(run(dir, {"frobnicate"}).status, 1);
    EXPECT_EQ(run(dir, {"add"}).status, 1);
    EXPECT_EQ(run(dir, {"list", "extra"}).status, 1);
    EXPECT_EQ(run(dir, {"add", ""}).status, 1);
    EXPECT_EQ(run(dir, {"add", std::string(150, 'x')}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "mofofish"));
}

TEST(BuddiesCommand, RefusedDiskIsReported) {
    TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runBuddiesCommand({"add", "x"}, dir / "gone", out, err), 1);
    EXPECT_NE(err.str().find("gone/.mofofish.lock: No such file or directory"), std::string::npos);
}

}  // namespace
}  // namespace kestrova
