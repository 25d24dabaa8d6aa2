#include "MariadbServer.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "ProcessTools.h"

namespace kestrova::test {

namespace {

namespace fs = std::filesystem;

constexpr const char* kInstall = "/usr/bin/mariadb-install-db";
constexpr const char* kServer = "/usr/sbin/mariadbd";
constexpr const char* kClient = "/usr/bin/mariadb";

}  // namespace

bool MariadbServer::available() {
    return fs::exists(kInstall) && fs::exists(kServer) && fs::exists(kClient);
}

MariadbServer::MariadbServer() {
    if (!available())
        throw std::runtime_error("MariaDB server programs not found (install mariadb-server)");
    directory_ = makeTemporaryDirectory("kestrova-mariadb");
    port_ = freeLoopbackPort();
    const std::string data = directory_ + "/data";
    const std::string user = ::geteuid() == 0 ? " --user=root" : "";
    runCommand(std::string(kInstall) + " --no-defaults --datadir=" + shellQuoted(data) +
               " --auth-root-authentication-method=normal --skip-test-db" + user);
    const std::string pidFile = directory_ + "/mariadbd.pid";
    cleanUpAfterExit("kill $(cat " + shellQuoted(pidFile) + ") 2>/dev/null; sleep 2; rm -rf " +
                     shellQuoted(directory_));
    runCommand("setsid " + std::string(kServer) + " --no-defaults --datadir=" + shellQuoted(data) +
               " --socket=" + shellQuoted(directory_ + "/socket") +
               " --port=" + std::to_string(port_) +
               " --bind-address=127.0.0.1 --pid-file=" + shellQuoted(pidFile) +
               " --skip-log-bin --innodb-buffer-pool-size=16M" + " --skip-name-resolve" + user +
               " > " + shellQuoted(directory_ + "/server.log") + " 2>&1 < /dev/null &");
    // Ready once the client gets in over the socket.
    retryUntilDone(300, [&] { execute("SELECT 1"); });
    std::ifstream pid(pidFile);
    pid >> pid_;
    execute("CREATE USER '" + std::string(kUser) + "'@'%' IDENTIFIED BY '" +
            std::string(kPassword) + "'; GRANT ALL ON *.* TO '" + std::string(kUser) + "'@'%'");
}

MariadbServer::~MariadbServer() {
    stopProcess(pid_);
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
}

void MariadbServer::execute(const std::string& sql) {
    runCommand(std::string(kClient) + " --no-defaults -S " + shellQuoted(directory_ + "/socket") +
               " -u root -e " + shellQuoted(sql));
}

void MariadbServer::loadDatabase(const std::string& name, const std::string& sqlFile) {
    execute("DROP DATABASE IF EXISTS `" + name + "`; CREATE DATABASE `" + name + "`");
    runCommand(std::string(kClient) + " --no-defaults -S " + shellQuoted(directory_ + "/socket") +
               " -u root " + shellQuoted(name) + " < " + shellQuoted(sqlFile));
}

}  // namespace kestrova::test
