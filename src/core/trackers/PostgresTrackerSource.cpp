#include "trackers/PostgresTrackerSource.h"

#include <utility>

#include "common/MessageSink.h"
#include "common/Text.h"
#include "common/TranslatableText.h"
#include "trackers/TrackerStatements.h"

namespace kestrova {

namespace {

namespace sql = trackerStatements;

constexpr std::string_view kErrorTitle = "Error";

}  // namespace

std::string PostgresTrackerSource::connectionFailureText(const std::string& libraryMessage,
                                                         std::string_view user,
                                                         std::string_view database) {
    // The user may be reading this with someone watching: a fixed mask tells
    // neither the password's characters nor its length.
    std::string text =
        KESTROVA_TEXT("Messages", "Connection to database failed: ") + libraryMessage;
    if (!database.empty())
        text += "\n" KESTROVA_TEXT("Messages", "Database: ") + std::string(database);
    return text + "\n" KESTROVA_TEXT("Messages", "Username: ") + std::string(user) +
           "\n" KESTROVA_TEXT("Messages", "Password: ") "********";
}

bool PostgresTrackerSource::connect(MessageSink& messages) {
    const DatabaseEntry& e = entry();
    const std::string text =
        PostgresConnection::connectionText(e.host, e.port, e.database, e.user, e.password);
    connection_.setStatementTimeout(statementTimeout());
    if (!connection_.open(text)) {
        const std::string reason = connection_.errorMessage();
        connection_.close();
        const std::string database =
            std::string(trackerKindName(kind())) + " \"" + e.database + "\"";
        failForPass(MessageKind::DatabaseUnreachable,
                    connectionFailureText(reason, e.user, database),
                    std::string(trimWhiteSpace(reason)), messages);
        return false;
    }
    afterConnect();
    return true;
}

void PostgresTrackerSource::failBlock(std::string_view message, MessageSink& messages) {
    messages.showMessage({MessageKind::Failure, std::string(kErrorTitle),
                          std::string(message) + connection_.errorMessage()});
    connection_.close();
}

bool PostgresTrackerSource::runCursor(const std::string& declaration, DeclareCheck check,
                                      const CursorTexts& texts, PostgresResult& rows,
                                      MessageSink& messages) {
    PostgresResult result = connection_.execute(std::string(sql::kBegin));
    if (!result.commandOk()) {
        failBlock(texts.beginFailure, messages);
        return false;
    }
    result = connection_.execute(declaration);
    if (check == DeclareCheck::MustSucceed && !result.commandOk()) {
        failBlock(texts.declareFailure, messages);
        return false;
    }
    result.clear();
    rows = connection_.execute(std::string(sql::kFetchAll));
    if (!rows.tuplesOk()) {
        rows.clear();
        failBlock(texts.fetchFailure, messages);
        return false;
    }
    connection_.execute(std::string(sql::kClose));
    connection_.execute(std::string(sql::kEnd));
    return true;
}

bool PostgresTrackerSource::runQuery(const std::string& query, DeclareCheck check,
                                     const CursorTexts& texts, PostgresResult& rows,
                                     MessageSink& messages) {
    rows = connection_.execute(query);
    return acceptRows(rows, check, texts, messages);
}

bool PostgresTrackerSource::runPrepared(const std::string& name, const std::string& query,
                                        const std::vector<std::string>& parameters,
                                        const CursorTexts& texts, PostgresResult& rows,
                                        MessageSink& messages) {
    rows = connection_.executePrepared(name, query, parameters);
    return acceptRows(rows, DeclareCheck::Ignore, texts, messages);
}

bool PostgresTrackerSource::acceptRows(PostgresResult& rows, DeclareCheck check,
                                       const CursorTexts& texts, MessageSink& messages) {
    if (rows.tuplesOk())
        return true;
    rows.clear();
    if (connection_.lost())
        failBlock(texts.beginFailure, messages);
    else
        failBlock(check == DeclareCheck::MustSucceed ? texts.declareFailure : texts.fetchFailure,
                  messages);
    return false;
}

bool PostgresTrackerSource::quotePattern(const std::string& pattern, std::string& quoted,
                                         MessageSink& messages) {
    auto escaped = connection_.escapeString(pattern);
    if (!escaped) {
        // Only an invalid character can get here, and the pattern is built as
        // UTF-8; the name is then simply not looked up in this database.
        messages.showMessage({MessageKind::Failure, std::string(kErrorTitle),
                              "The name cannot be looked up in database \"" + entry().database +
                                  "\": " + connection_.errorMessage()});
        return false;
    }
    quoted = std::move(*escaped);
    return true;
}

}  // namespace kestrova
