#include "CliScan.h"

#include "PostgresServer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace kestrova::test {

namespace {

bool writeFile(const QString& path, const std::string& bytes, std::string& error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size())) {
        error = "cannot write " + path.toStdString();
        return false;
    }
    return true;
}

std::string columnsText(const QJsonArray& columns) {
    std::string out;
    for (const QJsonValue& v : columns)
        out += "[" + v.toString().toStdString() + "]";
    return out;
}

}  // namespace

CliScan::CliScan(QString cliPath) : cliPath_(std::move(cliPath)) {}

bool CliScan::prepare(const ScanSettings& settings, const PostgresServer& server,
                      const std::string& database, std::string& error) {
    if (!dir_.isValid()) {
        error = "no temporary directory";
        return false;
    }
    const QDir dir(dir_.path());
    if (!dir.mkpath(QStringLiteral("config/kestrova")) ||
        !dir.mkpath(QStringLiteral("data/kestrova")) ||
        !writeFile(dir.filePath(QStringLiteral("config/kestrova/Velloran.ini")), settings.iniText(),
                   error) ||
        !writeFile(dir.filePath(QStringLiteral("data/kestrova/mofofish")), settings.buddyFile(),
                   error)) {
        if (error.empty())
            error = "cannot create the settings directory";
        return false;
    }
    QByteArray output;
    return run({QStringLiteral("db"), QStringLiteral("add"), QStringLiteral("--kind"),
                QStringLiteral("5"), QStringLiteral("--host"),
                QString::fromUtf8(PostgresServer::kHost.data(),
                                  static_cast<qsizetype>(PostgresServer::kHost.size())),
                QStringLiteral("--port"), QString::number(server.port()), QStringLiteral("--db"),
                QString::fromStdString(database), QStringLiteral("--user"),
                QString::fromUtf8(PostgresServer::kUser.data(),
                                  static_cast<qsizetype>(PostgresServer::kUser.size())),
                QStringLiteral("--password"),
                QString::fromUtf8(PostgresServer::kPassword.data(),
                                  static_cast<qsizetype>(PostgresServer::kPassword.size()))},
               QProcessEnvironment(), 30000, output, error);
}

bool CliScan::run(const QStringList& arguments, const QProcessEnvironment& extra, int timeoutMs,
                  QByteArray& output, std::string& error) const {
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"),
               QDir(dir_.path()).filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), QDir(dir_.path()).filePath(QStringLiteral("data")));
    for (const QString& key : extra.keys())
        env.insert(key, extra.value(key));
    cli.setProcessEnvironment(env);
    cli.setWorkingDirectory(dir_.path());
    cli.start(cliPath_, arguments);
    if (!cli.waitForStarted(30000)) {
        error = "kestrova-cli did not start: " + cli.errorString().toStdString();
        return false;
    }
    if (!cli.waitForFinished(timeoutMs)) {
        cli.kill();
        cli.waitForFinished(5000);
        error = "kestrova-cli " + arguments.join(QLatin1Char(' ')).toStdString() +
                " did not finish in time";
        return false;
    }
    output = cli.readAllStandardOutput();
    if (cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0) {
        error = "kestrova-cli " + arguments.join(QLatin1Char(' ')).toStdString() + " exited with " +
                std::to_string(cli.exitCode()) + ": " + cli.readAllStandardError().toStdString();
        return false;
    }
    return true;
}

void expectScanOutput(const QByteArray& json, const ExpectedScan& expected) {
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    ASSERT_TRUE(doc.isObject()) << parseError.errorString().toStdString() << "\n"
                                << json.left(2000).toStdString();
    const QJsonObject scan = doc.object();

    const QJsonArray tables = scan.value(QStringLiteral("tables")).toArray();
    EXPECT_EQ(static_cast<std::size_t>(tables.size()), expected.tables.size());
    const auto tableCount =
        std::min(static_cast<std::size_t>(tables.size()), expected.tables.size());
    for (std::size_t i = 0; i < tableCount; ++i) {
        const QJsonObject row = tables.at(static_cast<qsizetype>(i)).toObject();
        const ExpectedTableRow& want = expected.tables[i];
        const QJsonArray columns = row.value(QStringLiteral("columns")).toArray();
        SCOPED_TRACE("table row " + std::to_string(i) + " (" + want.columns[0] +
                     "): " + columnsText(columns));
        ASSERT_EQ(columns.size(), 13);
        for (qsizetype c = 0; c < 13; ++c) {
            EXPECT_EQ(columns.at(c).toString().toStdString(),
                      want.columns[static_cast<std::size_t>(c)])
                << "column " << c;
        }
        EXPECT_EQ(row.value(QStringLiteral("hidden")).toBool(), want.hidden);
        EXPECT_EQ(row.value(QStringLiteral("ownSeat")).toBool(), want.ownSeat);
    }

    const QJsonArray players = scan.value(QStringLiteral("players")).toArray();
    EXPECT_EQ(static_cast<std::size_t>(players.size()), expected.players.size());
    const auto playerCount =
        std::min(static_cast<std::size_t>(players.size()), expected.players.size());
    for (std::size_t i = 0; i < playerCount; ++i) {
        const QJsonObject row = players.at(static_cast<qsizetype>(i)).toObject();
        const ExpectedPlayerRow& want = expected.players[i];
        const QJsonArray columns = row.value(QStringLiteral("columns")).toArray();
        SCOPED_TRACE("player row " + std::to_string(i) + " (" + want.columns[2] + " at " +
                     want.columns[0] + "): " + columnsText(columns));
        ASSERT_EQ(columns.size(), 21);
        for (qsizetype c = 0; c < 21; ++c) {
            EXPECT_EQ(columns.at(c).toString().toStdString(),
                      want.columns[static_cast<std::size_t>(c)])
                << "column " << c;
        }
        EXPECT_EQ(row.value(QStringLiteral("hidden")).toBool(), want.hidden);
    }

    EXPECT_EQ(scan.value(QStringLiteral("knownPlayers")).toString().toStdString(),
              expected.knownPlayers);
}

}  // namespace kestrova::test
