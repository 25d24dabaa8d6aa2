#include "stats/DatabaseList.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "TempDir.h"

namespace kestrova {
namespace {

using test::bytes;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

// Two entries written out by hand: a PokerTracker 3 database on localhost
// (active) and an inactive Holdem Manager one without a password.
// clang-format off
const std::string kTwoEntries = bytes(
    "\x02\x00\x00\x00"
    "\x09\x00\x00\x00" "localhost"
    "\x03\x00\x00\x00" "pt3"
    "\x08\x00\x00\x00" "postgres"
    "\x05\x00\x00\x00"
    "\x06\x00\x00\x00" "secret"
    "0"
    "\x08\x00\x00\x00" "10.0.0.2"
    "\x02\x00\x00\x00" "hm"
    "\x01\x00\x00\x00" "u"
    "\x04\x00\x00\x00"
    "\x00\x00\x00\x00"
    "1");
// clang-format on
const std::string kPort5433 = bytes("\x39\x15\x00\x00");
const std::string kPort5432 = bytes("\x38\x15\x00\x00");

DatabaseEntry entry(std::string host, std::string database, std::string user, std::int32_t kind,
                    std::string password, bool active, std::string port = "5432") {
    DatabaseEntry e;
    e.host = std::move(host);
    e.database = std::move(database);
    e.user = std::move(user);
    e.kind = kind;
    e.password = std::move(password);
    e.active = active;
    e.port = std::move(port);
    return e;
}

// One record with the given host text and marker, for the hostile-file cases.
std::string record(const std::string& host, char marker = '0') {
    std::string r;
    const auto length = static_cast<std::uint32_t>(host.size());
    for (int i = 0; i < 4; ++i) {
        r += static_cast<char>((length >> (8 * i)) & 0xFF);
    }
    r += host;
    // clang-format off
    r += bytes("\x01\x00\x00\x00" "d" "\x01\x00\x00\x00" "u" "\x05\x00\x00\x00" "\x00\x00\x00\x00");
    // clang-format on
    r += marker;
    return r;
}

std::string count(std::uint32_t n) {
    std::string c;
    for (int i = 0; i < 4; ++i) {
        c += static_cast<char>((n >> (8 * i)) & 0xFF);
    }
    return c;
}

unsigned modeOf(const std::filesystem::path& file) {
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_mode & 0777u;
}

TEST(DatabaseListFilesTest, LoadsHandWrittenFileWithPortsAndDefaultPort) {
    TempDir dir;
    writeBytes(dir / "db.conf", kTwoEntries);
    writeBytes(dir / "port0.conf", kPort5433);  // no port1.conf

    std::string problem = "stale";
    const DatabaseList list = DatabaseList::load(dir.path(), &problem);
    EXPECT_EQ(problem, "");
    ASSERT_EQ(list.size(), 2u);
    DatabaseEntry first = entry("localhost", "pt3", "postgres", 5, "secret", true, "5433");
    first.position = "1";
    DatabaseEntry second = entry("10.0.0.2", "hm", "u", 4, "", false, "5432");
    second.position = "2";
    EXPECT_EQ(list.at(0), first);
    EXPECT_EQ(list.at(1), second);
}

TEST(DatabaseListFilesTest, SaveWritesTheSameBytesBack) {
    TempDir dir;
    writeBytes(dir / "db.conf", kTwoEntries);
    writeBytes(dir / "port0.conf", kPort5433);
    const DatabaseList list = DatabaseList::load(dir.path());

    TempDir out;
    ASSERT_TRUE(list.save(out.path()));
    // The ports follow the records as well (see DatabaseList).
    EXPECT_EQ(readBytes(out / "db.conf"), kTwoEntries + "PORT" + kPort5433 + kPort5432);
    EXPECT_EQ(readBytes(out / "port0.conf"), kPort5433);
    EXPECT_EQ(readBytes(out / "port1.conf"), kPort5432);
}

TEST(DatabaseListFilesTest, SavedListReloadsInOrderWithSecondPortFromIndexOne) {
    TempDir dir;
    DatabaseList list;
    list.append(entry("a", "one", "ua", 0, "pa", true, "6000"));
    list.append(entry("b", "two", "ub", 6, "pb", false, "6001"));
    ASSERT_TRUE(list.save(dir.path()));

    const DatabaseList loaded = DatabaseList::load(dir.path());
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded.at(0).host, "a");
    EXPECT_EQ(loaded.at(1).host, "b");
    EXPECT_EQ(loaded.at(1).port, "6001");
    EXPECT_EQ(readBytes(dir / "port1.conf"), bytes("\x71\x17\x00\x00"));
    EXPECT_FALSE(loaded.at(1).active);
    EXPECT_EQ(loaded.entries(), list.entries());
}

TEST(DatabaseListFilesTest, MissingFileOrZeroCountGiveAnEmptyList) {
    TempDir dir;
    std::string problem;
    EXPECT_TRUE(DatabaseList::load(dir.path(), &problem).empty());
    EXPECT_EQ(problem, "");

    writeBytes(dir / "db.conf", count(0));
    EXPECT_TRUE(DatabaseList::load(dir.path(), &problem).empty());
    EXPECT_EQ(problem, "");
}

TEST(DatabaseListFilesTest, EveryMarkerButOneLoadsAsActive) {
    TempDir dir;
    writeBytes(dir / "db.conf", count(4) + record("h0", '0') + record("h1", 'x') +
                                    record("h2", '1') + record("h3", '\0'));
    const DatabaseList list = DatabaseList::load(dir.path());
    ASSERT_EQ(list.size(), 4u);
    EXPECT_TRUE(list.at(0).active);
    EXPECT_TRUE(list.at(1).active);
    EXPECT_FALSE(list.at(2).active);
    EXPECT_TRUE(list.at(3).active);
}

TEST(DatabaseListFilesTest, RemovingFirstOfTwoRewritesPortZeroAndLeavesPortOne) {
    TempDir dir;
    DatabaseList list;
    list.append(entry("first", "d1", "u1", 5, "", true, "5433"));
    list.append(entry("second", "d2", "u2", 5, "", true, "5434"));
    ASSERT_TRUE(list.save(dir.path()));

    ASSERT_TRUE(list.remove(0));
    EXPECT_EQ(list.at(0).position, "1");
    ASSERT_TRUE(list.save(dir.path()));

    EXPECT_EQ(readBytes(dir / "port0.conf"), bytes("\x3a\x15\x00\x00"));
    EXPECT_TRUE(std::filesystem::exists(dir / "port1.conf"));
    const DatabaseList loaded = DatabaseList::load(dir.path());
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded.at(0).host, "second");
    EXPECT_EQ(loaded.at(0).port, "5434");
    EXPECT_FALSE(list.remove(5));

    // Killed after the port files but before "db.conf": the old entries keep
    // their own ports, as they were saved with them.
    DatabaseList two;
    two.append(entry("first", "d1", "u1", 5, "", true, "5433"));
    two.append(entry("second", "d2", "u2", 5, "", true, "5434"));
    ASSERT_TRUE(two.save(dir.path()));
    writeBytes(dir / "port0.conf", bytes("\x3a\x15\x00\x00"));
    const DatabaseList interrupted = DatabaseList::load(dir.path());
    ASSERT_EQ(interrupted.size(), 2u);
    EXPECT_EQ(interrupted.at(0).port, "5433");
    EXPECT_EQ(interrupted.at(1).port, "5434");
}

// A "db.conf" that exists but cannot be read is no empty list, and reading it
// never waits (a FIFO without a writer).
TEST(DatabaseListHostileTest, UnreadableFileIsAProblemNotAnEmptyList) {
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

TEST(DatabaseListFilesTest, ShortPortFileCountsAsMissing) {
    TempDir dir;
    writeBytes(dir / "db.conf", count(1) + record("h"));
    writeBytes(dir / "port0.conf", bytes("\x39\x15"));
    EXPECT_EQ(DatabaseList::load(dir.path()).at(0).port, "5432");
}

TEST(DatabaseListFilesTest, TypedPortsConvertInBaseTenOrGiveZero) {
    EXPECT_EQ(DatabaseList::portNumber("5433"), 5433);
    EXPECT_EQ(DatabaseList::portNumber(" 5433 "), 5433);
    EXPECT_EQ(DatabaseList::portNumber("0x10"), 0);
    EXPECT_EQ(DatabaseList::portNumber("54a"), 0);
    EXPECT_EQ(DatabaseList::portNumber(""), 0);
    EXPECT_EQ(DatabaseList::portNumber("99999999999"), 0);

    TempDir dir;
    DatabaseList list;
    list.append(entry("h", "d", "u", 5, "", true, "abc"));
    ASSERT_TRUE(list.save(dir.path()));
    EXPECT_EQ(readBytes(dir / "port0.conf"), bytes("\x00\x00\x00\x00"));
}

TEST(DatabaseListFilesTest, MonthlyHoldemManagerKindIsStoredAsHoldemManager) {
    TempDir dir;
    DatabaseList list;
    list.append(entry("h", "d", "u", 7, "", true));
    ASSERT_TRUE(list.save(dir.path()));
    EXPECT_EQ(DatabaseList::load(dir.path()).at(0).kind, 4);
}

TEST(DatabaseListFilesTest, PostgresKinds) {
    for (std::int32_t kind : {0, 4, 5, 6, 7}) {
        EXPECT_TRUE(isPostgresKind(kind)) << kind;
    }
    for (std::int32_t kind : {1, 2, 3, -1, 8, 1000}) {
        EXPECT_FALSE(isPostgresKind(kind)) << kind;
    }
}

TEST(DatabaseListHostileTest, TextOf99BytesLoadsAnd100EndsTheRead) {
    TempDir dir;
    const std::string longest(99, 'h');
    writeBytes(dir / "db.conf",
               count(3) + record(longest) + record(std::string(100, 'x')) + record("after"));
    std::string problem;
    const DatabaseList list = DatabaseList::load(dir.path(), &problem);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.at(0).host, longest);
    EXPECT_NE(problem.find("entry 2"), std::string::npos) << problem;
    EXPECT_NE(problem.find("100 bytes"), std::string::npos) << problem;
}

TEST(DatabaseListHostileTest, HugeCountKeepsTheRecordsThatAreThere) {
    TempDir dir;
    writeBytes(dir / "db.conf", count(0x7FFFFFFF) + record("one") + record("two"));
    std::string problem;
    const DatabaseList list = DatabaseList::load(dir.path(), &problem);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.at(1).host, "two");
    EXPECT_NE(problem, "");
}

TEST(DatabaseListHostileTest, NegativeCountOrShortCountGiveAnEmptyList) {
    TempDir dir;
    std::string problem;
    writeBytes(dir / "db.conf", count(0xFFFFFFFF) + record("one"));
    EXPECT_TRUE(DatabaseList::load(dir.path(), &problem).empty());
    EXPECT_NE(problem, "");

    writeBytes(dir / "db.conf", bytes("\x01\x00"));
    EXPECT_TRUE(DatabaseList::load(dir.path(), &problem).empty());
    EXPECT_NE(problem, "");
}

TEST(DatabaseListHostileTest, BadLengthsAndTruncationsEndTheReadAfterWholeRecords) {
    const std::string good = record("good");
    // clang-format off
    const std::string cases[] = {
        bytes("\xff\xff\xff\xff"),                        // negative length
        bytes("\xff\xff\xff\x7f" "abc"),                  // length far past the end
        bytes("\x05\x00\x00\x00" "ab"),                   // text cut short
        record("cut").substr(0, record("cut").size() - 1),  // marker missing
        record("cut").substr(0, 20),                      // ends inside the kind
    };
    // clang-format on
    for (const std::string& bad : cases) {
        TempDir dir;
        writeBytes(dir / "db.conf", count(3) + good + bad);
        std::string problem;
        const DatabaseList list = DatabaseList::load(dir.path(), &problem);
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list.at(0).host, "good");
        EXPECT_NE(problem.find("entry 2"), std::string::npos) << problem;
    }
}

TEST(DatabaseListHostileTest, SaveRefusesTextsLongerThan99BytesAndWritesNothing) {
    TempDir dir;
    writeBytes(dir / "db.conf", kTwoEntries);
    for (int field = 0; field < 4; ++field) {
        DatabaseEntry e = entry("h", "d", "u", 5, "p", true);
        std::string* texts[] = {&e.host, &e.database, &e.user, &e.password};
        *texts[field] = std::string(100, 'z');
        EXPECT_NE(DatabaseList::textProblem(e), "");
        DatabaseList list;
        list.append(entry("ok", "d", "u", 5, "", true));
        list.append(e);
        std::string problem;
        EXPECT_FALSE(list.save(dir.path(), &problem));
        EXPECT_NE(problem.find("entry 2"), std::string::npos) << problem;
        EXPECT_EQ(readBytes(dir / "db.conf"), kTwoEntries);
        EXPECT_FALSE(std::filesystem::exists(dir / "port0.conf"));
    }
    EXPECT_EQ(DatabaseList::textProblem(entry(std::string(99, 'h'), "d", "u", 5, "", true)), "");
}

TEST(DatabaseListPermissionsTest, FilesAreWrittenForTheOwnerOnly) {
    TempDir dir;
    const mode_t oldMask = ::umask(022);
    DatabaseList list;
    list.append(entry("h", "d", "u", 5, "secret", true));
    const bool saved = list.save(dir.path());
    ::umask(oldMask);
    ASSERT_TRUE(saved);
    EXPECT_EQ(modeOf(dir / "db.conf"), 0600u);
    EXPECT_EQ(modeOf(dir / "port0.conf"), 0600u);
}

TEST(DatabaseListPermissionsTest, AWorldReadableFileBecomesOwnerOnly) {
    TempDir dir;
    writeBytes(dir / "db.conf", kTwoEntries);
    writeBytes(dir / "port0.conf", kPort5433);
    std::filesystem::permissions(dir / "db.conf", std::filesystem::perms(0644));
    std::filesystem::permissions(dir / "port0.conf", std::filesystem::perms(0666));
    ASSERT_TRUE(DatabaseList::load(dir.path()).save(dir.path()));
    EXPECT_EQ(modeOf(dir / "db.conf"), 0600u);
    EXPECT_EQ(modeOf(dir / "port0.conf"), 0600u);
    EXPECT_EQ(modeOf(dir / "port1.conf"), 0600u);
}

}  // namespace
}  // namespace kestrova
