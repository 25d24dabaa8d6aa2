#include "CliRun.h"

#include "PostgresServer.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>

#include <cstdlib>

namespace kestrova::test {

namespace {

const QString kGoldenFile = QStringLiteral(KESTROVA_E2E_DIR "/golden/scan-lobby-60.json");

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

CliRun::Result CliRun::run(const QStringList& arguments, const QProcessEnvironment& extra,
                           int timeoutMs) const {
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
    for (const QString& key : extra.keys())
        env.insert(key, extra.value(key));
    cli.setProcessEnvironment(env);
    cli.setWorkingDirectory(dir_.path());
    cli.start(QStringLiteral(KESTROVA_CLI_PATH), arguments);
    Result result;
    if (!cli.waitForFinished(timeoutMs)) {
        cli.kill();
        cli.waitForFinished(5000);
        result.err = "kestrova-cli " + arguments.join(QLatin1Char(' ')).toStdString() +
                     " did not finish: " + cli.errorString().toStdString();
        return result;
    }
    result.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    result.out = cli.readAllStandardOutput();
    result.err = cli.readAllStandardError().toStdString();
    return result;
}

void CliRun::prepareScan(PostgresServer& server, const std::string& database) const {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_NO_THROW(server.createDatabase(database));
    ASSERT_NO_THROW(server.executeFile(database, KESTROVA_E2E_DIR "/fixtures/pt3-lobby-60.sql"));
    // The own name in other letter case, three buddies, only losers shown,
    // and the overall reads and VPIP filter on.
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("config/kestrova"))));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("data/kestrova"))));
    writeBytes(path(QStringLiteral("config/kestrova/Velloran.ini")).toStdString(),
               "[Tallyhand]\nprofilme=kAT\nprofilhands=100\nlow_looser=1\nofact=1\nofreads=1\n"
               "ofnum=2\nofvpip=1\nofvpipmin=10\nofvpipmax=40\n");
    writeBytes(path(QStringLiteral("data/kestrova/mofofish")).toStdString(),
               le32({3, 3}) + "zed" + le32({7}) + "ROUNDER" + le32({6}) + "Hugo.K");
    const Result added = run(
        {QStringLiteral("db"), QStringLiteral("add"), QStringLiteral("--kind"), QStringLiteral("5"),
         QStringLiteral("--host"), text(PostgresServer::kHost), QStringLiteral("--port"),
         QString::number(server.port()), QStringLiteral("--db"), QString::fromStdString(database),
         QStringLiteral("--user"), text(PostgresServer::kUser), QStringLiteral("--password"),
         text(PostgresServer::kPassword)});
    ASSERT_EQ(added.exitCode, 0) << added.err;
}

void expectGoldenScan(const QByteArray& output) {
    QFile golden(kGoldenFile);
    if (std::getenv("KESTROVA_RECORD_GOLDEN")) {
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly));
        golden.write(output);
        return;
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QJsonDocument expected = QJsonDocument::fromJson(golden.readAll());
    const QJsonDocument actual = QJsonDocument::fromJson(output);
    ASSERT_FALSE(actual.isNull()) << output.toStdString();
    EXPECT_EQ(actual, expected) << output.toStdString();
}

}  // namespace kestrova::test
