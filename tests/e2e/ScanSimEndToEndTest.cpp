// "Scan All Tables" as kestrova-cli runs it on the in-process simulated lobby,
// against a PokerTracker 3 database on a throwaway PostgreSQL server.
#include "CliRun.h"
#include "PostgresServer.h"

#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <thread>

#include <gtest/gtest.h>

namespace kestrova::test {
namespace {

TEST(ScanSimEndToEndTest, FullScanShowsTheReviewedFigures) {
    if (!PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL is not installed; the tracker needs a server";
    CliRun cli;
    ASSERT_NO_FATAL_FAILURE(cli.prepareScan(PostgresServer::shared(), "scan_sim_pt3"));
    const CliRun::Result scan = cli.run({QStringLiteral("scan"), QStringLiteral("--sim"),
                                         QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json")},
                                        {}, 120000);
    ASSERT_EQ(scan.exitCode, 0) << scan.err;
    expectGoldenScan(scan.out);
    // A headless run leaves the window's trace file alone.
    EXPECT_FALSE(QFile::exists(cli.path(QStringLiteral("data/kestrova/log.txt"))));
    EXPECT_FALSE(QFile::exists(cli.path(QStringLiteral("log.txt"))));
}

// A tracker that refuses the login is named once and left out: the other's
// players come out as without it, and "failed" names it.
TEST(ScanSimEndToEndTest, ATrackerThatRefusesTheLoginIsLeftOut) {
    if (!PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL is not installed; the tracker needs a server";
    CliRun cli;
    ASSERT_NO_FATAL_FAILURE(cli.prepareScan(PostgresServer::shared(), "scan_sim_pt3_left"));
    const CliRun::Result added = cli.run(
        {QStringLiteral("db"), QStringLiteral("add"), QStringLiteral("--kind"), QStringLiteral("0"),
         QStringLiteral("--host"), QString::fromUtf8(PostgresServer::kHost.data()),
         QStringLiteral("--port"), QString::number(PostgresServer::shared().port()),
         QStringLiteral("--db"), QStringLiteral("scan_sim_pt2"), QStringLiteral("--user"),
         QStringLiteral("nobody"), QStringLiteral("--password"), QStringLiteral("wrong")});
    ASSERT_EQ(added.exitCode, 0) << added.err;
    const CliRun::Result scan = cli.run({QStringLiteral("scan"), QStringLiteral("--sim"),
                                         QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json")},
                                        {}, 120000);
    ASSERT_EQ(scan.exitCode, 0) << scan.err;
    const std::string named = "Database: PokerTracker 2 \"scan_sim_pt2\"";
    ASSERT_NE(scan.err.find(named), std::string::npos) << scan.err;
    EXPECT_EQ(scan.err.find(named, scan.err.find(named) + 1), std::string::npos) << scan.err;
    QJsonObject result = QJsonDocument::fromJson(scan.out).object();
    const QJsonArray failed = result.take(QStringLiteral("failed")).toArray();
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed[0].toObject().value(QStringLiteral("database")).toString(),
              QStringLiteral("scan_sim_pt2"));
    expectGoldenScan(QJsonDocument(result).toJson());
}

// Scripts read tables and players by name: what the lobby shows as numbers,
// what no database knows as null, and the window's columns as before.
TEST(ScanSimEndToEndTest, TablesAndPlayersCarryTheirFiguresByName) {
    QFile file(QStringLiteral(KESTROVA_DATA_DIR "/demo-lobby.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QHash<QString, QJsonObject> lobby;
    for (const QJsonValue& table :
         QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("tables")).toArray())
        lobby.insert(table[QStringLiteral("name")].toString(), table.toObject());
    auto number = [](QString text) {
        return text.remove(QLatin1Char('$')).remove(QLatin1Char(',')).toDouble();
    };

    CliRun cli;
    const CliRun::Result listed =
        cli.run({QStringLiteral("tables"), QStringLiteral("--sim"), file.fileName()});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    const QJsonArray tables = QJsonDocument::fromJson(listed.out).array();
    ASSERT_FALSE(tables.isEmpty());
    for (const QJsonValue& value : tables) {
        const QJsonObject table = value.toObject();
        const QJsonObject shown = lobby.value(table[QStringLiteral("name")].toString());
        ASSERT_FALSE(shown.isEmpty()) << table[QStringLiteral("name")].toString().toStdString();
        EXPECT_EQ(table[QStringLiteral("columns")][0], table[QStringLiteral("name")]);
        EXPECT_EQ(table[QStringLiteral("stakes")], shown[QStringLiteral("stakes")]);
        EXPECT_EQ(table[QStringLiteral("players")], shown[QStringLiteral("seated")]);
        EXPECT_EQ(table[QStringLiteral("seats")], shown[QStringLiteral("seats")]);
        EXPECT_DOUBLE_EQ(table[QStringLiteral("avgPot")].toDouble(),
                         number(shown[QStringLiteral("avgpot")].toString()));
    }

    // No databases: the players are seen, nothing is known of them.
    const CliRun::Result scanned =
        cli.run({QStringLiteral("scan"), QStringLiteral("--sim"), file.fileName()});
    ASSERT_EQ(scanned.exitCode, 0) << scanned.err;
    const QJsonObject scan = QJsonDocument::fromJson(scanned.out).object();
    const QJsonObject table = scan[QStringLiteral("tables")][0].toObject();
    EXPECT_TRUE(table[QStringLiteral("avgVpip")].isNull());
    EXPECT_EQ(table[QStringLiteral("reads")].toInt(-1), 0);
    const QJsonObject player = scan[QStringLiteral("players")][0].toObject();
    const QJsonObject seated =
        lobby.value(player[QStringLiteral("table")].toString())[QStringLiteral("players")][0]
            .toObject();
    EXPECT_EQ(player[QStringLiteral("name")], seated[QStringLiteral("name")]);
    EXPECT_EQ(player[QStringLiteral("seat")].toInt(), 1);
    EXPECT_DOUBLE_EQ(player[QStringLiteral("stack")].toDouble(),
                     number(seated[QStringLiteral("stack")].toString()));
    EXPECT_TRUE(player[QStringLiteral("pfr")].isNull());
    EXPECT_EQ(player[QStringLiteral("buddy")], QJsonValue(false));
}

// A damaged database list is told on standard error and fails the command: a
// headless run never waits for a click on a box nobody sees.
TEST(ScanSimEndToEndTest, DamagedDatabaseListFailsTheScanWithAMessage) {
    CliRun cli;
    ASSERT_TRUE(QDir().mkpath(cli.path(QStringLiteral("data/kestrova"))));
    writeBytes(cli.path(QStringLiteral("data/kestrova/db.conf")).toStdString(),
               std::string("\x05\x00\x00\x00garbage", 11));
    const CliRun::Result scan = cli.run({QStringLiteral("scan"), QStringLiteral("--sim"),
                                         QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json")});
    EXPECT_EQ(scan.exitCode, 1) << scan.err;
    EXPECT_NE(scan.err.find("db.conf"), std::string::npos) << scan.err;
}

// A scan history the program cannot use is a warning: the scan itself goes on,
// and the file stays as it was.
TEST(ScanSimEndToEndTest, DamagedHistoryIsAWarningAndLeftAlone) {
    CliRun cli;
    ASSERT_TRUE(QDir().mkpath(cli.path(QStringLiteral("data/kestrova"))));
    const std::string history =
        cli.path(QStringLiteral("data/kestrova/history.sqlite")).toStdString();
    writeBytes(history, "my own notes, not a database");
    const CliRun::Result scan = cli.run({QStringLiteral("scan"), QStringLiteral("--sim"),
                                         QStringLiteral(KESTROVA_DATA_DIR "/demo-lobby.json")});
    EXPECT_EQ(scan.exitCode, 0) << scan.err;
    EXPECT_NE(scan.err.find("warning: The scan history"), std::string::npos) << scan.err;
    EXPECT_FALSE(QJsonDocument::fromJson(scan.out)
                     .object()
                     .value(QStringLiteral("tables"))
                     .toArray()
                     .isEmpty());
    EXPECT_EQ(readBytes(history), "my own notes, not a database");
}

// A second lobby would be ignored without a word.
TEST(ScanSimEndToEndTest, AnOptionGivenTwiceIsRefused) {
    CliRun cli;
    const QString lobby = QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json");
    const CliRun::Result scan = cli.run(
        {QStringLiteral("scan"), QStringLiteral("--sim"), lobby, QStringLiteral("--sim"), lobby});
    EXPECT_EQ(scan.exitCode, 2);
    EXPECT_EQ(scan.out, "");
    EXPECT_NE(scan.err.find("scan: --sim given twice"), std::string::npos) << scan.err;
}

// Two scanners on different machines share one history on a PostgreSQL
// server: both write at once, and each reads the other's tables.
TEST(ScanSimEndToEndTest, TwoScannersWriteOneSharedHistoryAtOnce) {
    if (!PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL is not installed";
    PostgresServer& server = PostgresServer::shared();
    ASSERT_NO_THROW(server.createDatabase("shared_history"));
    CliRun first;
    CliRun second;
    // The password comes from libpq's password file, never from a command line.
    const QString passwords = first.path(QStringLiteral("pgpass"));
    writeBytes(passwords.toStdString(),
               std::string(PostgresServer::kHost) + ":" + server.portText() +
                   ":shared_history:" + std::string(PostgresServer::kUser) + ":" +
                   std::string(PostgresServer::kPassword) + "\n");
    QFile::setPermissions(passwords, QFile::ReadOwner | QFile::WriteOwner);
    QProcessEnvironment env;
    env.insert(QStringLiteral("PGPASSFILE"), passwords);
    for (const CliRun* cli : {&first, &second}) {
        ASSERT_TRUE(QDir().mkpath(cli->path(QStringLiteral("config/kestrova"))));
        writeBytes(cli->path(QStringLiteral("config/kestrova/Velloran.ini")).toStdString(),
                   "[Tallyhand]\nhistorydb=host=" + std::string(PostgresServer::kHost) +
                       " port=" + server.portText() +
                       " dbname=shared_history user=" + std::string(PostgresServer::kUser) + "\n");
    }
    const QStringList scan = {QStringLiteral("scan"), QStringLiteral("--sim"),
                              QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json")};
    CliRun::Result scans[2];
    std::thread other([&] { scans[1] = second.run(scan, env, 120000); });
    scans[0] = first.run(scan, env, 120000);
    other.join();
    for (const CliRun::Result& result : scans)
        ASSERT_EQ(result.exitCode, 0) << result.err;

    const CliRun::Result tables =
        second.run({QStringLiteral("history"), QStringLiteral("tables")}, env);
    ASSERT_EQ(tables.exitCode, 0) << tables.err;
    const QJsonArray read = QJsonDocument::fromJson(tables.out).array();
    qsizetype scanned = 0;  // the rows a scan read carry a score
    for (const QJsonValue& row :
         QJsonDocument::fromJson(scans[0].out).object().value(QStringLiteral("tables")).toArray())
        scanned += row.toObject().contains(QStringLiteral("score"));
    EXPECT_GT(scanned, 0);
    EXPECT_EQ(read.size(), scanned);
    for (const QJsonValue& table : read)
        EXPECT_EQ(table.toObject().value(QStringLiteral("visits")).toInt(), 2)
            << table.toObject().value(QStringLiteral("table")).toString().toStdString();
}

}  // namespace
}  // namespace kestrova::test
