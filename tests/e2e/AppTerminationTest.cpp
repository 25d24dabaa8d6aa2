// The program asked to end by the desktop (SIGTERM at log-out) keeps what a
// close keeps: the window's size and sorting, the column widths, the interval.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(AppTermination, TerminationSavesLikeAClose) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir().mkpath(dir.filePath(QStringLiteral("config/kestrova")));
    QFile ini(dir.filePath(QStringLiteral("config/kestrova/Velloran.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Tallyhand]\r\ncheckupdate=0\r\nscanint=7\r\n");
    ini.close();

    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("KESTROVA_DATA_DIR"), QStringLiteral(KESTROVA_DATA_DIR));
    app.setProcessEnvironment(env);
    app.setWorkingDirectory(dir.path());
    app.start(QStringLiteral(KESTROVA_APP_PATH), {});
    ASSERT_TRUE(app.waitForStarted(10000));

    // The companion files and the trace live in the per-user data folder.
    const QString data = dir.filePath(QStringLiteral("data/kestrova"));
    const QString log = data + QStringLiteral("/log.txt");
    for (int i = 0; i < 300 && !readAll(log).contains("<32>"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(readAll(log).contains("<32>")) << "the window never finished starting";

    app.terminate();  // SIGTERM
    ASSERT_TRUE(app.waitForFinished(20000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 0);
    EXPECT_TRUE(readAll(log).endsWith("---->cleanup\n"));
    EXPECT_EQ(readAll(data + QStringLiteral("/Window.conf")).size(), 16);
    EXPECT_EQ(readAll(data + QStringLiteral("/Column.conf")).size(), 4 + 11 * 4 + 4 + 15 * 4);
    EXPECT_TRUE(readAll(ini.fileName()).contains("scanint=7"));
}

}  // namespace
