#pragma once

#include <memory>
#include <string>

#include "sql/SqlConnection.h"

namespace kestrova {

// The client libraries behind SqlConnection. Each driver is optional at build
// time: without its library the function returns null and says so in `error`.
// On a failed connect the functions return null, `error` holding the library's
// message (for Firebird, after the failed step's label and a new line).

// How long connecting to a server may take before the database counts as
// unreachable.
constexpr int kConnectTimeoutSeconds = 5;

// A Firebird database: a plain file path opens the file with the embedded
// engine, "host:path" (or "host/port:path") goes to that server. One
// transaction per statement.
std::unique_ptr<SqlConnection> openFirebird(const std::string& database, const std::string& user,
                                            const std::string& password, std::string& error);

struct MysqlLogin {
    std::string host;
    unsigned port = 0;  // 0: the client library's default
    std::string database;
    std::string user;
    std::string password;
};
// A MySQL or MariaDB server: no compression; connecting and every statement
// each have a deadline, statementTimeoutSeconds for a statement.
std::unique_ptr<SqlConnection> openMysql(const MysqlLogin& login, int statementTimeoutSeconds,
                                         std::string& error);

// An ODBC data source given by a full connection string ("Driver={...};...").
std::unique_ptr<SqlConnection> openOdbc(const std::string& connectionString, std::string& error);

// The ODBC connection string for an Access (.mdb) file on this platform.
std::string accessConnectionString(const std::string& path);

}  // namespace kestrova
