#include "PostgresServer.h"

#include <libpq-fe.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace kestrova::test {

namespace {

namespace fs = std::filesystem;

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

// Runs a shell command; its output, and throws when it fails.
std::string run(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        throw std::runtime_error("cannot run: " + command);
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    const int status = pclose(pipe);
    if (status != 0)
        throw std::runtime_error("failed (" + std::to_string(status) + "): " + command + "\n" +
                                 output);
    return output;
}

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

int freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        throw std::runtime_error("no socket for a free port");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    // The socket API takes the generic address type.
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    if (::bind(fd, generic, sizeof(address)) != 0 || ::getsockname(fd, generic, &length) != 0) {
        ::close(fd);
        throw std::runtime_error("no free port on 127.0.0.1");
    }
    ::close(fd);
    return ntohs(address.sin_port);
}

bool isRoot() {
    return ::geteuid() == 0;
}

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
    std::string pattern = (fs::temp_directory_path() / "kestrova-pg-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary directory");
    directory_ = pattern;
    dataDirectory_ = directory_ + "/data";
    if (isRoot())
        run("chown postgres:postgres " + shellQuoted(directory_));
    port_ = freePort();

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

    // Stops the server and removes the directory when this process is gone,
    // however it ended.
    const std::string watchdog =
        "while kill -0 " + std::to_string(::getpid()) + " 2>/dev/null; do sleep 1; done; " +
        "pid=$(head -1 " + shellQuoted(dataDirectory_ + "/postmaster.pid") +
        " 2>/dev/null); [ -n \"$pid\" ] && kill -QUIT \"$pid\" 2>/dev/null; sleep 2; rm -rf " +
        shellQuoted(directory_);
    run("setsid sh -c " + shellQuoted(watchdog) + " >/dev/null 2>&1 < /dev/null &");

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
        return run("runuser -u postgres -- sh -c " + shellQuoted(command));
    return run(command);
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

std::vector<std::string> PostgresServer::queryColumn(const std::string& database,
                                                     const std::string& sql) {
    const std::string text = "host=" + directory_ + " port=" + std::to_string(port_) + " dbname='" +
                             database + "' user=postgres";
    std::unique_ptr<PGconn, decltype(&PQfinish)> connection(PQconnectdb(text.c_str()), &PQfinish);
    std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(connection.get(), sql.c_str()),
                                                         &PQclear);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        throw std::runtime_error("query failed in " + database + ": " +
                                 std::string(PQerrorMessage(connection.get())));
    std::vector<std::string> values;
    for (int row = 0; row < PQntuples(result.get()); ++row)
        values.emplace_back(PQgetvalue(result.get(), row, 0));
    return values;
}

void PostgresServer::execute(const std::string& database, const std::string& sql) {
    const std::string text = "host=" + directory_ + " port=" + std::to_string(port_) + " dbname='" +
                             database + "' user=postgres";
    std::unique_ptr<PGconn, decltype(&PQfinish)> connection(PQconnectdb(text.c_str()), &PQfinish);
    if (PQstatus(connection.get()) != CONNECTION_OK)
        throw std::runtime_error("cannot connect to the test server: " +
                                 std::string(PQerrorMessage(connection.get())));
    std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(connection.get(), sql.c_str()),
                                                         &PQclear);
    const auto status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error("statement failed in " + database + ": " +
                                 std::string(PQerrorMessage(connection.get())));
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
