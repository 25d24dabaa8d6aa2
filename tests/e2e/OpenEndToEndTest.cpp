// "Open" on a real X server: everest-sim shows a lobby whose names trip a careless
// finder, kestrova-cli open drives it through the X11 backend, and the table
// windows that appear are counted as the opener counts them.
#include "XvfbServer.h"
#include "client/x11/X11Platform.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace kestrova {
namespace {

using testing::XvfbServer;

constexpr int kStartTimeoutMs = 20000;
constexpr int kRunTimeoutMs = 120000;

// "Aspen 1" comes before "Aspen 12"; the client shows "Bern (S)" where the table
// list says "Bern".
QByteArray lobbyJson() {
    QJsonArray tables;
    for (const char* name : {"Aspen 1", "Aspen 12", "Bern (S)", "Chur"}) {
        QJsonObject t;
        t.insert(QStringLiteral("name"), QString::fromLatin1(name));
        t.insert(QStringLiteral("game"), QStringLiteral("Hold'em"));
        t.insert(QStringLiteral("stakes"), QStringLiteral("$1/$2"));
        t.insert(QStringLiteral("seated"), 1);
        t.insert(QStringLiteral("seats"), 10);
        t.insert(QStringLiteral("extra"), QStringLiteral("NL"));
        t.insert(QStringLiteral("avgpot"), QStringLiteral("$10.00"));
        QJsonObject player;
        player.insert(QStringLiteral("name"), QStringLiteral("Anna"));
        player.insert(QStringLiteral("stack"), QStringLiteral("1,250"));
        t.insert(QStringLiteral("players"), QJsonArray{player});
        tables.append(t);
    }
    QJsonObject lobby;
    lobby.insert(QStringLiteral("tables"), tables);
    return QJsonDocument(lobby).toJson();
}

class OpenEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (XvfbServer::findBinary().empty())
            GTEST_SKIP() << "Xvfb is not installed; the end-to-end test needs an X server";
        ASSERT_TRUE(dir_.isValid());
        const QString lobbyFile = dir_.filePath(QStringLiteral("lobby.json"));
        QFile file(lobbyFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(lobbyJson()) > 0);
        file.close();

        std::string error;
        ASSERT_TRUE(xvfb_.start(error)) << error;
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert(QStringLiteral("DISPLAY"), QString::fromStdString(xvfb_.displayName()));
        env_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env_.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.path());
        sim_.setProcessEnvironment(env_);
        sim_.start(QStringLiteral(EVEREST_SIM_PATH), {lobbyFile});
        ASSERT_TRUE(sim_.waitForStarted(kStartTimeoutMs)) << "everest-sim did not start";

        platform_ = X11Platform::open(xvfb_.displayName(), &error);
        ASSERT_NE(platform_, nullptr) << error;
        ASSERT_TRUE(waitFor([&] { return lobbyId() != 0; })) << "everest-sim shows no lobby";
    }

    void TearDown() override {
        platform_.reset();
        if (sim_.state() != QProcess::NotRunning) {
            sim_.kill();
            sim_.waitForFinished(kStartTimeoutMs);
        }
        xvfb_.stop();
    }

    WindowId lobbyId() {
        for (const WindowInfo& w : platform_->topLevelWindows()) {
            if (w.title == "Everest Poker - Lobby")
                return w.id;
        }
        return 0;
    }

    template <class Condition>
    bool waitFor(Condition condition) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline || sim_.state() != QProcess::Running)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    struct Run {
        int exitCode = -1;
        std::string out;
        std::string err;
    };
    Run open(const QString& name) {
        QProcess cli;
        cli.setProcessEnvironment(env_);
        cli.setWorkingDirectory(dir_.path());
        cli.start(QStringLiteral(KESTROVA_CLI_PATH),
                  {QStringLiteral("open"), name, QStringLiteral("--x11")});
        Run run;
        if (!cli.waitForFinished(kRunTimeoutMs))
            return run;
        run.exitCode = cli.exitCode();
        run.out = cli.readAllStandardOutput().toStdString();
        run.err = cli.readAllStandardError().toStdString();
        return run;
    }

    std::vector<std::string> tableTitles() {
        std::vector<std::string> titles;
        for (const WindowInfo& w : platform_->tableWindows(lobbyId()))
            titles.push_back(w.title);
        std::sort(titles.begin(), titles.end());
        return titles;
    }

    QTemporaryDir dir_;
    XvfbServer xvfb_;
    QProcessEnvironment env_;
    QProcess sim_;
    std::unique_ptr<X11Platform> platform_;
};

TEST_F(OpenEndToEndTest, OpensTheWholeNameAsTheTableListShowsIt) {
    Run run = open(QStringLiteral("Aspen 12"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "{\"opened\": \"Aspen 12\"}\n");
    ASSERT_TRUE(waitFor([&] { return tableTitles().size() == 1; }));
    EXPECT_EQ(tableTitles(), std::vector<std::string>{"Aspen 12"});

    run = open(QStringLiteral("Bern"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_TRUE(waitFor([&] { return tableTitles().size() == 2; }));
    EXPECT_EQ(tableTitles(), (std::vector<std::string>{"Aspen 12", "Bern (S)"}));

    run = open(QStringLiteral("Davos"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no longer in the lobby"), std::string::npos) << run.err;
    EXPECT_EQ(tableTitles().size(), 2u);
}

}  // namespace
}  // namespace kestrova
