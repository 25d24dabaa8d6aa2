#include "gui/options/ConnectionTest.h"

#include "trackers/TrackerLookup.h"
#include "trackers/postgres/PostgresConnection.h"

#include <QApplication>
#include <QEventLoop>

#include <atomic>
#include <thread>

namespace kestrova {

namespace {

std::optional<std::string> testOne(const DatabaseEntry& entry, std::chrono::milliseconds timeout) {
    PostgresConnection::Timeouts timeouts;
    timeouts.connect = timeout;
    timeouts.statement = timeout;
    PostgresConnection connection(timeouts);
    if (connection.open(PostgresConnection::connectionText(entry.host, entry.port, entry.database,
                                                           entry.user, entry.password)))
        return std::nullopt;
    return TrackerLookup::connectionFailureText(connection.errorMessage(), entry.user);
}

}  // namespace

std::vector<std::optional<std::string>> testConnections(const std::vector<DatabaseEntry>& entries,
                                                        std::chrono::milliseconds timeout) {
    std::vector<std::optional<std::string>> results(entries.size());
    if (entries.empty())
        return results;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QEventLoop loop;
    std::atomic<std::size_t> left = entries.size();
    std::vector<std::thread> workers;
    workers.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        workers.emplace_back([&, i] {
            results[i] = testOne(entries[i], timeout);
            if (--left == 0)
                QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
    }
    // Clicks wait until the answer is in: nothing may change the list meanwhile.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    for (std::thread& worker : workers)
        worker.join();
    QApplication::restoreOverrideCursor();
    return results;
}

}  // namespace kestrova
