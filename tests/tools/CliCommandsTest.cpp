// The kestrova-cli commands that keep the user's files: buddies, settings and
// databases, and the look-up and the aggregator against a throwaway server.
#include "CommandLine.h"

#include "PostgresServer.h"
#include "TempDir.h"
#include "history/HistoryStore.h"
#include "rating/BuddyList.h"
#include "records/DatabaseList.h"
#include "settings/SettingsStore.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

namespace kestrova {
namespace {

using test::bytes;
using test::PostgresServer;
using test::readBytes;
using test::writeBytes;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Each command line run against the files of one temporary working directory.
class CliCommands : public ::testing::Test {
protected:
    Outcome run(const char* command, std::vector<std::string> args, const std::string& input = {}) {
        args.insert(args.begin(), command);
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        cli::CommandLine line(in, out, err);
        cli::addFileCommands(
            line, [this] { return folder; }, store);
        const int status = line.run(args);
        return {status, out.str(), err.str()};
    }
    Outcome buddies(const std::vector<std::string>& args) { return run("buddies", args); }
    Outcome settings(const std::vector<std::string>& args) { return run("settings", args); }
    Outcome db(const std::vector<std::string>& args, const std::string& in = {}) {
        return run("db", args, in);
    }
    Outcome lookup(const std::vector<std::string>& args) { return run("lookup", args); }
    static std::vector<std::string> add(std::vector<std::string> more) {
        std::vector<std::string> args = {"add",  "--kind", "5",      "--host", "h",
                                         "--db", "d",      "--user", "u"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    test::TempDir dir;
    std::filesystem::path folder = dir.path();
    SettingsStore store{dir / "Velloran.ini"};
};

TEST_F(CliCommands, BuddiesGoThroughTheFile) {
    EXPECT_EQ(buddies({"list"}).out, "");
    EXPECT_EQ(buddies({"add", "Rounder"}).status, 0);
    EXPECT_EQ(buddies({"add", "fish 2"}).status, 0);
    EXPECT_EQ(readBytes(dir / "mofofish"), bytes("\x02\0\0\0\x07\0\0\0Rounder\x06\0\0\0fish 2"));
    const Outcome again = buddies({"add", "ROUNDER"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("is a buddy already"), std::string::npos);
    EXPECT_EQ(buddies({"remove", "rounder"}).status, 0);
    EXPECT_EQ(buddies({"list"}).out, "fish 2\n");
    EXPECT_EQ(buddies({"remove", "rounder"}).status, 1);

    writeBytes(dir / "in.csv", "a\r\nb\r\n\r\nA\r\nc");
    EXPECT_EQ(buddies({"import", (dir / "in.csv").string()}).out,
              "3 buddies successfully imported.\n");
    const Outcome exported = buddies({"export", (dir / "out").string()});
    EXPECT_EQ(exported.status, 0);
    EXPECT_EQ(exported.out, "written: " + (dir / "out.csv").string() + "\n");
    EXPECT_EQ(readBytes(dir / "out.csv"), "fish 2\na\nb\nc\n");
    // Only regular files are written; a device or folder gets no ".csv" twin.
    std::filesystem::create_directory(dir / "folder");
    std::filesystem::create_directory(dir / "taken.csv");
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
    for (const std::string& target :
         {(dir / "pipe").string(), (dir / "folder").string(), (dir / "taken").string()}) {
        const Outcome refused = buddies({"export", target});
        EXPECT_EQ(refused.status, 1) << target;
        EXPECT_EQ(refused.out, "") << target;
        EXPECT_NE(refused.err.find("Could not write the file"), std::string::npos) << target;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "pipe.csv"));
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe"));
    EXPECT_FALSE(std::filesystem::exists(dir / "folder.csv"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.csv"));
    // A line break would make two names in every list and CSV file.
    for (const std::string& name :
         std::vector<std::string>{"a\nb", "a\tb", std::string("a\0b", 3), "a\x7F"}) {
        const Outcome refused = buddies({"add", name});
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.err.find("control characters"), std::string::npos);
    }
    EXPECT_EQ(buddies({"list"}).out, "fish 2\na\nb\nc\n");
    EXPECT_EQ(buddies({"import", (dir / "none.csv").string()}).status, 1);
    EXPECT_EQ(buddies({"add", ""}).status, 1);
    EXPECT_EQ(buddies({"add", std::string(150, 'x')}).status, 1);
    for (const std::vector<std::string>& usage : std::vector<std::vector<std::string>>{
             {}, {"frobnicate"}, {"add"}, {"list", "x"}, {"add", "a", "b"}})
        EXPECT_EQ(buddies(usage).status, 2);
}

TEST_F(CliCommands, DamagedOrUnwritableBuddyFileIsToldAndNeverRewritten) {
    const std::string damaged = bytes("\x03\0\0\0\x03\0\0\0abc\x09\0\0\0de");
    writeBytes(dir / "mofofish", damaged);
    const Outcome listed = buddies({"list"});
    EXPECT_EQ(listed.status, 1);
    EXPECT_EQ(listed.out, "abc\n");
    EXPECT_NE(listed.err.find("Could not read the Everest buddylist"), std::string::npos);
    EXPECT_EQ(buddies({"add", "x"}).status, 1);
    EXPECT_EQ(readBytes(dir / "mofofish"), damaged);

    folder = dir / "gone";
    const Outcome refused = buddies({"add", "x"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("gone/.mofofish.lock: No such file or directory"),
              std::string::npos);
}

TEST_F(CliCommands, SettingsGoThroughTheStore) {
    EXPECT_EQ(settings({"get", "scanint"}).out, "15\n");
    EXPECT_FALSE(std::filesystem::exists(store.path())) << "reading creates nothing";
    EXPECT_EQ(settings({"set", "LIM", "1"}).status, 0);
    EXPECT_EQ(settings({"set", "cache", "600 seconds"}).status, 0);
    EXPECT_EQ(settings({"get", "cache"}).out, "600\n")
        << "the main window reads the leading digits";
    EXPECT_EQ(settings({"set", "profilme", "Hero Name"}).status, 0);
    EXPECT_EQ(settings({"get", "Profilme"}).out, "Hero Name\n");
    EXPECT_EQ(settings({"set", "updateserver", "http://127.0.0.1:8080"}).status, 0);
    EXPECT_EQ(settings({"get", "updateserver"}).out, "http://127.0.0.1:8080\n");
    EXPECT_NE(settings({"list"}).out.find("\nprofilme=Hero Name\n"), std::string::npos);
    EXPECT_EQ(readBytes(store.path()),
              "[Tallyhand]\nLim=1\ncache=600 seconds\nprofilme=Hero Name\n"
              "updateserver=http://127.0.0.1:8080\n");

    const std::string before = readBytes(store.path());
    EXPECT_NE(settings({"get", "nosuchkey"}).err.find("unknown key"), std::string::npos);
    EXPECT_NE(settings({"set", "Lim", "yes"}).err.find("0 or 1"), std::string::npos);
    EXPECT_EQ(settings({"set", "scanint", "15min"}).status, 1);
    EXPECT_EQ(settings({"set", "profilme", "a\nb"}).status, 1);
    // Malformed, out of range or past the int range: refused with the key's range.
    for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
             {"goodscore", "abc"}, {"goodscore", "nan"}, {"goodscore", "-5"}, {"goodscore", "2,5"},
             {"weakvpip", "0"}, {"weakvpip", "-5"}, {"weakvpip", "100"}, {"form", "99999999999"},
             {"cache", "99999999999"}, {"cache", "seconds"}}) {
        const Outcome refused = settings({"set", key, value});
        EXPECT_EQ(refused.status, 1) << key << '=' << value;
        EXPECT_NE(refused.err.find(" from "), std::string::npos) << refused.err;
    }
    EXPECT_NE(settings({"set", "weakvpip", "100"}).err.find("a decimal integer from 1 to 99"),
              std::string::npos);
    EXPECT_NE(settings({"set", "goodscore", "2,5"}).err.find("a number from 0 to 10"),
              std::string::npos);
    for (const std::vector<std::string>& usage :
         std::vector<std::vector<std::string>>{{}, {"get"}, {"list", "x"}, {"set", "cache"}})
        EXPECT_EQ(settings(usage).status, 2);
    EXPECT_EQ(readBytes(store.path()), before);
    EXPECT_EQ(settings({"set", "goodscore", "2.5"}).status, 0);
    EXPECT_EQ(settings({"get", "goodscore"}).out, "2.5\n");

    writeBytes(dir / "file", "x");
    store = SettingsStore(dir / "file" / "Velloran.ini");
    const Outcome failed = settings({"set", "form", "5"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("cannot write"), std::string::npos);
}

TEST_F(CliCommands, DatabasesAreListedWithoutPasswordsAndKeptOwnerOnly) {
    EXPECT_EQ(db({"list"}).out, "[]\n");
    EXPECT_EQ(db({"add", "--kind", "5", "--host", "localhost", "--db", "pt3", "--user", "postgres",
                  "--password", "hunter2"})
                  .out,
              "1\n");
    EXPECT_EQ(db({"add", "--kind", "4", "--host", "db\"host\xff", "--port", "6543", "--db", "hm",
                  "--user", "u", "--inactive", "--password-stdin"},
                 "s3cret\r\n")
                  .out,
              "2\n");
    EXPECT_EQ(db({"list"}).out,
              "[\n"
              "{\"index\":1,\"kind\":5,\"host\":\"localhost\",\"port\":5432,\"db\":\"pt3\","
              "\"user\":\"postgres\",\"active\":true},\n"
              "{\"index\":2,\"kind\":4,\"host\":\"db\\\"host\xEF\xBF\xBD\",\"port\":6543,"
              "\"db\":\"hm\",\"user\":\"u\",\"active\":false}\n"
              "]\n");
    struct stat st {};
    ASSERT_EQ(::stat((dir / "db.conf").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777u, 0600u);

    // The files are the program's own: the options dialog reads them back.
    EXPECT_EQ(db({"remove", "1"}).status, 0);
    const DatabaseList list = DatabaseList::load(dir.path());
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.at(0).password, "s3cret");
    EXPECT_EQ(list.at(0).port, "6543");
    EXPECT_EQ(list.at(0).position, "1");
    EXPECT_EQ(db({"remove", "010"}).err, "kestrova-cli db: no entry 10 (the list has 1)\n");
    for (const char* index : {"0", "x", "0x1"})
        EXPECT_EQ(db({"remove", index}).status, 2);
}

// Usage errors: what is wrong, the usage and a hint, status 2; unstorable values: 1.
TEST_F(CliCommands, BadDatabaseAddsChangeNothing) {
    const std::vector<std::vector<std::string>> usage = {
        {"add", "--host", "h", "--db", "d", "--user", "u"},  // no kind
        {"add", "--kind", "7", "--host", "h", "--db", "d", "--user", "u"},
        {"add", "--kind", "-0", "--host", "h", "--db", "d", "--user", "u"},
        add({"--port", "70000"}),
        add({"--port", "54a"}),
        add({"--host", "i"}),
        add({"--colour", "red"}),
        add({"--port"}),
        add({"--password", "p", "--password-stdin"}),
        {"frobnicate"},
        {}};
    for (const auto& args : usage) {
        const Outcome r = db(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args.back());
        EXPECT_NE(r.err.find("\nUsage: kestrova-cli db"), std::string::npos) << r.err;
    }
    EXPECT_EQ(db(add({"--port", "54a"})).err,
              "kestrova-cli db add: --port: \"54a\" is not a whole number from 1 to 65535\n"
              "Usage: kestrova-cli db add [OPTIONS]\n"
              "Run \"kestrova-cli db add --help\" for more information.\n");
    EXPECT_NE(db(add({"--host", "i"})).err.find("db add: --host given twice\n"), std::string::npos);
    for (const auto& args : {add({"--password", std::string(100, 'p')}), add({"--password-stdin"})})
        EXPECT_EQ(db(args).status, 1) << args.back();
    EXPECT_FALSE(std::filesystem::exists(dir / "db.conf"));
    EXPECT_EQ(db({"add", "--help"}).out.rfind("Usage: kestrova-cli db add [OPTIONS]\n", 0), 0u);
}

TEST_F(CliCommands, WatchListAndHistoryAsJson) {
    EXPECT_EQ(run("watch", {"add", "Ice_Man", "--note", "loose"}).status, 0);
    EXPECT_EQ(run("watch", {"add", "--rule", "VPIP >= 45 and hands >= 200"}).status, 0);
    const Outcome bad = run("watch", {"add", "--rule", "luck > 3"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("no figure"), std::string::npos) << bad.err;
    EXPECT_EQ(run("watch", {"remove", "nobody"}).status, 1);
    const std::string list = run("watch", {"list"}).out;
    EXPECT_NE(list.find(R"({"name":"Ice_Man","note":"loose","added":")"), std::string::npos)
        << list;
    EXPECT_NE(list.find(R"("rules":[{"id":1,"rule":"vpip >= 45 and hands >= 200","note":""}])"),
              std::string::npos)
        << list;
    EXPECT_EQ(run("watch", {"remove", "ICE_MAN"}).status, 0);
    EXPECT_EQ(run("watch", {"remove", "--rule", "1"}).status, 0);
    EXPECT_EQ(run("watch", {"list"}).out, "{\"players\":[],\"rules\":[]}\n");

    {
        auto history = openSqliteHistory(dir / "history.sqlite", nullptr);
        TableVisit visit;
        visit.at = *parseIsoTime("2026-12-07T21:04:00Z");
        visit.table = "Aconcagua";
        visit.stakes = "$0.10/$0.25";
        visit.score = 2.345;
        visit.players = {{"Ice_Man", 3, "25.50", 220, "45.20", "12.00", "2.10", "30.00", 0.97}};
        history->add(visit);
    }
    EXPECT_EQ(
        run("history", {"player", "ice_man"}).out,
        R"({"player":"ice_man","sightings":[{"at":"2026-12-07T21:04:00Z","table":"Aconcagua",)"
        R"("stakes":"$0.10/$0.25","name":"Ice_Man","seat":3,"chips":"25.50","hands":220,)"
        R"("vpip":"45.20","pfr":"12.00","af":"2.10","wtsd":"30.00","weak":0.97}]})"
        "\n");
    EXPECT_NE(run("history", {"table", "Aconcagua"}).out.find(R"("score":2.35})"),
              std::string::npos);
    EXPECT_EQ(run("history", {"tables", "--since", "2026-12-08"}).out, "[]\n");
    EXPECT_EQ(run("history", {"tables", "--since", "evening"}).status, 1);
    const Outcome keep = run("history", {"keep", "30"});
    EXPECT_EQ(keep.status, 1);
    EXPECT_NE(keep.err.find("historydays"), std::string::npos) << keep.err;
}

// An edit that saved nothing fails with its reason: a name or a note that is
// no UTF-8, a file another program keeps locked beyond the wait.
TEST_F(CliCommands, WatchEditsThatSaveNothingFailWithTheReason) {
    const Outcome invalid = run("watch", {"add", "Ice\xff" "Man"});
    EXPECT_EQ(invalid.status, 1);
    EXPECT_EQ(invalid.err, "kestrova-cli watch: the name is no valid UTF-8 text\n");
    EXPECT_EQ(run("watch", {"add", "--rule", "vpip >= 45", "--note", "\xfe"}).status, 1);

    SQLite::Database other(dir / "history.sqlite", SQLite::OPEN_READWRITE);
    {
        SQLite::Transaction lock(other, SQLite::TransactionBehavior::IMMEDIATE);
        const Outcome locked = run("watch", {"add", "Ice_Man"});
        EXPECT_EQ(locked.status, 1);
        EXPECT_EQ(locked.err.rfind("kestrova-cli watch: The watch list could not be saved: ", 0),
                  0u)
            << locked.err;
        EXPECT_NE(locked.err.find("database is locked\n"), std::string::npos) << locked.err;
    }
    EXPECT_EQ(run("watch", {"list"}).out, "{\"players\":[],\"rules\":[]}\n");
}

TEST_F(CliCommands, DamagedDatabaseListIsListedAsFarAsReadableButNeverRewritten) {
    ASSERT_EQ(db(add({})).status, 0);
    std::string damaged = readBytes(dir / "db.conf");
    damaged[0] = 2;  // claims a second entry that is not there
    writeBytes(dir / "db.conf", damaged);
    const Outcome listed = db({"list"});
    EXPECT_EQ(listed.status, 1);
    EXPECT_NE(listed.out.find("\"host\":\"h\""), std::string::npos);
    EXPECT_EQ(db(add({})).status, 1);
    EXPECT_EQ(db({"remove", "1"}).status, 1);
    EXPECT_EQ(readBytes(dir / "db.conf"), damaged);

    // A file that cannot be read at all is neither listed as empty nor replaced.
    std::filesystem::remove(dir / "db.conf");
    std::filesystem::create_directory(dir / "db.conf");
    EXPECT_NE(db({"list"}).err.find("db.conf: Is a directory"), std::string::npos);
    EXPECT_EQ(db(add({})).status, 1);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "db.conf"));
}

class CliTrackerCommands : public CliCommands {
protected:
    void SetUp() override {
        if (!PostgresServer::available())
            GTEST_SKIP() << "PostgreSQL server programs not installed";
        PostgresServer& server = PostgresServer::shared();
        server.createDatabase("cli_pt3");
        server.executeFile("cli_pt3", KESTROVA_TRACKER_FIXTURES "/pokertracker3.sql");
    }
    void configure(std::string_view password) {
        ASSERT_EQ(db({"add", "--kind", "5", "--host", std::string(PostgresServer::kHost), "--port",
                      PostgresServer::shared().portText(), "--db", "cli_pt3", "--user",
                      std::string(PostgresServer::kUser), "--password", std::string(password)})
                      .status,
                  0);
    }
};

// A failure goes to standard error; the record as JSON with the buddy mark as the
// main window shows it, and no trace file from the command line.
TEST_F(CliTrackerCommands, LookupPrintsTheRecordAsJsonOrTheFailure) {
    configure("wrong");
    const Outcome failed = lookup({"RiverRat"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err.rfind("Connection to database failed: ", 0), 0u);
    EXPECT_NE(failed.err.find("\nPassword: *****"), std::string::npos);
    ASSERT_EQ(db({"remove", "1"}).status, 0);

    configure(PostgresServer::kPassword);
    BuddyList list(dir.path());
    list.addBuddy("Somebody", false);
    list.addBuddy("kiii3r", true);
    const Outcome found = lookup({"KiII3r", "--stack", "2,500 ", "--seat", "4"});
    ASSERT_EQ(found.status, 0) << found.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "log.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "history.sqlite"));
    EXPECT_EQ(found.out,
              "{\"name\":\"KiII3r\",\"known\":true,\"buddyIndex\":1,\"icon\":0,\"vpip\":\"66.67\","
              "\"af\":\"0.00\",\"flopAf\":\"0.00\",\"turnAf\":\"0.00\",\"riverAf\":\"0.00\","
              "\"hands\":\"3\",\"table\":\"\",\"wtsd\":\"0.00\",\"wonSd\":\"0\","
              "\"won\":\"8.00\",\"seat\":\"4\",\"pfr\":\"0.00\",\"stack\":\"2500\","
              "\"attToSteal\":\"N/A\",\"foldSbToSteal\":\"N/A\",\"foldBbToSteal\":\"N/A\","
              "\"contiBetFlop\":\"N/A\",\"threeBetCap\":\"0.00\"}\n");
    EXPECT_EQ(found.err, "");
    for (const std::vector<std::string>& usage :
         std::vector<std::vector<std::string>>{{}, {"a", "b"}, {"-a"}, {"a", "--stack"}})
        EXPECT_EQ(lookup(usage).status, 2);
    EXPECT_EQ(lookup({"NoSuchPlayer"}).out.rfind("{\"name\":\"NoSuchPlayer\",\"known\":false,", 0),
              0u);

    // A database that cannot be read is named on standard error and in the
    // record's "failed" list while another answers; alone, it is a failure.
    const std::string missing = (dir / "missing.mdb").string();
    ASSERT_EQ(db({"add", "--kind", "3", "--host", "-", "--db", missing, "--user", "-"}).status, 0);
    const Outcome partly = lookup({"KiII3r"});
    EXPECT_EQ(partly.status, 0) << partly.err;
    EXPECT_NE(partly.out.find("\"hands\":\"3\""), std::string::npos);
    EXPECT_NE(partly.out.find("\"failed\":[{\"database\":\"" + missing + "\",\"reason\":"),
              std::string::npos)
        << partly.out;
    EXPECT_NE(partly.err.find(missing), std::string::npos);
    ASSERT_EQ(db({"remove", "1"}).status, 0);
    const Outcome alone = lookup({"KiII3r"});
    EXPECT_EQ(alone.status, 1);
    EXPECT_EQ(alone.out, "");
    EXPECT_NE(alone.err.find(missing), std::string::npos);
}

TEST_F(CliTrackerCommands, AggregateThenLookupThroughTheAggregator) {
    configure(PostgresServer::kPassword);
    const Outcome aggregated = run("aggregate", {});
    ASSERT_EQ(aggregated.status, 0) << aggregated.err;
    EXPECT_EQ(aggregated.out, "The update of the database is now complete\n");
    store.writeText(keys::useagg, "1");
    const Outcome found = lookup({"O'Brien"});
    ASSERT_EQ(found.status, 0) << found.err;
    EXPECT_NE(found.out.find("\"hands\":\"2\""), std::string::npos) << found.out;
}

}  // namespace
}  // namespace kestrova
