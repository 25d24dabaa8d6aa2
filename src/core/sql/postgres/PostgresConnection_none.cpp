#include "sql/postgres/PostgresConnection.h"

#include <utility>

// A build without libpq (the Windows cross build): no result ever exists and
// every connection fails, with a message that tells why.
namespace kestrova {

namespace {
constexpr const char* kNoClient = "this build of Kestrova Everest has no PostgreSQL client library";
}  // namespace

PostgresResult::PostgresResult(PostgresResult&& other) noexcept
    : result_(std::exchange(other.result_, nullptr)) {}

PostgresResult& PostgresResult::operator=(PostgresResult&& other) noexcept {
    result_ = std::exchange(other.result_, nullptr);
    return *this;
}

PostgresResult::~PostgresResult() = default;

std::string_view PostgresResult::sqlState() const {
    return {};
}

void PostgresResult::clear() {
    result_ = nullptr;
}

PostgresResult::Status PostgresResult::status() const {
    return Status::Failed;
}

int PostgresResult::rows() const {
    return 0;
}

int PostgresResult::columns() const {
    return 0;
}

std::string_view PostgresResult::value(int /*row*/, int /*column*/) const {
    return {};
}

PostgresConnection::PostgresConnection(PostgresConnection&& other) noexcept
    : connection_(std::exchange(other.connection_, nullptr)) {}

PostgresConnection& PostgresConnection::operator=(PostgresConnection&& other) noexcept {
    connection_ = std::exchange(other.connection_, nullptr);
    return *this;
}

PostgresConnection::~PostgresConnection() = default;

std::string PostgresConnection::connectionText(std::string_view host, std::string_view port,
                                               std::string_view database, std::string_view user,
                                               std::string_view /*password*/) {
    // Never handed to a library here; the password stays out of it.
    return "host=" + std::string(host) + " port=" + std::string(port) +
           " dbname=" + std::string(database) + " user=" + std::string(user);
}

std::function<void()> PostgresConnection::breaker() const {
    return {};
}

bool PostgresConnection::open(const std::string& /*connectionText*/) {
    return false;
}

void PostgresConnection::close() {}

bool PostgresConnection::lost() const {
    return true;
}

std::string PostgresConnection::errorMessage() const {
    return kNoClient;
}

bool PostgresConnection::setStatementTimeout(std::chrono::milliseconds timeout) {
    timeouts_.statement = timeout;
    return true;
}

std::string PostgresConnection::serverSetting(const char* /*name*/) const {
    return {};
}

PostgresResult PostgresConnection::execute(const std::string& /*statement*/) {
    return PostgresResult();
}

PostgresResult PostgresConnection::executePrepared(const std::string& /*name*/,
                                                   const std::string& /*statement*/,
                                                   const std::vector<std::string>& /*parameters*/) {
    return PostgresResult();
}

std::optional<std::string> PostgresConnection::escapeString(std::string_view /*text*/) const {
    return std::nullopt;
}

}  // namespace kestrova
