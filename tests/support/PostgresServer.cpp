#include "PostgresServer.h"

#include <libpq-fe.h>

#include "ProcessTools.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace kestrova::test {

namespace {

namespace fs = std::filesystem;

std::string findBinDirectory() {
    if (const char* configured = std::getenv("KESTROVA_PG_BINDIR"))
        return configured;
    for (const char* version : {"17", "16", "15", "14", "13"}) {
        const std::string dir = std::string("/usr/lib/postgresql/") + version + "/bin";
        if (fs::exists(dir + "/initdb") && fs::exists(dir + "/pg_ctl"))
            return dir;
    }
    return {};
}

bool isRoot() {
    return ::geteuid() == 0;
}

using Connection = std::unique_ptr<PGconn, decltype(&PQfinish)>;
using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

}  // namespace

bool PostgresServer::available() {
    return !findBinDirectory().empty();
}

PostgresServer& PostgresServer::shared() {
    static PostgresServer server;
    return server;
}

PostgresServer::PostgresServer() : binDirectory_(findBinDirectory()) {
    if (binDirectory_.empty())
        throw std::runtime_error("PostgreSQL server programs not found (install postgresql)");
    directory_ = makeTemporaryDirectory("kestrova-pg");
    dataDirectory_ = directory_ + "/data";
    if (isRoot())
        runCommand("chown postgres:postgres " + shellQuoted(directory_));
    port_ = freeLoopbackPort();

    runAsServerUser(binDirectory_ + "/initdb -D " + shellQuoted(dataDirectory_) +
                    " -U postgres -A trust -E UTF8 --locale=C --no-sync");
    std::ofstream conf(dataDirectory_ + "/postgresql.conf", std::ios::app);
    conf << "\nport = " << port_ << "\nlisten_addresses = '127.0.0.1'\n"
         << "unix_socket_directories = '" << directory_ << "'\n"
         << "fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n"
         << "max_connections = 40\nlog_min_messages = warning\n";
    conf.close();
    std::ofstream hba(dataDirectory_ + "/pg_hba.conf", std::ios::trunc);
    hba << "local all all trust\nhost all all 127.0.0.1/32 scram-sha-256\n";
    hba.close();

    cleanUpAfterExit("pid=$(head -1 " + shellQuoted(dataDirectory_ + "/postmaster.pid") +
                     " 2>/dev/null); [ -n \"$pid\" ] && kill -QUIT \"$pid\" 2>/dev/null; "
                     "sleep 2; rm -rf " +
                     shellQuoted(directory_));

    start();
    execute("postgres", "CREATE ROLE " + std::string(kUser) + " LOGIN PASSWORD '" +
                            std::string(kPassword) + "'");
}

PostgresServer::~PostgresServer() {
    try {
        stop();
    } catch (...) {
    }
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
}

std::string PostgresServer::runAsServerUser(const std::string& command) {
    if (isRoot())
        return runCommand("runuser -u postgres -- sh -c " + shellQuoted(command));
    return runCommand(command);
}

void PostgresServer::start() {
    if (running_)
        return;
    runAsServerUser(binDirectory_ + "/pg_ctl -D " + shellQuoted(dataDirectory_) + " -l " +
                    shellQuoted(directory_ + "/server.log") + " -w -t 60 start");
    running_ = true;
}

void PostgresServer::stop() {
    if (!running_)
        return;
    running_ = false;
    runAsServerUser(binDirectory_ + "/pg_ctl -D " + shellQuoted(dataDirectory_) +
                    " -m fast -w -t 60 stop");
}

void PostgresServer::kill() {
    if (!running_)
        return;
    // Without synchronous commits the latest ones may still wait in memory for
    // the WAL writer; the tests' data must survive the crash as a real
    // server's committed data would.
    execute("postgres", "CHECKPOINT");
    running_ = false;
    runAsServerUser(binDirectory_ + "/pg_ctl -D " + shellQuoted(dataDirectory_) +
                    " -m immediate -w -t 60 stop");
}

void PostgresServer::createDatabase(const std::string& name) {
    execute("postgres", "DROP DATABASE IF EXISTS \"" + name + "\" WITH (FORCE)");
    execute("postgres",
            "CREATE DATABASE \"" + name + "\" OWNER " + std::string(kUser) + " TEMPLATE template0");
    execute(name, "ALTER SCHEMA public OWNER TO " + std::string(kUser));
}

// Runs sql over the socket as the superuser; throws unless the server accepts it.
static Result runAsSuperuser(const std::string& directory, int port, const std::string& database,
                             const std::string& sql) {
    const std::string text = "host=" + directory + " port=" + std::to_string(port) + " dbname='" +
                             database + "' user=postgres";
    const Connection connection(PQconnectdb(text.c_str()), &PQfinish);
    Result result(PQexec(connection.get(), sql.c_str()), &PQclear);
    const auto status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error("statement failed in " + database + ": " +
                                 std::string(PQerrorMessage(connection.get())));
    return result;
}

std::vector<std::string> PostgresServer::queryColumn(const std::string& database,
                                                     const std::string& sql) {
    const Result result = runAsSuperuser(directory_, port_, database, sql);
    std::vector<std::string> values;
    for (int row = 0; row < PQntuples(result.get()); ++row)
        values.emplace_back(PQgetvalue(result.get(), row, 0));
    return values;
}

void PostgresServer::execute(const std::string& database, const std::string& sql) {
    runAsSuperuser(directory_, port_, database, sql);
}

void PostgresServer::executeFile(const std::string& database, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    // Loaded as the test user, so that the tables are the user's own.
    text << "SET ROLE " << kUser << ";\n" << in.rdbuf();
    execute(database, text.str());
}

}  // namespace kestrova::test
