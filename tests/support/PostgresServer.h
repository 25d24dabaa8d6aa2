#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova::test {

// A throwaway PostgreSQL cluster for tests and benchmarks: created in a new
// temporary directory with initdb, served by pg_ctl on 127.0.0.1 and a unix
// socket in that directory, stopped and deleted again by the destructor. When
// the process runs as root the server runs as the "postgres" user (initdb
// refuses root). A watchdog process stops the server and deletes the directory
// should the test process die without cleaning up.
//
// Tests log in over TCP as kUser with kPassword (password authentication);
// setup statements run over the socket as the superuser "postgres".
class PostgresServer final {
public:
    static constexpr std::string_view kUser = "tracker";
    static constexpr std::string_view kPassword = "tr4cker-pw";
    static constexpr std::string_view kHost = "127.0.0.1";

    // Creates and starts the cluster; throws std::runtime_error with the
    // tools' output when that fails (PostgreSQL not installed, no free port).
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // One server per test run, started on first use and stopped at exit.
    static PostgresServer& shared();
    // Whether the PostgreSQL server programs are installed here.
    static bool available();

    // stop() then start() keeps the data and the port.
    void start();
    void stop();
    // Ends every server process at once, without a clean shutdown, as a crash
    // or an administrator's kill would; start() then recovers the data.
    void kill();
    bool running() const { return running_; }

    int port() const { return port_; }
    std::string portText() const { return std::to_string(port_); }
    const std::string& directory() const { return directory_; }
    const std::string& socketDirectory() const { return directory_; }

    // A new empty database owned by kUser; an existing one is dropped first.
    void createDatabase(const std::string& name);
    // Runs SQL (several statements allowed) as the superuser; throws with the
    // server's message on failure.
    void execute(const std::string& database, const std::string& sql);
    // The first column of every row of a query run as the superuser.
    std::vector<std::string> queryColumn(const std::string& database, const std::string& sql);
    // Runs an SQL file as kUser, who then owns what it creates.
    void executeFile(const std::string& database, const std::string& path);

private:
    std::string runAsServerUser(const std::string& command);

    std::string binDirectory_;
    std::string directory_;
    std::string dataDirectory_;
    int port_ = 0;
    bool running_ = false;
};

}  // namespace kestrova::test
