// The whole chain on a real X server: everest-sim shows the lobby, kestrova-cli
// walks it through the X11 backend, and every row it reads must match the lobby file.
#include "XvfbServer.h"
#include "client/LobbyGeometry.h"
#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/x11/X11Platform.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace kestrova {
namespace {

using testing::XvfbServer;

const QString kLobbyFile = QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json");
const std::string kLobbyTitle = "Everest Poker - Lobby";
constexpr int kStartTimeoutMs = 20000;
constexpr int kReactTimeoutMs = 5000;

// everest-sim is another process: whether it has reacted can only be seen by
// looking again. Bounded, so a broken sim fails the test instead of hanging it.
bool eventually(const std::function<bool()>& condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool isHighlight(std::uint32_t argb) {
    return redOf(argb) < 115 && greenOf(argb) >= 116 && greenOf(argb) <= 184 && blueOf(argb) < 115;
}

struct LobbyRow {
    QString name;
    QString stakes;
    int seated = 0;
    QString avgpot;
};

std::vector<LobbyRow> readLobbyFile(QString& error) {
    QFile file(kLobbyFile);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read ") + kLobbyFile;
        return {};
    }
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    std::vector<LobbyRow> rows;
    for (const QJsonValue& value : doc.object().value(QStringLiteral("tables")).toArray()) {
        const QJsonObject table = value.toObject();
        rows.push_back({table.value(QStringLiteral("name")).toString(),
                        table.value(QStringLiteral("stakes")).toString(),
                        table.value(QStringLiteral("seated")).toInt(),
                        table.value(QStringLiteral("avgpot")).toString()});
    }
    if (rows.empty())
        error = kLobbyFile + QStringLiteral(" has no tables");
    return rows;
}

class LobbyEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (XvfbServer::findBinary().empty())
            GTEST_SKIP() << "Xvfb is not installed; the end-to-end test needs an X server";
        std::string error;
        ASSERT_TRUE(xvfb_.start(error)) << error;
        display_ = QString::fromStdString(xvfb_.displayName());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        sim_.setProcessEnvironment(env);
        sim_.start(QStringLiteral(EVEREST_SIM_PATH), {kLobbyFile});
        ASSERT_TRUE(sim_.waitForStarted(kStartTimeoutMs)) << "everest-sim did not start";

        platform_ = X11Platform::open(xvfb_.displayName(), &error);
        ASSERT_NE(platform_, nullptr) << error;
        const bool shown = eventually(
            [&] {
                for (const WindowInfo& w : platform_->topLevelWindows()) {
                    if (w.title == kLobbyTitle) {
                        lobby_ = w;
                        return true;
                    }
                }
                return sim_.state() != QProcess::Running;
            },
            kStartTimeoutMs);
        ASSERT_TRUE(shown && lobby_.id != 0)
            << "no window \"" << kLobbyTitle << "\"; everest-sim: " << simOutput();
    }

    void TearDown() override {
        platform_.reset();
        if (sim_.state() != QProcess::NotRunning) {
            sim_.kill();
            sim_.waitForFinished(kStartTimeoutMs);
        }
        xvfb_.stop();
    }

    std::string simOutput() {
        return (sim_.readAllStandardError() + sim_.readAllStandardOutput()).toStdString();
    }

    // The lobby's first child larger than 750 x 500 holds the table list.
    std::optional<WindowInfo> listWindow() {
        for (const WindowInfo& child : platform_->childWindows(lobby_.id)) {
            if (child.rect.width() > 750 && child.rect.height() > 500)
                return child;
        }
        return std::nullopt;
    }

    // The lobby row whose line carries the selection highlight, if exactly one does.
    std::optional<int> highlightedLine(const Image& image, const LobbyGeometry& geometry) {
        std::optional<int> found;
        const int lines = LobbyGeometry::kListHeight / LobbyGeometry::kLineHeight;
        for (int line = 0; line < lines; ++line) {
            const int x = geometry.listLeft + 2;
            const int y = geometry.listTop + line * LobbyGeometry::kLineHeight + 1;
            if (!image.contains(x, y) || !isHighlight(image.pixel(x, y)))
                continue;
            if (found)
                return std::nullopt;
            found = line;
        }
        return found;
    }

    XvfbServer xvfb_;
    QString display_;
    QProcess sim_;
    std::unique_ptr<X11Platform> platform_;
    WindowInfo lobby_;
};

TEST_F(LobbyEndToEndTest, LobbyWindowCapturesAndHomeDownMoveTheSelection) {
    EXPECT_GT(lobby_.rect.width(), 750);
    EXPECT_GT(lobby_.rect.height(), 500);
    const std::optional<WindowInfo> list = listWindow();
    ASSERT_TRUE(list.has_value()) << "the lobby has no child larger than 750 x 500";
    const LobbyGeometry geometry = LobbyGeometry::fromListWindow(list->rect);

    click(*platform_, list->id, 200, 300);
    pressKey(*platform_, list->id, win32::VK_HOME);
    std::optional<Image> image;
    auto selectionAt = [&](int line) {
        return eventually(
            [&] {
                image = platform_->capture(lobby_.id);
                return image && highlightedLine(*image, geometry) == line;
            },
            kReactTimeoutMs);
    };
    ASSERT_TRUE(selectionAt(0)) << "Home did not select the first row; everest-sim: "
                                << simOutput();
    EXPECT_EQ(image->width(), lobby_.rect.width());
    EXPECT_EQ(image->height(), lobby_.rect.height());

    pressKey(*platform_, list->id, win32::VK_DOWN);
    EXPECT_TRUE(selectionAt(1)) << "Down did not move to the second row";
    pressKey(*platform_, list->id, win32::VK_DOWN);
    pressKey(*platform_, list->id, win32::VK_DOWN);
    ASSERT_TRUE(selectionAt(3)) << "two more Downs did not reach the fourth row";

    // The capture is the lobby exactly as the simulator draws it.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString png = dir.filePath(QStringLiteral("row3.png"));
    QProcess render;
    render.start(QStringLiteral(EVEREST_SIM_PATH),
                 {QStringLiteral("--render"), kLobbyFile, QStringLiteral("--select"),
                  QStringLiteral("3"), QStringLiteral("--out"), png});
    ASSERT_TRUE(render.waitForFinished(kStartTimeoutMs));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    const QImage expected = QImage(png).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(expected.width(), image->width());
    ASSERT_EQ(expected.height(), image->height());
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y) {
        const auto* want = reinterpret_cast<const std::uint32_t*>(expected.constScanLine(y));
        for (int x = 0; x < expected.width(); ++x)
            differing += (want[x] | 0xff000000u) != image->pixel(x, y) ? 1 : 0;
    }
    EXPECT_EQ(differing, 0) << "pixels differ between the capture and --render";
}

TEST_F(LobbyEndToEndTest, TableListFromTheCliMatchesTheLobbyFile) {
    QString error;
    const std::vector<LobbyRow> lobby = readLobbyFile(error);
    ASSERT_FALSE(lobby.empty()) << error.toStdString();

    // Fresh working and settings directories: no settings file, so no table filter.
    QTemporaryDir workDir;
    ASSERT_TRUE(workDir.isValid());
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), workDir.path());
    cli.setProcessEnvironment(env);
    cli.setWorkingDirectory(workDir.path());
    cli.start(QStringLiteral(KESTROVA_CLI_PATH),
              {QStringLiteral("tables"), QStringLiteral("--x11")});
    ASSERT_TRUE(cli.waitForFinished(180000)) << "kestrova-cli did not finish";
    const QByteArray out = cli.readAllStandardOutput();
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString()
                                 << "everest-sim: " << simOutput();

    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(out, &parseError);
    ASSERT_TRUE(doc.isArray()) << parseError.errorString().toStdString() << "\n"
                               << out.toStdString();
    const QJsonArray rows = doc.array();

    std::vector<const LobbyRow*> expected;
    for (const LobbyRow& row : lobby) {
        if (row.seated >= 1 && row.seated <= 10)
            expected.push_back(&row);
    }
    ASSERT_EQ(static_cast<std::size_t>(rows.size()), expected.size()) << out.toStdString();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QJsonArray row = rows.at(i).toArray();
        const LobbyRow& want = *expected[static_cast<std::size_t>(i)];
        SCOPED_TRACE("row " + std::to_string(i) + " (" + want.name.toStdString() + ")");
        ASSERT_EQ(row.size(), 13);
        EXPECT_EQ(row.at(0).toString(), want.name);
        EXPECT_EQ(row.at(1).toString(), want.stakes);
        EXPECT_EQ(row.at(2).toString(), QStringLiteral("0"));
        EXPECT_EQ(row.at(3).toString(), QString::number(want.seated));
        EXPECT_EQ(row.at(4).toString(), want.avgpot);
        for (qsizetype c = 5; c < 13; ++c)
            EXPECT_EQ(row.at(c).toString(), QString()) << "column " << c;
    }
}

}  // namespace
}  // namespace kestrova
