#include "trackers/PokermanagerSource.h"

#include <charconv>

#include "common/MessageSink.h"
#include "sql/SqlDrivers.h"
#include "trackers/TrackerValues.h"

namespace kestrova {

namespace {

using trackerValues::add;
using trackerValues::toCounter;

constexpr const char* kErrorTitle = "Error";
constexpr std::string_view kProblem = "PROBLEM ON :";
constexpr std::string_view kStringTruncation = "22001";

// Pokermanager's files are guarded by the server's factory SYSDBA login. The
// password is put together here rather than stored as one text in the program.
std::string sysdbaPassword() {
    const char letters[] = {'m', 'a', 's', 't', 'e', 'r', 'k', 'e', 'y'};
    return std::string(letters, sizeof letters);
}

std::string problemText(std::string_view stepAndReason) {
    return std::string(kProblem) + std::string(stepAndReason);
}

// The reason without the step, for the list of failed databases.
std::string reasonOf(const std::string& stepAndReason) {
    const std::size_t lineEnd = stepAndReason.find('\n');
    return lineEnd == std::string::npos ? stepAndReason : stepAndReason.substr(lineEnd + 1);
}

}  // namespace

std::unique_ptr<SqlConnection> PokermanagerSource::open(std::string& error) {
    return openFirebird(entry().database, "sysdba", sysdbaPassword(), error);
}

void PokermanagerSource::reportOpenFailure(const std::string& error, MessageSink& messages) {
    messages.showMessage({MessageKind::Failure, kErrorTitle, problemText(error)});
}

void PokermanagerSource::reportFailure(const SqlConnection& connection, MessageSink& messages) {
    messages.showMessage({MessageKind::Failure, kErrorTitle,
                          problemText(connection.failedStep() + "\n" + connection.errorMessage())});
}

void PokermanagerSource::fail(const std::string& stepAndReason, MessageSink& messages) {
    failForPass(MessageKind::Failure, problemText(stepAndReason), reasonOf(stepAndReason),
                messages);
}

bool PokermanagerSource::addCounters(const TrackerName& name, TrackerCounters& counters,
                                     MessageSink& messages) {
    counters.dataShape = markFamily(counters.dataShape, DataShape::Firebird);
    std::string error;
    const auto connection = open(error);
    if (!connection) {
        fail(error, messages);
        return true;
    }

    std::int64_t id = -1;
    const bool searched = connection->query(kIdSearch, {name.name}, [&](const SqlRow& row) {
        const auto value = row.value(std::size_t{0});
        if (value)
            std::from_chars(value->data(), value->data() + value->size(), id);
        return false;  // the first row is the player
    });
    if (!searched) {
        // Longer than the name column: no stored name is that long.
        if (connection->sqlState() != kStringTruncation)
            fail(connection->failedStep() + "\n" + connection->errorMessage(), messages);
        return true;
    }
    if (id < 0)
        return true;

    const bool read = connection->query(kStatistics, {std::to_string(id)}, [&](const SqlRow& row) {
        const auto at = [&](std::size_t column) {
            const auto value = row.value(column);
            return value ? toCounter(*value) : 0;
        };
        add(counters.hands, 1);
        add(counters.vpip, at(0));
        add(counters.pfr, at(1));
        add(counters.flopBets, at(2));
        add(counters.flopCalls, at(3));
        // A hand that got to the last round (0) went to showdown; a hand
        // without a stored round did not.
        if (row.value(std::size_t{4}) && at(4) == 0) {
            add(counters.showdowns, 1);
            add(counters.showdownsWon, at(5));
        }
        return true;
    });
    if (!read) {
        fail(connection->failedStep() + "\n" + connection->errorMessage(), messages);
        return false;
    }
    return true;
}

}  // namespace kestrova
