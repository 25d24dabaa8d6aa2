#pragma once

#include "ExpectedScan.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace kestrova::test {

class PostgresServer;

// One run of "kestrova-cli scan" as a user would start it: a fresh working
// directory holding "db.conf" (written by "kestrova-cli db add") and
// "mofofish", and a fresh settings directory holding Velloran.ini.
class CliScan final {
public:
    explicit CliScan(QString cliPath);

    // Writes the settings, the buddy list and the database list; false with
    // `error` set when any of it failed.
    bool prepare(const ScanSettings& settings, const PostgresServer& server,
                 const std::string& database, std::string& error);

    // Runs kestrova-cli with these arguments in the working directory; false
    // with `error` (exit code and error output) unless it ended with 0.
    bool run(const QStringList& arguments, const QProcessEnvironment& extra, int timeoutMs,
             QByteArray& output, std::string& error) const;

    QString workingDirectory() const { return dir_.path(); }

private:
    QString cliPath_;
    QTemporaryDir dir_;
};

// Compares the scan's JSON field by field with what the fixture says it must show.
void expectScanOutput(const QByteArray& json, const ExpectedScan& expected);

}  // namespace kestrova::test
