#include <ibase.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "sql/SqlDrivers.h"

namespace kestrova {

namespace {

constexpr std::size_t kMessageSize = 512;
constexpr short kMinTextLength = 64;

std::string statusText(const ISC_STATUS* status) {
    std::string text;
    char buffer[kMessageSize];
    const ISC_STATUS* cursor = status;
    while (fb_interpret(buffer, sizeof buffer, &cursor) > 0) {
        if (!text.empty())
            text += '\n';
        text += buffer;
    }
    return text;
}

struct SqldaDeleter {
    void operator()(XSQLDA* sqlda) const { std::free(sqlda); }
};
using Sqlda = std::unique_ptr<XSQLDA, SqldaDeleter>;

Sqlda makeSqlda(short columns) {
    const short count = std::max<short>(columns, 1);
    auto* sqlda = static_cast<XSQLDA*>(std::calloc(1, XSQLDA_LENGTH(count)));
    if (sqlda == nullptr)
        throw std::bad_alloc();
    sqlda->version = SQLDA_VERSION1;
    sqlda->sqln = count;
    return Sqlda(sqlda);
}

// A connection of the Firebird client library. Every statement runs in its
// own transaction: start, allocate, prepare, execute, fetch, free, commit.
class FirebirdConnection final : public SqlConnection {
public:
    ~FirebirdConnection() override {
        if (db_ != 0) {
            ISC_STATUS_ARRAY status;
            isc_detach_database(status, &db_);
        }
    }

    bool attach(const std::string& database, const std::string& user, const std::string& password) {
        // The attach parameter block: version, user name item, password item.
        std::vector<char> dpb{isc_dpb_version1};
        const auto item = [&dpb](char code, const std::string& value) {
            dpb.push_back(code);
            dpb.push_back(static_cast<char>(std::min<std::size_t>(value.size(), 255)));
            dpb.insert(dpb.end(), value.begin(), value.begin() + dpb.back());
        };
        item(isc_dpb_user_name, user);
        item(isc_dpb_password, password);
        // The server's own default waits three minutes for a silent host.
        dpb.push_back(isc_dpb_connect_timeout);
        dpb.push_back(4);
        for (int shift = 0; shift < 32; shift += 8)
            dpb.push_back(static_cast<char>((kConnectTimeoutSeconds >> shift) & 0xff));
        const auto started = std::chrono::steady_clock::now();
        if (isc_attach_database(status_, 0, database.c_str(), &db_, static_cast<short>(dpb.size()),
                                dpb.data()) != 0) {
            db_ = 0;
            fail("attach_db");
            // A time-out comes back as "connection rejected by remote
            // interface"; the user needs to know it was silence.
            if (std::chrono::steady_clock::now() - started >=
                std::chrono::seconds(kConnectTimeoutSeconds))
                message_ = "no answer from the server within " +
                           std::to_string(kConnectTimeoutSeconds) + " seconds";
            return false;
        }
        return true;
    }

    bool query(std::string_view statement, const std::vector<std::string>& parameters,
               const SqlRowHandler& onRow) override {
        isc_tr_handle transaction = 0;
        if (isc_start_transaction(status_, &transaction, 1, &db_, 0, nullptr) != 0)
            return fail("start_transaction");
        const bool ok = runStatement(transaction, statement, parameters, onRow);
        if (!ok) {
            ISC_STATUS_ARRAY ignored;
            isc_rollback_transaction(ignored, &transaction);
            return false;
        }
        if (isc_commit_transaction(status_, &transaction) != 0)
            return fail("commit_trans");
        return true;
    }

    std::string failedStep() const override { return step_; }
    std::string errorMessage() const override { return message_; }
    std::string sqlState() const override { return sqlState_; }

private:
    bool fail(const char* step) {
        step_ = step;
        char state[FB_SQLSTATE_SIZE] = {};
        fb_sqlstate(state, status_);
        sqlState_ = state;
        message_ = statusText(status_);
        return false;
    }

    bool runStatement(isc_tr_handle& transaction, std::string_view statement,
                      const std::vector<std::string>& parameters, const SqlRowHandler& onRow) {
        isc_stmt_handle handle = 0;
        if (isc_dsql_allocate_statement(status_, &db_, &handle) != 0)
            return fail("Allocate_statement");
        const bool ok = prepareAndFetch(transaction, handle, statement, parameters, onRow);
        ISC_STATUS_ARRAY freeStatus;
        if (isc_dsql_free_statement(freeStatus, &handle, DSQL_drop) != 0 && ok) {
            std::memcpy(status_, freeStatus, sizeof status_);
            return fail("free_statement");
        }
        return ok;
    }

    bool prepareAndFetch(isc_tr_handle& transaction, isc_stmt_handle& handle,
                         std::string_view statement, const std::vector<std::string>& parameters,
                         const SqlRowHandler& onRow) {
        Sqlda out = makeSqlda(1);
        const std::string text(statement);
        if (isc_dsql_prepare(status_, &transaction, &handle, 0, text.c_str(), SQL_DIALECT_V6,
                             out.get()) != 0)
            return fail("dsql_prepare");
        if (out->sqld > out->sqln) {
            out = makeSqlda(out->sqld);
            if (isc_dsql_describe(status_, &handle, SQLDA_VERSION1, out.get()) != 0)
                return fail("dsql_prepare");
        }

        Sqlda in = makeSqlda(static_cast<short>(parameters.size()));
        if (isc_dsql_describe_bind(status_, &handle, SQLDA_VERSION1, in.get()) != 0)
            return fail("dsql_prepare");
        if (in->sqld != static_cast<short>(parameters.size())) {
            step_ = "dsql_prepare";
            message_ = "the statement takes " + std::to_string(in->sqld) + " parameters";
            return false;
        }
        std::vector<short> inNulls(parameters.size(), 0);
        for (std::size_t i = 0; i < parameters.size(); ++i) {
            XSQLVAR& var = in->sqlvar[i];
            // The server converts text to the parameter's type.
            var.sqltype = SQL_TEXT | 1;
            var.sqllen = static_cast<short>(std::min<std::size_t>(parameters[i].size(), 32767));
            var.sqldata = const_cast<char*>(parameters[i].data());
            var.sqlind = &inNulls[i];
        }

        // Every column arrives as text of its own (scaled numbers included);
        // blobs are not read and look like NULL.
        const short columns = out->sqld;
        std::vector<std::vector<char>> buffers(static_cast<std::size_t>(columns));
        std::vector<short> nulls(static_cast<std::size_t>(columns), 0);
        std::vector<std::string> names;
        std::vector<bool> readable(static_cast<std::size_t>(columns), true);
        for (short c = 0; c < columns; ++c) {
            XSQLVAR& var = out->sqlvar[c];
            names.emplace_back(var.aliasname, static_cast<std::size_t>(var.aliasname_length));
            const short type = static_cast<short>(var.sqltype & ~1);
            const auto index = static_cast<std::size_t>(c);
            if (type == SQL_BLOB || type == SQL_ARRAY) {
                readable[index] = false;
                buffers[index].resize(static_cast<std::size_t>(var.sqllen));
            } else {
                var.sqltype = SQL_VARYING | 1;
                var.sqllen = std::max(var.sqllen, kMinTextLength);
                buffers[index].resize(static_cast<std::size_t>(var.sqllen) + sizeof(short));
            }
            var.sqldata = buffers[index].data();
            var.sqlind = &nulls[index];
        }

        if (isc_dsql_execute(status_, &transaction, &handle, SQLDA_VERSION1,
                             parameters.empty() ? nullptr : in.get()) != 0)
            return fail("dsql_exec");
        if (columns == 0)
            return true;
        std::vector<std::optional<std::string>> values(static_cast<std::size_t>(columns));
        for (;;) {
            const ISC_STATUS fetched = isc_dsql_fetch(status_, &handle, SQLDA_VERSION1, out.get());
            if (fetched == 100)
                return true;
            if (fetched != 0)
                return fail("dsql_fetch");
            for (short c = 0; c < columns; ++c) {
                const auto index = static_cast<std::size_t>(c);
                if (nulls[index] < 0 || !readable[index]) {
                    values[index].reset();
                    continue;
                }
                short length = 0;
                std::memcpy(&length, buffers[index].data(), sizeof length);
                values[index].emplace(buffers[index].data() + sizeof length,
                                      static_cast<std::size_t>(std::max<short>(length, 0)));
            }
            if (!onRow(SqlRow(names, values)))
                return true;
        }
    }

    ISC_STATUS_ARRAY status_{};
    isc_db_handle db_ = 0;
    std::string step_;
    std::string message_;
    std::string sqlState_;
};

}  // namespace

std::unique_ptr<SqlConnection> openFirebird(const std::string& database, const std::string& user,
                                            const std::string& password, std::string& error) {
    auto connection = std::make_unique<FirebirdConnection>();
    if (!connection->attach(database, user, password)) {
        error = connection->failedStep() + "\n" + connection->errorMessage();
        return nullptr;
    }
    return connection;
}

}  // namespace kestrova
