// An ODBC driver for tests that behaves like MDBTools' driver where it hurts:
// it reads "DBQ=" (braces taken off, "}}" as "}"), accepts bound parameters and
// ignores them, so a statement with "?" fails ("Couldn't parse SQL"), and it
// knows no aggregate functions. The file is an SQLite database, read only; a
// file that is not one fails at its first statement, as a damaged .mdb does.
#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Handle {
    std::string error;
};

struct Env : Handle {};

struct Dbc : Handle {
    sqlite3* db = nullptr;
};

struct Stmt : Handle {
    Dbc* dbc = nullptr;
    std::string text;
    sqlite3_stmt* statement = nullptr;
    std::vector<std::size_t> readSoFar;  // per column, for SQLGetData in pieces

    void close() {
        if (statement != nullptr)
            sqlite3_finalize(statement);
        statement = nullptr;
    }
};

SQLRETURN fail(Handle* handle, std::string text) {
    handle->error = std::move(text);
    return SQL_ERROR;
}

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string text(SQLCHAR* chars, SQLINTEGER length) {
    if (chars == nullptr)
        return {};
    const char* start = reinterpret_cast<const char*>(chars);
    return length == SQL_NTS ? std::string(start) : std::string(start, static_cast<std::size_t>(length));
}

// The DBQ value of a connection string: plain up to ";", or in braces.
std::string databaseOf(const std::string& connection) {
    std::size_t at = 0;
    while (at < connection.size()) {
        const std::size_t equals = connection.find('=', at);
        if (equals == std::string::npos)
            break;
        const std::string key = lowered(connection.substr(at, equals - at));
        std::string value;
        std::size_t next = equals + 1;
        if (next < connection.size() && connection[next] == '{') {
            for (++next; next < connection.size(); ++next) {
                if (connection[next] == '}') {
                    if (next + 1 < connection.size() && connection[next + 1] == '}') {
                        value += '}';
                        ++next;
                        continue;
                    }
                    ++next;
                    break;
                }
                value += connection[next];
            }
            next = connection.find(';', next);
        } else {
            const std::size_t end = connection.find(';', next);
            value = connection.substr(next, end == std::string::npos ? std::string::npos : end - next);
            next = end;
        }
        if (key == "dbq")
            return value;
        if (next == std::string::npos)
            break;
        at = next + 1;
    }
    return {};
}

bool refused(const std::string& statement) {
    const std::string lower = lowered(statement);
    return statement.find('?') != std::string::npos || lower.find("sum(") != std::string::npos ||
           lower.find("count(") != std::string::npos || lower.find("iif(") != std::string::npos;
}

}  // namespace

extern "C" {

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE* output) {
    switch (type) {
        case SQL_HANDLE_ENV:
            *output = new Env;
            return SQL_SUCCESS;
        case SQL_HANDLE_DBC:
            *output = new Dbc;
            return SQL_SUCCESS;
        case SQL_HANDLE_STMT: {
            auto* stmt = new Stmt;
            stmt->dbc = static_cast<Dbc*>(input);
            *output = stmt;
            return SQL_SUCCESS;
        }
        default:
            return SQL_ERROR;
    }
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE handle) {
    switch (type) {
        case SQL_HANDLE_ENV:
            delete static_cast<Env*>(handle);
            return SQL_SUCCESS;
        case SQL_HANDLE_DBC:
            delete static_cast<Dbc*>(handle);
            return SQL_SUCCESS;
        case SQL_HANDLE_STMT: {
            auto* stmt = static_cast<Stmt*>(handle);
            stmt->close();
            delete stmt;
            return SQL_SUCCESS;
        }
        default:
            return SQL_ERROR;
    }
}

SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT handle, SQLUSMALLINT /*option*/) {
    static_cast<Stmt*>(handle)->close();
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLCloseCursor(SQLHSTMT handle) {
    static_cast<Stmt*>(handle)->close();
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetInfo(SQLHDBC, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT size,
                             SQLSMALLINT* length) {
    const char* answer = type == SQL_DRIVER_ODBC_VER ? "03.00" : "";
    if (type != SQL_DRIVER_ODBC_VER && type != SQL_DRIVER_NAME && type != SQL_DBMS_NAME) {
        if (value != nullptr)
            std::memset(value, 0, static_cast<std::size_t>(std::max<SQLSMALLINT>(size, 0)));
        return SQL_SUCCESS;
    }
    if (type == SQL_DRIVER_NAME)
        answer = "libkestrova_standin_odbc.so";
    if (type == SQL_DBMS_NAME)
        answer = "MDBTools stand-in";
    if (value != nullptr && size > 0) {
        std::strncpy(static_cast<char*>(value), answer, static_cast<std::size_t>(size) - 1);
        static_cast<char*>(value)[size - 1] = '\0';
    }
    if (length != nullptr)
        *length = static_cast<SQLSMALLINT>(std::strlen(answer));
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC handle, SQLHWND, SQLCHAR* in, SQLSMALLINT inLength,
                                   SQLCHAR* out, SQLSMALLINT outSize, SQLSMALLINT* outLength,
                                   SQLUSMALLINT) {
    auto* dbc = static_cast<Dbc*>(handle);
    const std::string connection = text(in, inLength);
    const std::string file = databaseOf(connection);
    if (file.empty() || sqlite3_open_v2(file.c_str(), &dbc->db, SQLITE_OPEN_READONLY, nullptr) !=
                            SQLITE_OK) {
        sqlite3_close(dbc->db);
        dbc->db = nullptr;
        return fail(dbc, "Unable to locate database " + file);
    }
    if (out != nullptr && outSize > 0) {
        std::strncpy(reinterpret_cast<char*>(out), connection.c_str(),
                     static_cast<std::size_t>(outSize) - 1);
        out[outSize - 1] = '\0';
    }
    if (outLength != nullptr)
        *outLength = static_cast<SQLSMALLINT>(std::min<std::size_t>(connection.size(), 32767));
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC handle) {
    auto* dbc = static_cast<Dbc*>(handle);
    sqlite3_close(dbc->db);
    dbc->db = nullptr;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLPrepare(SQLHSTMT handle, SQLCHAR* statement, SQLINTEGER length) {
    auto* stmt = static_cast<Stmt*>(handle);
    stmt->close();
    stmt->text = text(statement, length);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLBindParameter(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLSMALLINT, SQLSMALLINT,
                                   SQLULEN, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*) {
    return SQL_SUCCESS;  // taken and forgotten
}

SQLRETURN SQL_API SQLExecute(SQLHSTMT handle) {
    auto* stmt = static_cast<Stmt*>(handle);
    stmt->close();
    if (refused(stmt->text))
        return fail(stmt, "Couldn't parse SQL");
    if (sqlite3_prepare_v2(stmt->dbc->db, stmt->text.c_str(), -1, &stmt->statement, nullptr) !=
        SQLITE_OK)
        return fail(stmt, sqlite3_errmsg(stmt->dbc->db));
    stmt->readSoFar.assign(static_cast<std::size_t>(sqlite3_column_count(stmt->statement)), 0);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT handle, SQLCHAR* statement, SQLINTEGER length) {
    SQLPrepare(handle, statement, length);
    return SQLExecute(handle);
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT handle, SQLSMALLINT* columns) {
    auto* stmt = static_cast<Stmt*>(handle);
    *columns = static_cast<SQLSMALLINT>(
        stmt->statement == nullptr ? 0 : sqlite3_column_count(stmt->statement));
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLRowCount(SQLHSTMT, SQLLEN* rows) {
    *rows = -1;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT handle, SQLUSMALLINT column, SQLCHAR* name,
                                 SQLSMALLINT size, SQLSMALLINT* length, SQLSMALLINT* type,
                                 SQLULEN* columnSize, SQLSMALLINT* digits, SQLSMALLINT* nullable) {
    auto* stmt = static_cast<Stmt*>(handle);
    const char* columnName = sqlite3_column_name(stmt->statement, column - 1);
    const std::string value = columnName == nullptr ? "" : columnName;
    if (name != nullptr && size > 0) {
        std::strncpy(reinterpret_cast<char*>(name), value.c_str(), static_cast<std::size_t>(size) - 1);
        name[size - 1] = '\0';
    }
    if (length != nullptr)
        *length = static_cast<SQLSMALLINT>(value.size());
    if (type != nullptr)
        *type = SQL_VARCHAR;
    if (columnSize != nullptr)
        *columnSize = 255;
    if (digits != nullptr)
        *digits = 0;
    if (nullable != nullptr)
        *nullable = SQL_NULLABLE;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT handle) {
    auto* stmt = static_cast<Stmt*>(handle);
    if (stmt->statement == nullptr)
        return fail(stmt, "no result");
    const int step = sqlite3_step(stmt->statement);
    if (step == SQLITE_DONE)
        return SQL_NO_DATA;
    if (step != SQLITE_ROW)
        return fail(stmt, sqlite3_errmsg(stmt->dbc->db));
    std::fill(stmt->readSoFar.begin(), stmt->readSoFar.end(), 0);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetData(SQLHSTMT handle, SQLUSMALLINT column, SQLSMALLINT, SQLPOINTER target,
                             SQLLEN size, SQLLEN* indicator) {
    auto* stmt = static_cast<Stmt*>(handle);
    const int index = column - 1;
    if (stmt->statement == nullptr || index < 0 ||
        static_cast<std::size_t>(index) >= stmt->readSoFar.size())
        return fail(stmt, "no such column");
    if (sqlite3_column_type(stmt->statement, index) == SQLITE_NULL) {
        *indicator = SQL_NULL_DATA;
        return SQL_SUCCESS;
    }
    const auto* chars = reinterpret_cast<const char*>(sqlite3_column_text(stmt->statement, index));
    const std::string value(chars, static_cast<std::size_t>(sqlite3_column_bytes(stmt->statement, index)));
    std::size_t& done = stmt->readSoFar[static_cast<std::size_t>(index)];
    if (done > 0 && done >= value.size())
        return SQL_NO_DATA;
    const std::size_t left = value.size() - done;
    const std::size_t room = size > 0 ? static_cast<std::size_t>(size) - 1 : 0;
    const std::size_t piece = std::min(left, room);
    if (size > 0) {
        std::memcpy(target, value.data() + done, piece);
        static_cast<char*>(target)[piece] = '\0';
    }
    *indicator = static_cast<SQLLEN>(left);
    done += piece;
    if (piece < left)
        return SQL_SUCCESS_WITH_INFO;
    done = std::max<std::size_t>(done, 1);  // an empty value is read once too
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT, SQLHANDLE handle, SQLSMALLINT record, SQLCHAR* state,
                                SQLINTEGER* native, SQLCHAR* message, SQLSMALLINT size,
                                SQLSMALLINT* length) {
    auto* h = static_cast<Handle*>(handle);
    if (record != 1 || h->error.empty())
        return SQL_NO_DATA;
    if (state != nullptr)
        std::memcpy(state, "HY000", 6);
    if (native != nullptr)
        *native = 1;
    if (message != nullptr && size > 0) {
        std::strncpy(reinterpret_cast<char*>(message), h->error.c_str(),
                     static_cast<std::size_t>(size) - 1);
        message[size - 1] = '\0';
    }
    if (length != nullptr)
        *length = static_cast<SQLSMALLINT>(h->error.size());
    return SQL_SUCCESS;
}

}  // extern "C"
