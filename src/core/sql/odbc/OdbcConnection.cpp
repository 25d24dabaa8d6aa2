#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <memory>

#include "sql/SqlDrivers.h"

namespace kestrova {

namespace {

constexpr SQLSMALLINT kNameSize = 256;
constexpr SQLLEN kChunk = 1024;

std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    std::string text;
    SQLCHAR state[6];
    SQLCHAR message[SQL_MAX_MESSAGE_LENGTH];
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT record = 1; SQLGetDiagRec(type, handle, record, state, &native, message,
                                               sizeof message, &length) == SQL_SUCCESS;
         ++record) {
        if (!text.empty())
            text += '\n';
        text += reinterpret_cast<const char*>(message);
    }
    return text;
}

bool succeeded(SQLRETURN code) {
    return code == SQL_SUCCESS || code == SQL_SUCCESS_WITH_INFO;
}

// One statement handle, freed whatever happens.
struct Statement {
    SQLHSTMT handle = SQL_NULL_HSTMT;
    ~Statement() {
        if (handle != SQL_NULL_HSTMT)
            SQLFreeHandle(SQL_HANDLE_STMT, handle);
    }
};

// A connection of the unixODBC driver manager (or Windows' own).
class OdbcConnection final : public SqlConnection {
public:
    ~OdbcConnection() override {
        if (connected_)
            SQLDisconnect(dbc_);
        if (dbc_ != SQL_NULL_HDBC)
            SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
        if (env_ != SQL_NULL_HENV)
            SQLFreeHandle(SQL_HANDLE_ENV, env_);
    }

    bool connect(const std::string& connectionString) {
        if (!succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_)) ||
            !succeeded(SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION,
                                     reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)) ||
            !succeeded(SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_))) {
            step_ = "connect";
            message_ = "the ODBC driver manager cannot be used";
            return false;
        }
        SQLCHAR out[1024];
        SQLSMALLINT outLength = 0;
        std::string text = connectionString;
        const SQLRETURN code =
            SQLDriverConnect(dbc_, nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                             static_cast<SQLSMALLINT>(text.size()), out, sizeof out, &outLength,
                             SQL_DRIVER_NOPROMPT);
        if (!succeeded(code)) {
            step_ = "connect";
            message_ = diagnostics(SQL_HANDLE_DBC, dbc_);
            return false;
        }
        connected_ = true;
        return true;
    }

    // Some drivers (MDBTools') take bound parameters without a word and then
    // cannot parse the statement: after a failure with parameters the
    // statement is tried once more with the values written in as literals,
    // and this connection keeps doing so once that worked.
    bool query(std::string_view statement, const std::vector<std::string>& parameters,
               const SqlRowHandler& onRow) override {
        if (!parameters.empty() && !literalsOnly_) {
            if (run(statement, parameters, onRow))
                return true;
            if (started_ || !runWithLiterals(statement, parameters, onRow))
                return false;
            literalsOnly_ = true;
            return true;
        }
        return literalsOnly_ ? runWithLiterals(statement, parameters, onRow)
                             : run(statement, parameters, onRow);
    }

    std::string failedStep() const override { return step_; }
    std::string errorMessage() const override { return message_; }

private:
    bool runWithLiterals(std::string_view statement, const std::vector<std::string>& parameters,
                         const SqlRowHandler& onRow) {
        const std::optional<std::string> text =
            withParametersWritten(statement, parameters, [](const std::string& value) {
                // No driver-independent way writes a control character in a
                // literal: a value holding one matches nothing.
                if (std::any_of(value.begin(), value.end(), [](char v) {
                        return static_cast<unsigned char>(v) < 0x20 || v == '\x7f';
                    }))
                    return std::optional<std::string>();
                std::string quoted = "'";
                for (const char v : value) {
                    quoted += v;
                    if (v == '\'')
                        quoted += '\'';
                }
                return std::optional<std::string>(quoted + "'");
            });
        return !text || run(*text, {}, onRow);
    }

    bool run(std::string_view statement, const std::vector<std::string>& parameters,
             const SqlRowHandler& onRow) {
        started_ = false;
        Statement stmt;
        if (!succeeded(SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &stmt.handle)))
            return fail("allocate", SQL_HANDLE_DBC, dbc_);
        std::string text(statement);
        if (!succeeded(SQLPrepare(stmt.handle, reinterpret_cast<SQLCHAR*>(text.data()),
                                  static_cast<SQLINTEGER>(text.size()))))
            return fail("prepare", SQL_HANDLE_STMT, stmt.handle);
        std::vector<SQLLEN> lengths(parameters.size());
        for (std::size_t i = 0; i < parameters.size(); ++i) {
            lengths[i] = static_cast<SQLLEN>(parameters[i].size());
            const SQLULEN size = std::max<SQLULEN>(parameters[i].size(), 1);
            if (!succeeded(SQLBindParameter(
                    stmt.handle, static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, SQL_C_CHAR,
                    SQL_VARCHAR, size, 0, const_cast<char*>(parameters[i].data()),
                    static_cast<SQLLEN>(parameters[i].size()), &lengths[i])))
                return fail("bind", SQL_HANDLE_STMT, stmt.handle);
        }
        const SQLRETURN executed = SQLExecute(stmt.handle);
        if (executed == SQL_NO_DATA)
            return true;
        if (!succeeded(executed))
            return fail("execute", SQL_HANDLE_STMT, stmt.handle);

        SQLSMALLINT columns = 0;
        SQLNumResultCols(stmt.handle, &columns);
        std::vector<std::string> names;
        for (SQLSMALLINT c = 1; c <= columns; ++c) {
            SQLCHAR name[kNameSize];
            SQLSMALLINT length = 0;
            SQLSMALLINT type = 0;
            SQLULEN size = 0;
            SQLSMALLINT digits = 0;
            SQLSMALLINT nullable = 0;
            if (!succeeded(SQLDescribeCol(stmt.handle, static_cast<SQLUSMALLINT>(c), name,
                                          kNameSize, &length, &type, &size, &digits, &nullable)))
                name[0] = '\0';
            names.emplace_back(reinterpret_cast<const char*>(name));
        }
        std::vector<std::optional<std::string>> values(names.size());
        for (;;) {
            const SQLRETURN fetched = SQLFetch(stmt.handle);
            if (fetched == SQL_NO_DATA)
                return true;
            if (!succeeded(fetched))
                return fail("fetch", SQL_HANDLE_STMT, stmt.handle);
            for (std::size_t c = 0; c < names.size(); ++c) {
                if (!readValue(stmt.handle, static_cast<SQLUSMALLINT>(c + 1), values[c]))
                    return fail("fetch", SQL_HANDLE_STMT, stmt.handle);
            }
            started_ = true;
            if (!onRow(SqlRow(names, values)))
                return true;
        }
    }

    bool fail(const char* step, SQLSMALLINT type, SQLHANDLE handle) {
        step_ = step;
        message_ = diagnostics(type, handle);
        return false;
    }

    // The value as text, read in pieces so that no length limit applies.
    static bool readValue(SQLHSTMT stmt, SQLUSMALLINT column, std::optional<std::string>& value) {
        value.reset();
        std::string text;
        char buffer[kChunk];
        for (;;) {
            SQLLEN indicator = 0;
            const SQLRETURN code =
                SQLGetData(stmt, column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
            if (code == SQL_NO_DATA)
                break;
            if (!succeeded(code))
                return false;
            if (indicator == SQL_NULL_DATA)
                return true;
            const bool more =
                code == SQL_SUCCESS_WITH_INFO && (indicator == SQL_NO_TOTAL || indicator >= kChunk);
            const std::size_t got =
                more ? sizeof buffer - 1 : static_cast<std::size_t>(std::max<SQLLEN>(indicator, 0));
            text.append(buffer, got);
            if (!more)
                break;
        }
        value = std::move(text);
        return true;
    }

    SQLHENV env_ = SQL_NULL_HENV;
    SQLHDBC dbc_ = SQL_NULL_HDBC;
    bool connected_ = false;
    bool literalsOnly_ = false;
    bool started_ = false;  // rows were handed on: the statement cannot be run again
    std::string step_;
    std::string message_;
};

}  // namespace

std::unique_ptr<SqlConnection> openOdbc(const std::string& connectionString, std::string& error) {
    auto connection = std::make_unique<OdbcConnection>();
    if (!connection->connect(connectionString)) {
        error = connection->errorMessage();
        return nullptr;
    }
    return connection;
}

}  // namespace kestrova
