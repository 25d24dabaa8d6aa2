#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// libpq's handle types, kept out of every header that includes this one.
struct pg_conn;
struct pg_result;

namespace kestrova {

// One result of a statement; frees itself. A statement that could not even be
// sent (connection lost, out of memory) gives a result with status Failed.
class PostgresResult final {
public:
    enum class Status { Failed, CommandOk, TuplesOk, Other };

    PostgresResult() = default;
    explicit PostgresResult(pg_result* result) : result_(result) {}
    PostgresResult(PostgresResult&& other) noexcept;
    PostgresResult& operator=(PostgresResult&& other) noexcept;
    PostgresResult(const PostgresResult&) = delete;
    PostgresResult& operator=(const PostgresResult&) = delete;
    ~PostgresResult();

    Status status() const;
    bool commandOk() const { return status() == Status::CommandOk; }
    bool tuplesOk() const { return status() == Status::TuplesOk; }
    int rows() const;
    int columns() const;
    // The value as text; empty for NULL and for a cell outside the result.
    std::string_view value(int row, int column) const;
    // The server's five-character SQLSTATE code of a failed statement, or empty.
    std::string_view sqlState() const;
    void clear();

private:
    pg_result* result_ = nullptr;
};

// One connection of the PostgreSQL client library.
class PostgresConnection final {
public:
    // A server that accepts and then stays silent must not freeze a scan or a
    // look-up: connecting (to every host of a host list together) and each
    // statement have a deadline. The statement deadline holds on both sides:
    // the server's statement_timeout, and a client-side wait that cancels the
    // statement and closes the connection when the server stays silent.
    struct Timeouts {
        std::chrono::milliseconds connect{10'000};
        std::chrono::milliseconds statement{60'000};
    };

    PostgresConnection() = default;
    explicit PostgresConnection(Timeouts timeouts) : timeouts_(timeouts) {}
    PostgresConnection(PostgresConnection&& other) noexcept;
    PostgresConnection& operator=(PostgresConnection&& other) noexcept;
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;
    ~PostgresConnection();

    // The libpq connection text for a configured database: "host=H", then
    // " port=P" only when P is not 5432, " dbname='D'", " user=U", then
    // " password=W" only when W is not empty. Values that libpq would split or
    // misread (blanks, quotes, backslashes, empty) are quoted and escaped the way
    // libpq reads them back; ordinary values appear as typed.
    static std::string connectionText(std::string_view host, std::string_view port,
                                      std::string_view database, std::string_view user,
                                      std::string_view password);

    // Closes any open connection first. False when the connection is not OK;
    // errorMessage() then says why and the handle stays until close(). The
    // connection speaks UTF-8 from its start-up message on, so that no round
    // trip after the connect deadline is needed to set it up.
    bool open(const std::string& connectionText);
    bool isOpen() const { return connection_ != nullptr; }
    // No usable connection: never opened, closed, or broken off by the server
    // or the network. A statement that failed on a connection that is not lost
    // was refused by the server.
    bool lost() const;
    void close();

    // The library's last error text for this connection, or why the last
    // connect or statement ran out of time or lost its connection.
    std::string errorMessage() const;
    // A new deadline for the statements that follow, on both sides (the
    // server's statement_timeout too, when a connection is open). False when
    // the server did not take it.
    bool setStatementTimeout(std::chrono::milliseconds timeout);
    std::chrono::milliseconds statementTimeout() const { return timeouts_.statement; }
    // A setting the server reports at connect time ("server_encoding",
    // "server_version", ...); empty when unknown.
    std::string serverSetting(const char* name) const;

    // Failed, with the connection closed, when the server does not answer
    // within the statement deadline.
    PostgresResult execute(const std::string& statement);

    // Runs a statement by name, prepared on this connection the first time the
    // name is used and kept until the connection closes; the parameters ($1,
    // ...) travel as text, apart from the statement. One round trip, no parsing
    // or planning per run: on servers that allow it (PostgreSQL 12 and later)
    // prepared statements run with the plan made once for any value, so use
    // this only for statements whose best plan does not depend on the values.
    // The result of a failed preparation is returned as the statement's.
    PostgresResult executePrepared(const std::string& name, const std::string& statement,
                                   const std::vector<std::string>& parameters);

    // A call another thread may make, at any time and as often as it likes, to
    // break the open connection off: what waits on it now fails at once as a
    // lost connection, and so does every later statement. Empty when no
    // connection is open.
    std::function<void()> breaker() const;

    // The text escaped for use between single quotes in a statement, for this
    // connection's encoding and quoting rules; nothing when the text is not
    // valid in the client encoding or no connection is open.
    std::optional<std::string> escapeString(std::string_view text) const;

private:
    // Waits for the results of what was just sent (sent: whether sending
    // worked) within the statement deadline; the last result, as PQexec.
    PostgresResult awaitResult(bool sent);
    bool prepare(const std::string& name, const std::string& statement, int parameterCount,
                 PostgresResult& failure);

    pg_conn* connection_ = nullptr;
    Timeouts timeouts_;
    std::string timeoutMessage_;
    std::vector<std::string> prepared_;  // names prepared on this connection
};

}  // namespace kestrova
