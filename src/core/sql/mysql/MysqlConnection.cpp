#include <mysql++/mysql++.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "sql/SqlDrivers.h"

namespace kestrova {

namespace {

// A connection of MySQL++ over the MariaDB client, with exceptions off: every
// failure is a false return and the library's error text.
class MysqlConnection final : public SqlConnection {
public:
    MysqlConnection() : connection_(false) {}

    // The read and write time-outs bound every statement, on a kept
    // connection too: a server that goes silent after the login is waited
    // for no longer than a statement may take.
    bool connect(const MysqlLogin& login, int statementTimeoutSeconds) {
        const auto statementSeconds = static_cast<unsigned>(std::max(statementTimeoutSeconds, 1));
        connection_.set_option(new mysqlpp::ConnectTimeoutOption(kConnectTimeoutSeconds));
        connection_.set_option(new mysqlpp::ReadTimeoutOption(statementSeconds));
        connection_.set_option(new mysqlpp::WriteTimeoutOption(statementSeconds));
        connection_.set_option(new mysqlpp::SetCharsetNameOption("utf8mb4"));
        const auto text = [](const std::string& value) {
            return value.empty() ? nullptr : value.c_str();
        };
        statementSeconds_ = statementSeconds;
        const auto started = std::chrono::steady_clock::now();
        if (!connection_.connect(text(login.database), text(login.host), text(login.user),
                                 login.password.c_str(), login.port)) {
            step_ = "connect";
            // The library speaks of a lost connection and a system error number.
            if (std::chrono::steady_clock::now() - started >=
                std::chrono::seconds(kConnectTimeoutSeconds))
                timeout_ = "no answer from the server within " +
                           std::to_string(kConnectTimeoutSeconds) + " seconds of connecting";
            return false;
        }
        return true;
    }

    bool query(std::string_view statement, const std::vector<std::string>& parameters,
               const SqlRowHandler& onRow) override {
        mysqlpp::Query query = connection_.query();
        // Each "?" becomes the parameter, escaped for the connection's
        // character set and quoted.
        const std::string text =
            *withParametersWritten(statement, parameters, [&query](const std::string& value) {
                std::string escaped;
                query.escape_string(&escaped, value.data(), value.size());
                return std::optional<std::string>('\'' + escaped + '\'');
            });
        timeout_.clear();
        const auto started = std::chrono::steady_clock::now();
        const auto failed = [&](const char* step) {
            step_ = step;
            if (std::chrono::steady_clock::now() - started >= std::chrono::seconds(statementSeconds_))
                timeout_ = "no answer from the server to a statement within " +
                           std::to_string(statementSeconds_) + " seconds";
            return false;
        };
        mysqlpp::UseQueryResult result = query.use(text);
        if (!result)
            return failed("query");
        std::vector<std::string> names;
        for (std::size_t i = 0; i < result.num_fields(); ++i)
            names.push_back(result.field_name(static_cast<int>(i)));
        std::vector<std::optional<std::string>> values(names.size());
        bool wanted = true;
        while (mysqlpp::Row row = result.fetch_row()) {
            if (!wanted)
                continue;  // the rest of the result must still be read
            for (std::size_t i = 0; i < values.size() && i < row.size(); ++i) {
                const mysqlpp::String& value = row[i];
                if (value.is_null())
                    values[i].reset();
                else
                    values[i].emplace(value.data(), value.length());
            }
            wanted = onRow(SqlRow(names, values));
        }
        if (connection_.errnum() != 0)
            return failed("fetch");
        return true;
    }

    std::string failedStep() const override { return step_; }
    bool timedOut() const override { return !timeout_.empty(); }
    std::string errorMessage() const override {
        return timeout_.empty() ? connection_.error() : timeout_;
    }

private:
    mysqlpp::Connection connection_;
    unsigned statementSeconds_ = 1;
    std::string step_;
    std::string timeout_;  // why the last step failed, when it ran out of time
};

}  // namespace

std::unique_ptr<SqlConnection> openMysql(const MysqlLogin& login, int statementTimeoutSeconds,
                                         std::string& error) {
    auto connection = std::make_unique<MysqlConnection>();
    if (!connection->connect(login, statementTimeoutSeconds)) {
        error = connection->errorMessage();
        return nullptr;
    }
    return connection;
}

}  // namespace kestrova
