#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// The statement with each "?" replaced by literal(parameter), in order, for
// drivers that cannot bind parameters. Nothing when literal() refuses a value.
std::optional<std::string> withParametersWritten(
    std::string_view statement, const std::vector<std::string>& parameters,
    const std::function<std::optional<std::string>(const std::string&)>& literal);

// A connection-string value in braces, "}" doubled, so that no ";" or "}" in
// it ends the value or adds a key of its own.
std::string inBraces(const std::string& value);

// One fetched row: every value as text, NULL as nullopt.
class SqlRow {
public:
    SqlRow(const std::vector<std::string>& names,
           const std::vector<std::optional<std::string>>& values)
        : names_(names), values_(values) {}

    std::size_t size() const { return values_.size(); }
    // nullopt for NULL and for a column the row does not have.
    std::optional<std::string_view> value(std::size_t column) const;
    // By column name or alias, ignoring letter case (drivers differ in how
    // they spell unquoted names).
    std::optional<std::string_view> value(std::string_view name) const;

private:
    const std::vector<std::string>& names_;
    const std::vector<std::optional<std::string>>& values_;
};

// Called for every row in order; returning false stops the fetch.
using SqlRowHandler = std::function<bool(const SqlRow&)>;

// One open connection of a database client library, as the Firebird, MySQL
// and ODBC trackers use it: every value a statement needs is bound to a "?"
// mark (the statements themselves never contain a question mark in a
// literal), so no name or stored value can change what a statement does.
class SqlConnection {
public:
    virtual ~SqlConnection() = default;

    // Runs one statement with the parameters bound in order, as text, and
    // hands each result row to onRow. False when a step failed; failedStep()
    // and errorMessage() then say which and why.
    virtual bool query(std::string_view statement, const std::vector<std::string>& parameters,
                       const SqlRowHandler& onRow) = 0;

    // The library's step that failed last ("dsql_prepare", "connect", ...).
    virtual std::string failedStep() const = 0;
    virtual std::string errorMessage() const = 0;
    // Whether the last failure was the server not answering in time.
    virtual bool timedOut() const { return false; }
    // The five-character SQLSTATE of the last failure, when the library gives one.
    virtual std::string sqlState() const { return {}; }
};

}  // namespace kestrova
