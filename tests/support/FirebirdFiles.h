#pragma once

#include <string>

namespace kestrova::test {

// Firebird database files for tests, made with isql-fb in embedded mode in a
// new temporary directory. The process gets a private Firebird root there
// (FIREBIRD, with ServerMode = SuperClassic so that the tool and the program
// can open one file in turn, and FIREBIRD_LOCK): make one before the first
// Firebird call of the process. startServer() also serves the directory on
// 127.0.0.1 with a SYSDBA password; the destructor stops it and deletes all.
class FirebirdFiles final {
public:
    FirebirdFiles();
    ~FirebirdFiles();
    FirebirdFiles(const FirebirdFiles&) = delete;
    FirebirdFiles& operator=(const FirebirdFiles&) = delete;

    static bool available();
    const std::string& directory() const { return directory_; }

    // A new file `name`.fdb loaded from the SQL file; returns its path. Text
    // columns take the characterSet given, or none (bytes as they come).
    std::string create(const std::string& name, const std::string& sqlFile,
                       const std::string& characterSet = "");

    void startServer(const std::string& sysdbaPassword);
    // "127.0.0.1/port:" for a path on the running server.
    std::string serverPrefix() const;

private:
    std::string directory_;
    int port_ = 0;
    long pid_ = 0;
};

}  // namespace kestrova::test
