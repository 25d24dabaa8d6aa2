#include "SettingsCommand.h"

#include <gtest/gtest.h>

#include <sstream>

#include "TempDir.h"
#include "settings/SettingsStore.h"

namespace kestrova {
namespace {

class SettingsCommand : public ::testing::Test {
protected:
    int run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return runSettingsCommand(args, store_, out_, err_);
    }

    test::TempDir dir_;
    SettingsStore store_{dir_ / "Velloran.ini"};
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(SettingsCommand, GetShowsStartUpDefaultsWithoutFile) {
    EXPECT_EQ(run({"get", "fpc"}), 0);
    EXPECT_EQ(out_.str(), "1\n");
    EXPECT_EQ(run({"get", "scanint"}), 0);
    EXPECT_EQ(out_.str(), "15\n");
    EXPECT_EQ(run({"get", "suffix"}), 0);
    EXPECT_EQ(out_.str(), "txt\n");
    EXPECT_FALSE(std::filesystem::exists(store_.path())) << "reading creates nothing";
}

TEST_F(SettingsCommand, SetThenGetGoesThroughTheStore) {
    EXPECT_EQ(run({"set", "LIM", "1"}), 0);
    EXPECT_EQ(store_.read(keys::Lim), 1);
    EXPECT_EQ(run({"set", "cache", "600 seconds"}), 0);
    EXPECT_EQ(run({"get", "cache"}), 0);
    EXPECT_EQ(out_.str(), "600\n") << "the main window reads the leading digits";
    EXPECT_EQ(run({"set", "profilme", "Hero Name"}), 0);
    EXPECT_EQ(run({"get", "Profilme"}), 0);
    EXPECT_EQ(out_.str(), "Hero Name\n");
    EXPECT_EQ(test::readBytes(store_.path()),
              "[Tallyhand]\nLim=1\ncache=600 seconds\nprofilme=Hero Name\n");
}

TEST_F(SettingsCommand, ListShowsEveryKeyWithItsValue) {
    ASSERT_EQ(run({"set", "scanint", "30"}), 0);
    ASSERT_EQ(run({"list"}), 0);
    const std::string listing = out_.str();
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 112);
    EXPECT_EQ(listing.rfind("delay=1000\n", 0), 0u);
    EXPECT_NE(listing.find("\nscanint=30\n"), std::string::npos);
    EXPECT_NE(listing.find("\nprofilme=\n"), std::string::npos);
    EXPECT_NE(listing.find("\nlow_tfstackmax=10\n"), std::string::npos);
}

TEST_F(SettingsCommand, RefusesUnknownKeysBadValuesAndBadUsage) {
    EXPECT_EQ(run({"get", "nosuchkey"}), 1);
    EXPECT_NE(err_.str().find("unknown key"), std::string::npos);
    EXPECT_EQ(run({"set", "nosuchkey", "1"}), 1);
    EXPECT_EQ(run({"set", "Lim", "yes"}), 1);
    EXPECT_NE(err_.str().find("0 or 1"), std::string::npos);
    EXPECT_EQ(run({"set", "scanint", "15min"}), 1);
    EXPECT_EQ(run({"set", "profilme", "a\nb"}), 1);
    EXPECT_EQ(run({}), 1);
    EXPECT_NE(err_.str().find("usage"), std::string::npos);
    EXPECT_EQ(run({"get"}), 1);
    EXPECT_EQ(run({"list", "extra"}), 1);
    EXPECT_EQ(run({"frobnicate"}), 1);
    EXPECT_FALSE(std::filesystem::exists(store_.path()));
}

TEST_F(SettingsCommand, FailedWriteIsReported) {
    test::writeBytes(dir_ / "file", "x");
    SettingsStore broken(dir_ / "file" / "Velloran.ini");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runSettingsCommand({"set", "form", "5"}, broken, out, err), 1);
    EXPECT_NE(err.str().find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace kestrova
