#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "AggregateCommand.h"
#include "LookupCommand.h"
#include "PostgresServer.h"
#include "rating/BuddyList.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "stats/DatabaseList.h"

namespace kestrova {
namespace {

using test::PostgresServer;

class TrackerCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!PostgresServer::available())
            GTEST_SKIP() << "PostgreSQL server programs not installed";
        std::string pattern = (std::filesystem::temp_directory_path() / "ktc-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        settings_ = std::make_unique<SettingsStore>(dir_ / "Velloran.ini");
        PostgresServer& server = PostgresServer::shared();
        server.createDatabase("ktc_pt3");
        server.executeFile("ktc_pt3", std::string(KESTROVA_STATS_FIXTURES) + "/pokertracker3.sql");
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    void configure(const std::string& password) {
        DatabaseList list;
        DatabaseEntry entry;
        entry.host = "127.0.0.1";
        entry.port = PostgresServer::shared().portText();
        entry.database = "ktc_pt3";
        entry.user = std::string(PostgresServer::kUser);
        entry.password = password;
        entry.kind = static_cast<std::int32_t>(DatabaseKind::PokerTracker3);
        list.append(entry);
        ASSERT_TRUE(list.save(dir_));
    }

    int lookup(const std::vector<std::string>& args) {
        out_.str({});
        err_.str({});
        return runLookupCommand(args, dir_, *settings_, out_, err_);
    }

    std::filesystem::path dir_;
    std::unique_ptr<SettingsStore> settings_;
    std::ostringstream out_;
    std::ostringstream err_;
};

// The buddy mark as the main window shows it, and no trace file from the command line.
TEST_F(TrackerCommandsTest, LookupPrintsTheRecordAsJson) {
    configure(std::string(PostgresServer::kPassword));
    BuddyList buddies(dir_);
    buddies.addBuddy("Somebody", false);
    buddies.addBuddy("kiii3r", true);
    ASSERT_EQ(lookup({"KiII3r", "--stack", "2,500 ", "--seat", "4"}), 0) << err_.str();
    EXPECT_FALSE(std::filesystem::exists(dir_ / "log.txt"));
    EXPECT_EQ(out_.str(),
              "{\"name\":\"KiII3r\",\"buddyIndex\":1,\"icon\":0,\"vpip\":\"66.67\","
              "\"af\":\"0.00\",\"flopAf\":\"0.00\",\"turnAf\":\"0.00\",\"riverAf\":\"0.00\","
              "\"hands\":\"3\",\"table\":\"\",\"wtsd\":\"0.00\",\"wonSd\":\"0\","
              "\"won\":\"8.00\",\"seat\":\"4\",\"pfr\":\"0.00\",\"stack\":\"2500\","
              "\"attToSteal\":\"N/A\",\"foldSbToSteal\":\"N/A\",\"foldBbToSteal\":\"N/A\","
              "\"contiBetFlop\":\"N/A\",\"threeBetCap\":\"0.00\"}\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(TrackerCommandsTest, LookupFailureGoesToStandardError) {
    configure("wrong");
    EXPECT_EQ(lookup({"RiverRat"}), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str().rfind("Connection to database failed: ", 0), 0u);
    EXPECT_NE(err_.str().find("\nPassword: *****"), std::string::npos);
    EXPECT_EQ(lookup({}), 1);
    EXPECT_EQ(lookup({"a", "b"}), 1);
}

TEST_F(TrackerCommandsTest, AggregateThenLookupThroughTheAggregator) {
    configure(std::string(PostgresServer::kPassword));
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runAggregateCommand({}, dir_, *settings_, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), "The update of the database is now complete\n");
    settings_->writeText(keys::useagg, "1");
    ASSERT_EQ(lookup({"O'Brien"}), 0) << err_.str();
    EXPECT_NE(out_.str().find("\"hands\":\"2\""), std::string::npos) << out_.str();
}

}  // namespace
}  // namespace kestrova
