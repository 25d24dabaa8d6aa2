#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

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
    // errorMessage() then says why and the handle stays until close().
    bool open(const std::string& connectionText);
    bool isOpen() const { return connection_ != nullptr; }
    void close();

    // The library's last error text for this connection, or why the last
    // connect or statement ran out of time.
    std::string errorMessage() const;
    bool setClientEncoding(const char* encoding);

    // Failed, with the connection closed, when the server does not answer
    // within the statement deadline.
    PostgresResult execute(const std::string& statement);

    // The text escaped for use between single quotes in a statement, for this
    // connection's encoding and quoting rules; nothing when the text is not
    // valid in the client encoding or no connection is open.
    std::optional<std::string> escapeString(std::string_view text) const;

private:
    pg_conn* connection_ = nullptr;
    Timeouts timeouts_;
    std::string timeoutMessage_;
};

}  // namespace kestrova
