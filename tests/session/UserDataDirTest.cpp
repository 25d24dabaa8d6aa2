#include "UserDataDir.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace kestrova {
namespace {

TEST(UserDataDirTest, FirstStartMovesTheCompanionFilesAndOnlyThose) {
    test::TempDir start;
    test::TempDir home;
    for (const char* name : {"db.conf", "port0.conf", "VPIP", "Contibet_flop", "mofofish",
                             "Window.conf", "fstakes5", "LIMITS", "pp.lo", "ftp.def"})
        test::writeBytes(start / name, name);
    for (const char* name : {"notes.txt", "port.conf", "portX.conf", "log.txt", "ocr2.txt"})
        test::writeBytes(start / name, "stays");
    std::filesystem::create_directory(start / "VPIP.d");
    const auto dir = home / "share" / "kestrova";

    const UserDataDir first = UserDataDir::prepare(dir, start.path());
    EXPECT_TRUE(first.created);
    EXPECT_TRUE(first.problems.empty());
    EXPECT_EQ(first.moved.size(), 10u);
    EXPECT_EQ(test::readBytes(dir / "db.conf"), "db.conf");
    for (const char* name : {"notes.txt", "port.conf", "portX.conf", "log.txt", "ocr2.txt"})
        EXPECT_TRUE(std::filesystem::exists(start / name)) << name;
    EXPECT_FALSE(std::filesystem::exists(start / "db.conf"));
    EXPECT_EQ(std::filesystem::status(dir).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
    const std::vector<std::string> trace = first.traceLines();
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[1], "Moved from " + start.path().string() + " to " + dir.string() +
                            ": Contibet_flop LIMITS VPIP Window.conf db.conf fstakes5 ftp.def "
                            "mofofish port0.conf pp.lo\n");

    // Once only: a later start from a folder with old files leaves them alone.
    test::writeBytes(start / "mofofish", "newer");
    const UserDataDir second = UserDataDir::prepare(dir, start.path());
    EXPECT_FALSE(second.created);
    EXPECT_TRUE(second.moved.empty());
    EXPECT_TRUE(second.traceLines().empty());
    EXPECT_TRUE(std::filesystem::exists(start / "mofofish"));
}

TEST(UserDataDirTest, AFolderThatCannotBeMadeLeavesTheFilesInTheStartFolder) {
    test::TempDir start;
    test::writeBytes(start / "db.conf", "x");
    test::writeBytes(start / "blocker", "a file where the folder should go");

    const UserDataDir data = UserDataDir::prepare(start / "blocker" / "kestrova", start.path());
    EXPECT_EQ(data.dir, start.path());
    EXPECT_FALSE(data.created);
    ASSERT_EQ(data.problems.size(), 1u);
    EXPECT_NE(data.problems[0].find("Cannot create the folder"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(start / "db.conf"));
}

// What killed saves left behind goes at the next start, for every file family
// the programs write; a young temporary may be a save in progress and stays.
TEST(UserDataDirTest, TheStartRemovesTheTemporariesOfKilledSaves) {
    test::TempDir data;
    test::TempDir config;
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2);
    const std::vector<std::string> gone = {
        ".port0.conf.Ab3xYz", ".port12.conf.000000", ".db.conf.q1W2e3", ".mofofish.zzzzzz",
        ".VPIP.AAAAAA",       ".ocr2.txt.a1b2c3",    ".pp.lo.x9Y8z7"};
    const std::vector<std::string> kept = {".notes.txt.Ab3xYz", ".port0.conf.Ab3xY",
                                           "port0.conf.Ab3xYz", ".port0.conf"};
    for (const std::string& name : gone)
        test::writeBytes(data / name, "left by a killed save");
    for (const std::string& name : kept)
        test::writeBytes(data / name, "not a temporary of ours");
    for (const std::string& name : gone)
        std::filesystem::last_write_time(data / name, old);
    for (const std::string& name : kept)
        std::filesystem::last_write_time(data / name, old);
    test::writeBytes(data / ".db.conf.young1", "a save in progress");
    test::writeBytes(config / ".Velloran.ini.XyZ123", "killed");
    std::filesystem::last_write_time(config / ".Velloran.ini.XyZ123", old);
    test::writeBytes(config / "Velloran.ini", "[Tallyhand]\n");

    removeKilledSaveLeftovers(data.path(), config / "Velloran.ini");
    for (const std::string& name : gone)
        EXPECT_FALSE(std::filesystem::exists(data / name)) << name;
    for (const std::string& name : kept)
        EXPECT_TRUE(std::filesystem::exists(data / name)) << name;
    EXPECT_TRUE(std::filesystem::exists(data / ".db.conf.young1"));
    EXPECT_FALSE(std::filesystem::exists(config / ".Velloran.ini.XyZ123"));
    EXPECT_TRUE(std::filesystem::exists(config / "Velloran.ini"));
}

}  // namespace
}  // namespace kestrova
