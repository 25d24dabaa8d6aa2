#include "DbCommand.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "stats/DatabaseList.h"

namespace kestrova {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

struct CommandResult {
    int status;
    std::string out;
    std::string err;
};

CommandResult run(const TempDir& dir, std::vector<std::string> args, std::string stdinText = {}) {
    std::istringstream input(stdinText);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runDbCommand(args, dir.path(), input, out, err);
    return {status, out.str(), err.str()};
}

TEST(DbCommandTest, AddedEntriesAreListedWithoutPasswords) {
    TempDir dir;
    EXPECT_EQ(run(dir, {"list"}).out, "[]\n");

    CommandResult added = run(dir, {"add", "--kind", "5", "--host", "localhost", "--db", "pt3",
                                    "--user", "postgres", "--password", "hunter2"});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "1\n");
    added = run(dir, {"add", "--kind", "4", "--host", "db\"host", "--port", "6543", "--db", "hm",
                      "--user", "u", "--inactive"});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "2\n");

    const CommandResult listed = run(dir, {"list"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out,
              "[\n"
              "{\"index\":1,\"kind\":5,\"host\":\"localhost\",\"port\":5432,\"db\":\"pt3\","
              "\"user\":\"postgres\",\"active\":true},\n"
              "{\"index\":2,\"kind\":4,\"host\":\"db\\\"host\",\"port\":6543,\"db\":\"hm\","
              "\"user\":\"u\",\"active\":false}\n"
              "]\n");
    EXPECT_EQ(listed.out.find("hunter2"), std::string::npos);

    // The files are the program's own: the options dialog reads them back.
    const DatabaseList list = DatabaseList::load(dir.path());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.at(0).password, "hunter2");
    EXPECT_EQ(list.at(1).port, "6543");
}

TEST(DbCommandTest, DbConfIsOwnerOnly) {
    TempDir dir;
    ASSERT_EQ(run(dir, {"add", "--kind", "5", "--host", "h", "--db", "d", "--user", "u"}).status,
              0);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "db.conf").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777u, 0600u);
}

TEST(DbCommandTest, RemoveRenumbersAndKeepsTheRemainingPort) {
    TempDir dir;
    ASSERT_EQ(run(dir, {"add", "--kind", "5", "--host", "a", "--port", "5001", "--db", "d",
                        "--user", "u"})
                  .status,
              0);
    ASSERT_EQ(run(dir, {"add", "--kind", "6", "--host", "b", "--port", "5002", "--db", "d",
                        "--user", "u"})
                  .status,
              0);
    EXPECT_EQ(run(dir, {"remove", "1"}).status, 0);
    const DatabaseList list = DatabaseList::load(dir.path());
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.at(0).host, "b");
    EXPECT_EQ(list.at(0).port, "5002");
    EXPECT_EQ(list.at(0).position, "1");

    EXPECT_EQ(run(dir, {"remove", "2"}).status, 1);
    EXPECT_EQ(run(dir, {"remove", "0"}).status, 1);
    EXPECT_EQ(run(dir, {"remove", "x"}).status, 1);
    EXPECT_EQ(DatabaseList::load(dir.path()).size(), 1u);
}

TEST(DbCommandTest, BadAddsChangeNothing) {
    TempDir dir;
    const std::vector<std::vector<std::string>> bad = {
        {"add", "--host", "h", "--db", "d", "--user", "u"},                 // no kind
        {"add", "--kind", "7", "--host", "h", "--db", "d", "--user", "u"},  // never stored
        {"add", "--kind", "-1", "--host", "h", "--db", "d", "--user", "u"},
        {"add", "--kind", "5", "--db", "d", "--user", "u"},  // no host
        {"add", "--kind", "5", "--host", "h", "--port", "70000", "--db", "d", "--user", "u"},
        {"add", "--kind", "5", "--host", "h", "--port", "54a", "--db", "d", "--user", "u"},
        {"add", "--kind", "5", "--host", std::string(100, 'h'), "--db", "d", "--user", "u"},
        {"add", "--kind", "5", "--host", "h", "--db", "d", "--user", "u", "--password",
         std::string(100, 'p')},
        {"add", "--kind", "5", "--host", "h", "--host", "i", "--db", "d", "--user", "u"},
        {"add", "--kind", "5", "--host", "h", "--db", "d", "--user", "u", "--colour", "red"},
        {"add", "--kind", "5", "--host", "h", "--db", "d", "--user"},
        {"frobnicate"},
        {},
    };
    for (const auto& args : bad) {
        const CommandResult r = run(dir, args);
        EXPECT_EQ(r.status, 1) << (args.empty() ? "" : args.back());
        EXPECT_NE(r.err, "");
        EXPECT_FALSE(std::filesystem::exists(dir / "db.conf"));
    }
}

TEST(DbCommandTest, DamagedFileIsListedAsFarAsReadableButNotRewritten) {
    TempDir dir;
    ASSERT_EQ(run(dir, {"add", "--kind", "5", "--host", "h", "--db", "d", "--user", "u"}).status,
              0);
    std::string damaged = readBytes(dir / "db.conf");
    damaged[0] = 2;  // claims a second entry that is not there
    writeBytes(dir / "db.conf", damaged);

    const CommandResult listed = run(dir, {"list"});
    EXPECT_EQ(listed.status, 1);
    EXPECT_NE(listed.out.find("\"host\":\"h\""), std::string::npos);
    EXPECT_NE(listed.err, "");

    EXPECT_EQ(run(dir, {"add", "--kind", "5", "--host", "x", "--db", "d", "--user", "u"}).status,
              1);
    EXPECT_EQ(run(dir, {"remove", "1"}).status, 1);
    EXPECT_EQ(readBytes(dir / "db.conf"), damaged);

    // A file that cannot be read at all is neither listed as empty nor replaced.
    std::filesystem::remove(dir / "db.conf");
    std::filesystem::create_directory(dir / "db.conf");
    const CommandResult unreadable = run(dir, {"list"});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.err.find("db.conf: Is a directory"), std::string::npos);
    EXPECT_EQ(run(dir, {"add", "--kind", "5", "--host", "x", "--db", "d", "--user", "u"}).status,
              1);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "db.conf"));
}

TEST(DbCommandTest, PasswordFromStandardInputAndInvalidUtf8InTheList) {
    TempDir dir;
    ASSERT_EQ(run(dir,
                  {"add", "--kind", "5", "--host", "h\xff", "--db", "d", "--user", "u",
                   "--password-stdin"},
                  "s3cret\r\n")
                  .status,
              0);
    EXPECT_EQ(DatabaseList::load(dir.path()).at(0).password, "s3cret");
    EXPECT_NE(run(dir, {"list"}).out.find("\"host\":\"h\xEF\xBF\xBD\""), std::string::npos);
    EXPECT_EQ(run(dir, {"add", "--kind", "5", "--host", "h", "--db", "d", "--user", "u",
                        "--password-stdin"})
                  .status,
              1);
}

}  // namespace
}  // namespace kestrova
