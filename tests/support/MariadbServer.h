#pragma once

#include <string>
#include <string_view>

namespace kestrova::test {

// A throwaway MariaDB server: mariadb-install-db into a new temporary
// directory, mariadbd on a unix socket there and on 127.0.0.1, a user kUser
// with kPassword; stopped by its pid and deleted by the destructor (or, should
// the test process die, by a watchdog).
class MariadbServer final {
public:
    static constexpr std::string_view kUser = "tracker";
    static constexpr std::string_view kPassword = "tr4cker-pw";

    // Throws std::runtime_error with the tools' output when it cannot start.
    MariadbServer();
    ~MariadbServer();
    MariadbServer(const MariadbServer&) = delete;
    MariadbServer& operator=(const MariadbServer&) = delete;

    static bool available();

    int port() const { return port_; }
    // For SIGSTOP and SIGCONT: a server that stalls with its connections open.
    long pid() const { return pid_; }
    // Creates the database (dropped first) and runs the SQL file in it.
    void loadDatabase(const std::string& name, const std::string& sqlFile);
    // Runs SQL as root over the socket.
    void execute(const std::string& sql);

private:
    std::string directory_;
    int port_ = 0;
    long pid_ = 0;
};

}  // namespace kestrova::test
