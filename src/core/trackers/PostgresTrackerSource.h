#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "trackers/TrackerSource.h"
#include "sql/postgres/PostgresConnection.h"

namespace kestrova {

// The common part of the PostgreSQL trackers: the connection that stays open
// for a batch, the single-query look-ups that fail with the texts of the
// cursor protocol users know, and the failure rule (message, connection
// closed; the caller then clears its connected flag).
//
// Every value taken from a screen name or a database result enters a statement
// through the connection's string escaping or as a bare decimal integer.
class PostgresTrackerSource : public TrackerSource {
public:
    using TrackerSource::TrackerSource;

    bool keepsConnection() const override { return true; }
    // A database that cannot be connected is told, with its kind and name, and
    // left out of the pass; false then.
    bool connect(MessageSink& messages) override;
    void disconnect() override { connection_.close(); }
    bool isConnected() const { return connection_.isOpen(); }
    PostgresConnection& connection() { return connection_; }

    // "Connection to database failed: ..." with the database when it is named
    // ("PokerTracker 3 \"pt3\""; several may share host, port and user), the
    // user and a fixed password mask, which tells nothing about the password.
    static std::string connectionFailureText(const std::string& libraryMessage,
                                             std::string_view user,
                                             std::string_view database = {});

protected:
    // Runs after a successful connect (Holdem Manager probes its tables).
    virtual void afterConnect() {}

    enum class DeclareCheck { Ignore, MustSucceed };
    struct CursorTexts {
        std::string_view beginFailure;
        std::string_view declareFailure;  // for DeclareCheck::MustSucceed
        std::string_view fetchFailure;
    };
    // BEGIN, the declaration, FETCH ALL; the fetched rows stay in `rows`. On
    // failure the message has been shown and the connection closed.
    bool runCursor(const std::string& declaration, DeclareCheck check, const CursorTexts& texts,
                   PostgresResult& rows, MessageSink& messages);
    // A look-up's query in one round trip instead of the cursor's five, failing
    // with the cursor's texts: a lost connection as BEGIN would have, a
    // statement the server refuses as its declaration (when checked) or the
    // fetch would have. The rows stay in `rows`; on failure the message has
    // been shown and the connection closed.
    bool runQuery(const std::string& query, DeclareCheck check, const CursorTexts& texts,
                  PostgresResult& rows, MessageSink& messages);
    // The same for a query prepared once per connection (see
    // PostgresConnection::executePrepared), its values apart from it.
    bool runPrepared(const std::string& name, const std::string& query,
                     const std::vector<std::string>& parameters, const CursorTexts& texts,
                     PostgresResult& rows, MessageSink& messages);
    void failBlock(std::string_view message, MessageSink& messages);
    // The connection's quoted form of a LIKE pattern; false after a message
    // when the connection cannot quote it (the name is then not looked up here).
    bool quotePattern(const std::string& pattern, std::string& quoted, MessageSink& messages);

private:
    bool acceptRows(PostgresResult& rows, DeclareCheck check, const CursorTexts& texts,
                    MessageSink& messages);

    PostgresConnection connection_;
};

}  // namespace kestrova
