#include "stats/PokermanagerSource.h"

#include <charconv>

#include "common/MessageSink.h"
#include "stats/SqlDrivers.h"
#include "stats/TrackerValues.h"

namespace kestrova {

namespace {

using trackerValues::add;
using trackerValues::toCounter;

constexpr const char* kErrorTitle = "Error";
constexpr std::string_view kProblem = "PROBLEM ON :";

// Pokermanager's files are guarded by the server's factory SYSDBA login. The
// password is put together here rather than stored as one text in the program.
std::string sysdbaPassword() {
    const char letters[] = {'m', 'a', 's', 't', 'e', 'r', 'k', 'e', 'y'};
    return std::string(letters, sizeof letters);
}

void showProblem(std::string_view stepAndReason, MessageSink& messages) {
    messages.showMessage(kErrorTitle, std::string(kProblem) + std::string(stepAndReason));
}

}  // namespace

std::unique_ptr<SqlConnection> PokermanagerSource::open(MessageSink& messages) {
    std::string error;
    auto connection = openFirebird(entry().database, "sysdba", sysdbaPassword(), error);
    if (!connection)
        showProblem(error, messages);
    return connection;
}

void PokermanagerSource::reportFailure(const SqlConnection& connection, MessageSink& messages) {
    showProblem(connection.failedStep() + "\n" + connection.errorMessage(), messages);
}

bool PokermanagerSource::addCounters(const TrackerName& name, TrackerCounters& counters,
                                     MessageSink& messages) {
    counters.dataShape = markFamily(counters.dataShape, DataShape::Firebird);
    const auto connection = open(messages);
    if (!connection)
        return true;

    std::int64_t id = -1;
    const bool searched = connection->query(kIdSearch, {name.name}, [&](const SqlRow& row) {
        const auto value = row.value(std::size_t{0});
        if (value)
            std::from_chars(value->data(), value->data() + value->size(), id);
        return false;  // the first row is the player
    });
    if (!searched) {
        reportFailure(*connection, messages);
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
        reportFailure(*connection, messages);
        return false;
    }
    return true;
}

}  // namespace kestrova
