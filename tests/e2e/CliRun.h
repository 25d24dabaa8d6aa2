#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace kestrova::test {

class PostgresServer;

// kestrova-cli run as a user would run it: in a fresh working directory, with
// its settings directory under it.
class CliRun final {
public:
    struct Result {
        int exitCode = -1;  // -1: it did not start or did not finish in time
        QByteArray out;
        std::string err;
    };

    Result run(const QStringList& arguments, const QProcessEnvironment& extra = {},
               int timeoutMs = 30000) const;
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Loads the fixture database of the 60-table lobby into `database` and
    // writes the settings, the buddy list and "db.conf" that the scan of the
    // golden output ran with.
    void prepareScan(PostgresServer& server, const std::string& database) const;

private:
    QTemporaryDir dir_;
};

// Compares a scan's output with the reviewed golden output as JSON values; with
// KESTROVA_RECORD_GOLDEN set it writes the output there for review instead.
void expectGoldenScan(const QByteArray& output);

}  // namespace kestrova::test
