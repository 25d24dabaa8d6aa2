#include "records/DatabaseList.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "KilledSaves.h"
#include "Printers.h"
#include "TempDir.h"

namespace kestrova {
namespace {

using test::bytes;
using test::le32;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

// Two entries written out by hand: a PokerTracker 3 database on localhost
// (active) and an inactive Holdem Manager one without a password.
const std::string kTwoEntries = le32({2, 9}) + "localhost" + le32({3}) + "pt3" + le32({8}) +
                                "postgres" + le32({5, 6}) + "secret" + "0" + le32({8}) +
                                "10.0.0.2" + le32({2}) + "hm" + le32({1}) + "u" + le32({4, 0}) +
                                "1";
const std::string kPort5433 = le32({5433});
const std::string kPort5432 = le32({5432});

DatabaseEntry entry(std::string host, std::string database, std::string user, std::int32_t kind,
                    std::string password, bool active, std::string port = "5432") {
    return {.host = std::move(host),
            .port = std::move(port),
            .database = std::move(database),
            .user = std::move(user),
            .password = std::move(password),
            .active = active,
            .kind = kind};
}

// One record with the given host text and marker, for the hostile-file cases.
std::string record(const std::string& host, char marker = '0') {
    return le32({static_cast<std::int32_t>(host.size())}) + host + le32({1}) + "d" + le32({1}) +
           "u" + le32({5, 0}) + marker;
}

unsigned modeOf(const std::filesystem::path& file) {
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_mode & 0777u;
}

// The ports follow the records in "db.conf" as well as in "port%i.conf"; a
// missing or short port file gives the default port.
TEST(DatabaseListFiles, HandWrittenFileLoadsAndSavesToTheSameBytes) {
    TempDir dir;
    writeBytes(dir / "db.conf", kTwoEntries);
    writeBytes(dir / "port0.conf", kPort5433);
    writeBytes(dir / "port1.conf", bytes("\x39\x15"));

    std::string problem = "stale";
    const DatabaseList list = DatabaseList::load(dir.path(), &problem);
    EXPECT_EQ(problem, "");
    DatabaseEntry first = entry("localhost", "pt3", "postgres", 5, "secret", true, "5433");
    first.position = "1";
    DatabaseEntry second = entry("10.0.0.2", "hm", "u", 4, "", false, "5432");
    second.position = "2";
    EXPECT_EQ(list.entries(), (std::vector<DatabaseEntry>{first, second}));

    TempDir out;
    ASSERT_TRUE(list.save(out.path()));
    EXPECT_EQ(readBytes(out / "db.conf"), kTwoEntries + "PORT" + kPort5433 + kPort5432);
    EXPECT_EQ(readBytes(out / "port0.conf"), kPort5433);
    EXPECT_EQ(readBytes(out / "port1.conf"), kPort5432);
}

TEST(DatabaseListFiles, MarkersPortsAndKindsAsStored) {
    TempDir dir;
    writeBytes(dir / "db.conf", le32({4}) + record("h0", '0') + record("h1", 'x') +
                                    record("h2", '1') + record("h3", '\0'));
    std::vector<bool> active;
    const DatabaseList markers = DatabaseList::load(dir.path());
    for (const DatabaseEntry& e : markers.entries())
        active.push_back(e.active);
    EXPECT_EQ(active, (std::vector<bool>{true, true, false, true})) << "only '1' is inactive";

    EXPECT_EQ(DatabaseList::portNumber(" 5433 "), 5433);
    for (const char* bad : {"0x10", "54a", "", "99999999999"})
        EXPECT_EQ(DatabaseList::portNumber(bad), 0) << bad;
    DatabaseList list;
    list.append(entry("h", "d", "u", 7, "", true, "abc"));  // monthly Holdem Manager
    ASSERT_TRUE(list.save(dir.path()));
    EXPECT_EQ(readBytes(dir / "port0.conf"), bytes("\x00\x00\x00\x00"));
    EXPECT_EQ(DatabaseList::load(dir.path()).at(0).kind, 4);
}

TEST(DatabaseListFiles, RemovingFirstOfTwoRewritesPortZeroAndAnInterruptedSaveKeepsPorts) {
    TempDir dir;
    DatabaseList list;
    list.append(entry("first", "d1", "u1", 5, "", true, "5433"));
    list.append(entry("second", "d2", "u2", 5, "", true, "5434"));
    ASSERT_TRUE(list.save(dir.path()));
    const DatabaseList two = list;

    ASSERT_TRUE(list.remove(0));
    EXPECT_FALSE(list.remove(5));
    EXPECT_EQ(list.at(0).position, "1");
    ASSERT_TRUE(list.save(dir.path()));
    EXPECT_EQ(readBytes(dir / "port0.conf"), bytes("\x3a\x15\x00\x00"));
    const DatabaseList loaded = DatabaseList::load(dir.path());
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded.at(0).host, "second");
    EXPECT_EQ(loaded.at(0).port, "5434");

    // Killed at any step of a save (after the port files, before "db.conf"...),
    // the list loads whole as it was saved before or after, each entry with its port.
    ASSERT_TRUE(two.save(dir.path()));
    const int steps = test::killAtEveryStep(
        [&] { return list.save(dir.path()); },
        [&](bool finished) {
            const DatabaseList now = DatabaseList::load(dir.path());
            if (finished)
                EXPECT_EQ(now.entries(), list.entries());
            else
                EXPECT_TRUE(now.entries() == two.entries() || now.entries() == list.entries());
            ASSERT_TRUE(two.save(dir.path()));
        });
    EXPECT_GE(steps, 10) << "two files of five steps each";
}

// A "db.conf" that exists but cannot be read is no empty list, and reading it
// never waits (a FIFO without a writer).
TEST(DatabaseListHostile, UnreadableFileIsAProblemNotAnEmptyList) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "db.conf").c_str(), 0600), 0);
    std::string problem;
    EXPECT_TRUE(DatabaseList::load(dir.path(), &problem).empty());
    EXPECT_NE(problem.find("db.conf: not a regular file"), std::string::npos);
    std::filesystem::remove(dir / "db.conf");
    std::filesystem::create_directory(dir / "db.conf");
    DatabaseList::load(dir.path(), &problem);
    EXPECT_NE(problem.find("db.conf: Is a directory"), std::string::npos);
}

// Texts hold at most 99 bytes; damage ends the read after the whole records
// before it, and is told.
TEST(DatabaseListHostile, DamageEndsTheReadAfterWholeRecords) {
    // clang-format off
    const std::string cases[] = {
        record(std::string(100, 'x')),                    // one byte too long
        bytes("\xff\xff\xff\xff"),                        // negative length
        bytes("\xff\xff\xff\x7f" "abc"),                  // length far past the end
        record("cut").substr(0, record("cut").size() - 1),  // marker missing
        record("cut").substr(0, 20),                      // ends inside the kind
    };
    // clang-format on
    for (const std::string& bad : cases) {
        TempDir dir;
        writeBytes(dir / "db.conf", le32({3}) + record(std::string(99, 'h')) + bad);
        std::string problem;
        const DatabaseList list = DatabaseList::load(dir.path(), &problem);
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list.at(0).host, std::string(99, 'h'));
        EXPECT_NE(problem.find("entry 2"), std::string::npos) << problem;
    }
    TempDir dir;
    std::string problem;
    writeBytes(dir / "db.conf", le32({2147483647}) + record("one") + record("two"));
    EXPECT_EQ(DatabaseList::load(dir.path(), &problem).size(), 2u);
    EXPECT_NE(problem, "");
    for (const std::string& bad : {le32({-1}) + record("one"), bytes("\x01\x00")}) {
        writeBytes(dir / "db.conf", bad);
        EXPECT_TRUE(DatabaseList::load(dir.path(), &problem).empty());
        EXPECT_NE(problem, "");
    }
}

TEST(DatabaseListHostile, SaveRefusesTextsLongerThan99BytesAndWritesNothing) {
    TempDir dir;
    writeBytes(dir / "db.conf", kTwoEntries);
    for (int field = 0; field < 4; ++field) {
        DatabaseEntry e = entry("h", "d", "u", 5, "p", true);
        std::string* texts[] = {&e.host, &e.database, &e.user, &e.password};
        *texts[field] = std::string(100, 'z');
        DatabaseList list;
        list.append(entry("ok", "d", "u", 5, "", true));
        list.append(e);
        std::string problem;
        EXPECT_FALSE(list.save(dir.path(), &problem));
        EXPECT_NE(problem.find("entry 2"), std::string::npos) << problem;
        EXPECT_EQ(readBytes(dir / "db.conf"), kTwoEntries);
        EXPECT_FALSE(std::filesystem::exists(dir / "port0.conf"));
    }
}

// Passwords are stored: a saved file, new or world-readable before, is the owner's only.
TEST(DatabaseListFiles, FilesAreWrittenForTheOwnerOnly) {
    TempDir dir;
    writeBytes(dir / "db.conf", kTwoEntries);
    writeBytes(dir / "port0.conf", kPort5433);
    std::filesystem::permissions(dir / "db.conf", std::filesystem::perms(0644));
    std::filesystem::permissions(dir / "port0.conf", std::filesystem::perms(0666));
    const mode_t oldMask = ::umask(022);
    const bool saved = DatabaseList::load(dir.path()).save(dir.path());
    ::umask(oldMask);
    ASSERT_TRUE(saved);
    for (const char* file : {"db.conf", "port0.conf", "port1.conf"})
        EXPECT_EQ(modeOf(dir / file), 0600u) << file;
}

}  // namespace
}  // namespace kestrova
