#include "settings/SettingsStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <set>
#include <string>

#include "KilledSaves.h"
#include "TempDir.h"
#include "common/FileLock.h"
#include "settings/SettingKeys.h"

namespace kestrova {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

class SettingsStoreTest : public ::testing::Test {
protected:
    std::filesystem::path ini() const { return dir_ / "Velloran.ini"; }
    SettingsStore storeWith(std::string_view text) {
        writeBytes(ini(), text);
        return SettingsStore(ini());
    }

    TempDir dir_;
};

// ---- reads -----------------------------------------------------------------

TEST_F(SettingsStoreTest, ReadsTheFirstKeyOfTheSectionIgnoringCase) {
    const SettingsStore store = storeWith(
        "form=3\n[Other]\nform=2\n"
        "[TALLYHAND]\n; form=4\nnot a key line\n form = 6 \n"
        "a=12abc\nb=-5\nc=abc\nf=\nh=3.9\nscanint=10\nscanint=20\n"
        "[Tallyhand]\nlater=5\n");
    EXPECT_EQ(store.readInt("FORM", 0), 6);
    EXPECT_EQ(store.readInt("a", 99), 12);
    EXPECT_EQ(store.readInt("b", 99), -5);
    EXPECT_EQ(store.readInt("c", 99), 0);
    EXPECT_EQ(store.readInt("f", 99), 99) << "an empty value reads as missing";
    EXPECT_EQ(store.readInt("h", 99), 3);
    EXPECT_EQ(store.readInt("scanint", 0), 10);
    EXPECT_EQ(store.readInt("later", -1), -1) << "only the first section counts";
    EXPECT_EQ(SettingsStore(dir_ / "none.ini").readText("profilme", "me", 128), "me");
}

TEST_F(SettingsStoreTest, TextIsCutToBufferLessOneAndLosesBlanksAndQuotes) {
    const SettingsStore store = storeWith(
        "[Tallyhand]\r\n"
        "profilme=abcdefghij\r\n"
        "suffix=   htm  \r\n"
        "a=\"quoted text\"\r\n"
        "c=\"unbalanced\r\n"
        "d=inner \"quotes\" stay\r\n");
    EXPECT_EQ(store.readText("profilme", "", 5), "abcd");
    EXPECT_EQ(store.readText("profilme", "", 0), "");
    EXPECT_EQ(store.readText("missing", "defaultvalue", 8), "default");
    EXPECT_EQ(store.readText("suffix", "", 1000), "htm");
    EXPECT_EQ(store.readText("a", "", 1000), "quoted text");
    EXPECT_EQ(store.readText("c", "", 1000), "\"unbalanced");
    EXPECT_EQ(store.readText("d", "", 1000), "inner \"quotes\" stay");

    // Each typed key reads through its own buffer, as its window did.
    SettingsStore typed(dir_ / "typed.ini");
    ASSERT_TRUE(typed.writeText(keys::profilme, std::string(200, 'x')));
    EXPECT_EQ(typed.readText(keys::profilme).size(), 127u);
    EXPECT_EQ(typed.readText(keys::profilmeProfileTab).size(), 200u);
}

// ---- writes ------------------------------------------------------------------

TEST_F(SettingsStoreTest, WriteKeepsEveryOtherByteOfAForeignCrlfFile) {
    const std::string before =
        "; written by another program\r\n"
        "[General]\r\n"
        "Lim=9\r\n"
        "\r\n"
        "[tallyhand]\r\n"
        "  LIM = 0   ; not a comment, part of the value\r\n"
        "NLim=1\r\n"
        "\r\n"
        "[Last]\r\n"
        "x=y";
    SettingsStore store = storeWith(before);

    ASSERT_TRUE(store.writeText("Lim", "1"));
    std::string expected = before;
    expected.replace(expected.find("0   ; not"),
                     std::string("0   ; not a comment, part of the value").size(), "1");
    EXPECT_EQ(readBytes(ini()), expected);

    ASSERT_TRUE(store.writeText("profilme", "Hero"));
    expected.insert(expected.find("NLim=1\r\n") + 8, "profilme=Hero\r\n");
    EXPECT_EQ(readBytes(ini()), expected);
    EXPECT_EQ(store.readInt("Lim", 0), 1);
    EXPECT_EQ(store.readText("profilme", "", 128), "Hero");
}

TEST_F(SettingsStoreTest, WriteAppendsSectionAfterLastLineWithoutBreak) {
    SettingsStore store = storeWith("[Other]\r\nx=1");
    ASSERT_TRUE(store.writeText("scanint", "15"));
    EXPECT_EQ(readBytes(ini()), "[Other]\r\nx=1\r\n[Tallyhand]\r\nscanint=15\r\n");
}

// Found by fuzzing: a bare CR ending the file belongs to the line end, not to the value.
// Files edited elsewhere: CR-only and mixed line ends and a byte-order mark
// are read, and a write changes the key instead of appending a duplicate.
TEST_F(SettingsStoreTest, EveryLineEndStyleAndAByteOrderMarkAreRead) {
    SettingsStore store = storeWith("[Tallyhand]\rform=3\rskin=2\r");
    EXPECT_EQ(store.readInt("form", 0), 3);
    ASSERT_TRUE(store.writeText("form", "5"));
    ASSERT_TRUE(store.writeText("scan", "7"));
    EXPECT_EQ(readBytes(ini()), "[Tallyhand]\rform=5\rskin=2\rscan=7\r");

    store = storeWith("\xEF\xBB\xBF[Tallyhand]\r\nform=3\nskin=2\r");
    EXPECT_EQ(store.readInt("form", 0), 3);
    EXPECT_EQ(store.readInt("skin", 0), 2);
    ASSERT_TRUE(store.writeText("skin", "1"));
    EXPECT_EQ(readBytes(ini()), "\xEF\xBB\xBF[Tallyhand]\r\nform=3\nskin=1\r");

    SettingsStore other = storeWith("[Other]\nx=1\r");
    ASSERT_TRUE(other.writeText("form", "5"));
    EXPECT_EQ(other.readInt("form", 0), 5);
    EXPECT_EQ(other.readInt("x", 0), 0);
}

// A file over the limit is refused whole, never half read and rewritten; a
// symbolic link stays a link; a write killed earlier leaves no temporary file
// for long; concurrent writers lose no key.
TEST_F(SettingsStoreTest, LargeFilesLinksStaleTemporariesAndConcurrentWriters) {
    std::string big =
        "[Tallyhand]\n" + std::string(SettingsStore::kMaxFileBytes, ';') + "\nform=3\n";
    SettingsStore store = storeWith(big);
    EXPECT_EQ(store.readInt("form", 1), 1);
    EXPECT_NE(store.readProblem().find("larger than"), std::string::npos);
    EXPECT_FALSE(store.writeText("form", "5"));
    EXPECT_NE(store.lastError().find("Velloran.ini: larger than"), std::string::npos);
    EXPECT_EQ(readBytes(ini()).size(), big.size());

    std::filesystem::remove(ini());
    writeBytes(dir_ / "real.ini", "[Tallyhand]\nform=3\n");
    std::filesystem::create_symlink("real.ini", ini());
    const auto stale = dir_ / ".real.ini.AbC123";
    writeBytes(stale, "left by a killed write");
    std::filesystem::last_write_time(
        stale, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    // Under the file's lock a temporary is a killed write's however young:
    // a quick run of kills followed by a save leaves none.
    const auto young = dir_ / ".real.ini.XyZ987";
    writeBytes(young, "left by a write killed a moment ago");
    ASSERT_TRUE(store.writeText("form", "4"));
    EXPECT_TRUE(std::filesystem::is_symlink(ini()));
    EXPECT_EQ(readBytes(dir_ / "real.ini"), "[Tallyhand]\nform=4\n");
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_FALSE(std::filesystem::exists(young));

    constexpr int kKeys = 20;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    const char* prefix = child == 0 ? "child" : "parent";
    bool allWritten = true;
    for (int i = 0; i < kKeys; ++i) {
        allWritten = store.writeText(prefix + std::to_string(i), "1") && allWritten;
    }
    if (child == 0) {
        ::_exit(allWritten ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(allWritten);
    EXPECT_EQ(status, 0);
    for (int i = 0; i < kKeys; ++i) {
        EXPECT_EQ(store.readInt("child" + std::to_string(i), 0), 1) << i;
        EXPECT_EQ(store.readInt("parent" + std::to_string(i), 0), 1) << i;
    }
}

TEST_F(SettingsStoreTest, ValuesThatWouldBreakTheFileAreRefused) {
    SettingsStore store = storeWith("[Tallyhand]\nprofilme=me\n");
    EXPECT_FALSE(store.writeText("profilme", "two\nlines"));
    EXPECT_FALSE(store.writeText("pro=filme", "x"));
    EXPECT_FALSE(store.writeText("", "x"));
    EXPECT_FALSE(store.writeText("[x]", "x"));
    EXPECT_EQ(readBytes(ini()), "[Tallyhand]\nprofilme=me\n");
}

// Names are found ignoring case, so no two keys may differ in case only.
// A shared history's password makes the file the user's alone, however the
// connection text spells it.
TEST_F(SettingsStoreTest, AFileHoldingAPasswordIsWrittenForTheUserAlone) {
    const auto mode = [this] {
        struct stat status{};
        ::stat(ini().c_str(), &status);
        return status.st_mode & 0777;
    };
    for (const char* connection : {"host=db PASSWORD=s3cret", "host=db Password=s3cret",
                                   "postgresql://me:s3cret@db/history"}) {
        SettingsStore store = storeWith("[Tallyhand]\nprofilme=Hero\n");
        ASSERT_EQ(::chmod(ini().c_str(), 0644), 0);
        ASSERT_TRUE(store.writeText(keys::historydb, "host=db user=me"));
        EXPECT_EQ(mode(), 0644u);
        ASSERT_TRUE(store.writeText(keys::historydb, connection));
        EXPECT_EQ(mode(), 0600u) << connection;
    }
}

TEST(SettingKeys, NoTwoNamesDifferInCaseOnly) {
    std::set<std::string> names;
    for (const SettingKey& key : allSettingKeys()) {
        std::string lower(settingName(key));
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        EXPECT_TRUE(names.insert(lower).second) << lower;
    }
    ASSERT_NE(findSettingKey("LIM"), nullptr);
    EXPECT_EQ(settingName(*findSettingKey("LIM")), "Lim");
}

// A write that fails half-way (here: the file-size limit, which holds even for
// root) leaves the old file whole and no temporary file behind.
TEST_F(SettingsStoreTest, FailedWriteLeavesOldFile) {
    const std::string before = "[Tallyhand]\nprofilme=me\n";
    SettingsStore store = storeWith(before);

    const bool written = test::underFileSizeLimit(
        64, [&] { return store.writeText("profilme", std::string(500, 'y')); });

    EXPECT_FALSE(written);
    EXPECT_EQ(readBytes(ini()), before);
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        entries += entry.path() != FileLock::lockPath(ini());
    }
    EXPECT_EQ(entries, 1) << "the temporary file must be removed";
}

// Killed before any step of a write, the process leaves the old file or the
// new one whole, and the lock it held does not keep the next writer out.
TEST_F(SettingsStoreTest, KilledAtEveryStepOfAWriteLeavesTheOldOrTheNewFile) {
    const std::string before = "[Tallyhand]\nform=3\nprofilme=me\n";
    const std::string after = "[Tallyhand]\nform=3\nprofilme=Hero\n";
    SettingsStore store = storeWith(before);
    const int steps =
        test::killAtEveryStep([&] { return store.writeText("profilme", "Hero"); },
                              [&](bool finished) {
                                  const std::string now = readBytes(ini());
                                  EXPECT_TRUE(now == after || (!finished && now == before)) << now;
                                  writeBytes(ini(), before);
                              });
    EXPECT_GE(steps, 5);
    ASSERT_TRUE(store.writeText("form", "4"));
    EXPECT_EQ(store.readInt("form", 0), 4);
}

TEST_F(SettingsStoreTest, FirstWriteCreatesTheFolderAndAnUnwritablePlaceFails) {
    const std::filesystem::path file = dir_ / "deep" / "kestrova" / "Velloran.ini";
    ASSERT_TRUE(SettingsStore(file).writeText("form", "5"));
    EXPECT_EQ(readBytes(file), "[Tallyhand]\nform=5\n");

    writeBytes(dir_ / "notadir", "x");
    SettingsStore store(dir_ / "notadir" / "Velloran.ini");
    EXPECT_FALSE(store.writeText("form", "5"));
    EXPECT_NE(store.lastError().find("notadir"), std::string::npos);

    // A file that exists but cannot be read is no empty file to replace.
    std::filesystem::create_directory(ini());
    SettingsStore folder(ini());
    EXPECT_FALSE(folder.writeText("form", "5"));
    EXPECT_NE(folder.readProblem().find("Is a directory"), std::string::npos);
}

// The file lives under $XDG_CONFIG_HOME, or ~/.config when that is unset or relative.
TEST(SettingsStorePath, FollowsXdgConfigHome) {
    const auto restore = [](const char* name, const char* old) {
        old ? ::setenv(name, old, 1) : ::unsetenv(name);
    };
    const char* oldHome = std::getenv("HOME");
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedHome = oldHome ? oldHome : "", savedXdg = oldXdg ? oldXdg : "";
    ::setenv("HOME", "/home/someone", 1);
    ::setenv("XDG_CONFIG_HOME", "/tmp/xdgtest", 1);
    EXPECT_EQ(SettingsStore::defaultPath(), "/tmp/xdgtest/kestrova/Velloran.ini");
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
    EXPECT_EQ(SettingsStore::defaultPath(), "/home/someone/.config/kestrova/Velloran.ini");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsStore::defaultPath(), "/home/someone/.config/kestrova/Velloran.ini");
    restore("HOME", oldHome ? savedHome.c_str() : nullptr);
    restore("XDG_CONFIG_HOME", oldXdg ? savedXdg.c_str() : nullptr);
}

}  // namespace
}  // namespace kestrova
