#include "FirebirdFiles.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "ProcessTools.h"

namespace kestrova::test {

namespace {

namespace fs = std::filesystem;

constexpr const char* kSystemRoot = "/usr/lib/x86_64-linux-gnu/firebird/3.0";
constexpr const char* kIsql = "/usr/bin/isql-fb";
constexpr const char* kServer = "/usr/sbin/firebird";
constexpr const char* kSecurityDatabase = "/var/lib/firebird/3.0/system/security3.fdb";

}  // namespace

bool FirebirdFiles::available() {
    return fs::exists(kIsql) && fs::exists(std::string(kSystemRoot) + "/plugins/libEngine12.so");
}

FirebirdFiles::FirebirdFiles() {
    if (!available())
        throw std::runtime_error("Firebird not found (install firebird3.0-server-core)");
    directory_ = makeTemporaryDirectory("kestrova-firebird");
    const std::string root = directory_ + "/root";
    fs::create_directories(root);
    fs::create_directories(directory_ + "/lock");
    for (const char* part : {"plugins", "intl", "UDF", "firebird.msg", "plugins.conf"})
        fs::create_symlink(std::string(kSystemRoot) + "/" + part, root + "/" + part);
    std::ofstream(root + "/firebird.conf") << "ServerMode = SuperClassic\n";
    ::setenv("FIREBIRD", root.c_str(), 1);
    ::setenv("FIREBIRD_LOCK", (directory_ + "/lock").c_str(), 1);
    cleanUpAfterExit("kill $(cat " + shellQuoted(directory_ + "/server.pid") +
                     ") 2>/dev/null; sleep 1; rm -rf " + shellQuoted(directory_));
}

FirebirdFiles::~FirebirdFiles() {
    stopProcess(pid_);
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
}

std::string FirebirdFiles::create(const std::string& name, const std::string& sqlFile,
                                  const std::string& characterSet) {
    const std::string path = directory_ + "/" + name + ".fdb";
    const std::string script = directory_ + "/" + name + ".create.sql";
    std::ofstream(script) << "CREATE DATABASE '" << path << "' USER 'SYSDBA'"
                          << (characterSet.empty() ? "" : " DEFAULT CHARACTER SET " + characterSet)
                          << ";\nINPUT '" << sqlFile << "';\n";
    runCommand(std::string(kIsql) + " -q -b -i " + shellQuoted(script));
    return path;
}

void FirebirdFiles::startServer(const std::string& sysdbaPassword) {
    if (!fs::exists(kServer) || !fs::exists(kSecurityDatabase))
        throw std::runtime_error("Firebird server not found (install firebird3.0-server)");
    const std::string security = directory_ + "/security3.fdb";
    fs::copy_file(kSecurityDatabase, security);
    port_ = freeLoopbackPort();
    std::ofstream(directory_ + "/root/firebird.conf")
        << "ServerMode = SuperClassic\nRemoteServicePort = " << port_
        << "\nRemoteBindAddress = 127.0.0.1\nSecurityDatabase = " << security << "\n";
    const std::string script = directory_ + "/sysdba.sql";
    std::ofstream(script) << "CREATE OR ALTER USER SYSDBA PASSWORD '" << sysdbaPassword << "';\n";
    runCommand(std::string(kIsql) + " -q -b -user SYSDBA -i " + shellQuoted(script) + " " +
               shellQuoted(security));
    runCommand("setsid sh -c " +
               shellQuoted("echo $$ > " + shellQuoted(directory_ + "/server.pid") + "; exec " +
                           kServer + " > " + shellQuoted(directory_ + "/server.log") + " 2>&1") +
               " < /dev/null > /dev/null 2>&1 &");
    // Ready once the port takes connections.
    const std::string probe = "exec 3<>/dev/tcp/127.0.0.1/" + std::to_string(port_);
    retryUntilDone(100, [&] { runCommand("bash -c " + shellQuoted(probe)); });
    std::ifstream(directory_ + "/server.pid") >> pid_;
}

std::string FirebirdFiles::serverPrefix() const {
    return "127.0.0.1/" + std::to_string(port_) + ":";
}

}  // namespace kestrova::test
