#include "sql/postgres/PostgresConnection.h"

#include <libpq-fe.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "common/SocketWait.h"
#include "common/Text.h"

namespace kestrova {

namespace {

bool needsQuoting(std::string_view value) {
    if (value.empty())
        return true;
    for (const char c : value) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\'' || c == '\\' || c == '=')
            return true;
    }
    return false;
}

// A value as libpq's connection-text parser reads it back: inside single
// quotes, a backslash escapes the next character.
std::string quotedValue(std::string_view value) {
    std::string out = "'";
    for (const char c : value) {
        if (c == '\'' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '\'';
    return out;
}

std::string plainOrQuoted(std::string_view value) {
    return needsQuoting(value) ? quotedValue(value) : std::string(value);
}

bool isDefaultPort(std::string_view port) {
    // The number the text starts with, as atoi would read it.
    return leadingInteger(port) == 5432;
}

// Asks the server to stop the statement. PQcancel opens a connection of its
// own and may wait as long as the server stays silent, so it runs apart and is
// never waited for; the server's statement_timeout ends the statement anyway.
void cancelInBackground(pg_conn* connection) {
    PGcancel* cancel = PQgetCancel(connection);
    if (cancel == nullptr)
        return;
    std::thread([cancel] {
        char error[256];
        PQcancel(cancel, error, sizeof error);
        PQfreeCancel(cancel);
    }).detach();
}

}  // namespace

PostgresResult::PostgresResult(PostgresResult&& other) noexcept
    : result_(std::exchange(other.result_, nullptr)) {}

PostgresResult& PostgresResult::operator=(PostgresResult&& other) noexcept {
    if (this != &other) {
        clear();
        result_ = std::exchange(other.result_, nullptr);
    }
    return *this;
}

PostgresResult::~PostgresResult() {
    clear();
}

std::string_view PostgresResult::sqlState() const {
    const char* state =
        result_ == nullptr ? nullptr : PQresultErrorField(result_, PG_DIAG_SQLSTATE);
    return state == nullptr ? std::string_view() : std::string_view(state);
}

void PostgresResult::clear() {
    if (result_ != nullptr)
        PQclear(result_);
    result_ = nullptr;
}

PostgresResult::Status PostgresResult::status() const {
    if (result_ == nullptr)
        return Status::Failed;
    switch (PQresultStatus(result_)) {
        case PGRES_COMMAND_OK:
            return Status::CommandOk;
        case PGRES_TUPLES_OK:
            return Status::TuplesOk;
        case PGRES_BAD_RESPONSE:
        case PGRES_FATAL_ERROR:
        case PGRES_NONFATAL_ERROR:
            return Status::Failed;
        default:
            return Status::Other;
    }
}

int PostgresResult::rows() const {
    return result_ == nullptr ? 0 : PQntuples(result_);
}

int PostgresResult::columns() const {
    return result_ == nullptr ? 0 : PQnfields(result_);
}

std::string_view PostgresResult::value(int row, int column) const {
    if (result_ == nullptr || row < 0 || column < 0 || row >= rows() || column >= columns() ||
        PQgetisnull(result_, row, column) != 0)
        return {};
    return {PQgetvalue(result_, row, column),
            static_cast<std::size_t>(PQgetlength(result_, row, column))};
}

PostgresConnection::PostgresConnection(PostgresConnection&& other) noexcept
    : connection_(std::exchange(other.connection_, nullptr)),
      timeouts_(other.timeouts_),
      timeoutMessage_(std::move(other.timeoutMessage_)),
      prepared_(std::exchange(other.prepared_, {})) {}

PostgresConnection& PostgresConnection::operator=(PostgresConnection&& other) noexcept {
    if (this != &other) {
        close();
        connection_ = std::exchange(other.connection_, nullptr);
        timeouts_ = other.timeouts_;
        timeoutMessage_ = std::move(other.timeoutMessage_);
        prepared_ = std::exchange(other.prepared_, {});
    }
    return *this;
}

PostgresConnection::~PostgresConnection() {
    close();
}

std::string PostgresConnection::connectionText(std::string_view host, std::string_view port,
                                               std::string_view database, std::string_view user,
                                               std::string_view password) {
    std::string text = "host=" + plainOrQuoted(host);
    if (!isDefaultPort(port))
        text += " port=" + plainOrQuoted(port);
    text += " dbname=" + quotedValue(database);
    text += " user=" + plainOrQuoted(user);
    if (!password.empty())
        text += " password=" + plainOrQuoted(password);
    return text;
}

bool PostgresConnection::open(const std::string& connectionText) {
    close();
    timeoutMessage_.clear();
    // The connection text goes in as the database name to expand, so that the
    // server-side limit can be added without changing the text itself. The
    // connect deadline is ours, not libpq's connect_timeout, which counts per
    // host (nine silent hosts took nine times as long).
    const std::string options =
        "-c statement_timeout=" + std::to_string(timeouts_.statement.count());
    const char* keywords[] = {"dbname", "options", "client_encoding", nullptr};
    const char* values[] = {connectionText.c_str(), options.c_str(), "UTF8", nullptr};
    connection_ = PQconnectStartParams(keywords, values, 1);
    if (connection_ == nullptr || PQstatus(connection_) == CONNECTION_BAD)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + timeouts_.connect;
    for (PostgresPollingStatusType state = PGRES_POLLING_WRITING;;) {
        if (state == PGRES_POLLING_OK)
            return true;
        if (state == PGRES_POLLING_FAILED)
            return false;
        if (!waitForSocket(PQsocket(connection_), state == PGRES_POLLING_WRITING, deadline)) {
            timeoutMessage_ = "no answer from the database server within " +
                              std::to_string(timeouts_.connect.count()) + " ms of connecting\n";
            return false;
        }
        state = PQconnectPoll(connection_);
    }
}

void PostgresConnection::close() {
    if (connection_ != nullptr)
        PQfinish(connection_);
    connection_ = nullptr;
    // Prepared statements live and die with the server session.
    prepared_.clear();
}

bool PostgresConnection::lost() const {
    return connection_ == nullptr || PQstatus(connection_) != CONNECTION_OK;
}

std::string PostgresConnection::errorMessage() const {
    if (!timeoutMessage_.empty())
        return timeoutMessage_;
    if (connection_ == nullptr)
        return "no connection to the database server\n";
    const char* message = PQerrorMessage(connection_);
    return message == nullptr ? std::string() : std::string(message);
}

bool PostgresConnection::setStatementTimeout(std::chrono::milliseconds timeout) {
    timeouts_.statement = timeout;
    if (connection_ == nullptr)
        return true;
    return execute("SET statement_timeout = " + std::to_string(timeout.count())).commandOk();
}

std::string PostgresConnection::serverSetting(const char* name) const {
    const char* value = connection_ == nullptr ? nullptr : PQparameterStatus(connection_, name);
    return value == nullptr ? std::string() : std::string(value);
}

PostgresResult PostgresConnection::execute(const std::string& statement) {
    if (connection_ == nullptr)
        return PostgresResult();
    return awaitResult(PQsendQuery(connection_, statement.c_str()) != 0);
}

PostgresResult PostgresConnection::awaitResult(bool sent) {
    timeoutMessage_.clear();
    if (!sent)
        return PostgresResult();
    // A client-side grace beyond the server's own statement_timeout, so that a
    // working server reports its own error first.
    const auto deadline =
        std::chrono::steady_clock::now() + timeouts_.statement + timeouts_.statement / 10;
    PostgresResult last;
    for (;;) {
        while (PQisBusy(connection_) == 0) {
            pg_result* result = PQgetResult(connection_);
            if (result == nullptr)
                return last;  // as PQexec: the last result of the statement
            last = PostgresResult(result);
        }
        const int socket = PQsocket(connection_);
        if (socket >= 0 && !waitForSocket(socket, false, deadline))
            break;
        if (socket < 0 || PQconsumeInput(connection_) == 0) {
            // The server ended the session, or the network broke: libpq says
            // which, and the message outlives the connection.
            timeoutMessage_ = PQerrorMessage(connection_);
            close();
            return PostgresResult();
        }
    }
    timeoutMessage_ = "no answer from the database server to a statement within " +
                      std::to_string(timeouts_.statement.count()) + " ms\n";
    cancelInBackground(connection_);
    close();
    return PostgresResult();
}

bool PostgresConnection::prepare(const std::string& name, const std::string& statement,
                                 int parameterCount, PostgresResult& failure) {
    if (prepared_.empty() && PQserverVersion(connection_) >= 120000) {
        // Planning a short look-up costs as much as running it; the plan of a
        // statement prepared here suits every value (see executePrepared).
        if (execute("SET plan_cache_mode = force_generic_plan").status() ==
                PostgresResult::Status::Failed &&
            lost())
            return false;
    }
    failure = awaitResult(
        PQsendPrepare(connection_, name.c_str(), statement.c_str(), parameterCount, nullptr) != 0);
    if (!failure.commandOk())
        return false;
    prepared_.push_back(name);
    return true;
}

PostgresResult PostgresConnection::executePrepared(const std::string& name,
                                                   const std::string& statement,
                                                   const std::vector<std::string>& parameters) {
    std::vector<const char*> values;
    values.reserve(parameters.size());
    for (const std::string& parameter : parameters)
        values.push_back(parameter.c_str());
    const int count = static_cast<int>(values.size());
    // Twice at most: a server session that lost its prepared statements (a
    // pooler in between, DISCARD ALL) gets the statement prepared again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (connection_ == nullptr)
            return PostgresResult();
        if (std::find(prepared_.begin(), prepared_.end(), name) == prepared_.end()) {
            PostgresResult failure;
            if (!prepare(name, statement, count, failure))
                return failure;
        }
        PostgresResult result =
            awaitResult(PQsendQueryPrepared(connection_, name.c_str(), count, values.data(),
                                            nullptr, nullptr, 0) != 0);
        constexpr std::string_view kNoSuchPreparedStatement = "26000";
        if (result.sqlState() != kNoSuchPreparedStatement || attempt > 0)
            return result;
        prepared_.erase(std::find(prepared_.begin(), prepared_.end(), name));
    }
    return PostgresResult();
}

std::function<void()> PostgresConnection::breaker() const {
    const int socket = connection_ == nullptr ? -1 : PQsocket(connection_);
    if (socket < 0)
        return {};
    // A descriptor of its own: shutting the socket down reaches the connection
    // through any descriptor, and this one cannot be closed and reused under
    // the caller when the connection closes.
    const auto own = std::shared_ptr<int>(new int(::dup(socket)), [](int* fd) {
        if (*fd >= 0)
            ::close(*fd);
        delete fd;
    });
    if (*own < 0)
        return {};
    return [own] { ::shutdown(*own, SHUT_RDWR); };
}

std::optional<std::string> PostgresConnection::escapeString(std::string_view text) const {
    if (connection_ == nullptr)
        return std::nullopt;
    // libpq needs room for every byte doubled plus the terminator.
    std::vector<char> buffer(text.size() * 2 + 1);
    int error = 0;
    const std::size_t length =
        PQescapeStringConn(connection_, buffer.data(), text.data(), text.size(), &error);
    if (error != 0)
        return std::nullopt;
    return std::string(buffer.data(), length);
}

}  // namespace kestrova
