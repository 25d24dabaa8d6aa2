#include "Jobs.h"

#include "BuddyBook.h"
#include "ScanController.h"
#include "SessionListener.h"
#include "client/fonts/FontFinder.h"
#include "common/MessageSink.h"
#include "records/ImportProgress.h"
#include "sql/postgres/PostgresConnection.h"
#include "trackers/AggregatorBuilder.h"
#include "trackers/TrackerLookup.h"
#include "trackers/TrackerNameSource.h"

#include <algorithm>
#include <thread>

namespace kestrova {

namespace {

std::optional<std::string> testConnection(const DatabaseEntry& entry,
                                          std::chrono::milliseconds timeout) {
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

// A job's progress and messages as the core reports them, on the worker:
// each becomes an event posted to the front end.
class Jobs::Reporter final : public ImportProgress, public MessageSink {
public:
    explicit Reporter(Jobs& owner) : owner_(owner) {}

    void setLabel(const std::string& text) override {
        shown_.label = text;
        post(shown_);
    }
    void setMaximum(int maximum) override {
        shown_.maximum = maximum;
        post(shown_);
    }
    void setValue(int value) override {
        shown_.value = value;
        post(shown_);
    }
    bool cancelled() override { return owner_.services_.worker.cancelRequested(); }

    void showMessage(const Message& message) override {
        Jobs& owner = owner_;
        owner_.services_.worker.post([&owner, message] {
            if (owner.listener_)
                owner.listener_->showMessage(message);
        });
    }

private:
    void post(JobEvent event) {
        Jobs& owner = owner_;
        owner_.services_.worker.post([&owner, event = std::move(event)] { owner.report(event); });
    }

    Jobs& owner_;
    job_event::Progress shown_;
};

Jobs::Jobs(JobServices services, std::unique_ptr<PlayerNameSource> names)
    : services_(std::move(services)) {
    setNameSource(std::move(names));
}

Jobs::~Jobs() = default;

void Jobs::setNameSource(std::unique_ptr<PlayerNameSource> names) {
    names_ = names ? std::move(names) : std::make_unique<TrackerNameSource>();
}

void Jobs::cancel() {
    services_.worker.cancel();
}

void Jobs::report(JobEvent event) {
    if (listener_)
        listener_->jobEvent(event);
}

bool Jobs::start(JobKind kind, std::function<void()> work, std::function<void()> done) {
    if (!services_.worker.startJob(std::move(work), std::move(done), services_.buddies.list()))
        return false;
    // Told now, on the front end's thread: before anything the worker posts.
    report(job_event::Started{kind});
    return true;
}

bool Jobs::importPlayers(const ImportFilter& filter) {
    // The worker adds to a copy; the front end goes on reading the session's list.
    struct State {
        BuddyList buddies;
        std::vector<std::string> before;
        PlayerImport::Outcome outcome;
    };
    auto state = std::make_shared<State>(
        State{services_.buddies.list(), services_.buddies.names(), PlayerImport::Outcome{}});
    PlayerLookup& lookup = services_.lookup();
    PlayerNameSource& names = *names_;
    auto work = [this, state, filter, &lookup, &names, databases = services_.databases()] {
        Reporter reporter(*this);
        PlayerImport import(lookup, names, reporter);
        state->outcome = import.run(databases, filter, state->buddies, reporter);
    };
    auto done = [this, state] {
        if (services_.buddies.mergeImported(state->before, state->buddies))
            services_.buddiesChanged();
        report(job_event::ImportDone{state->outcome});
    };
    return start(JobKind::PlayerImport, std::move(work), std::move(done));
}

bool Jobs::buildAggregator() {
    TrackerLookup* tracker = services_.tracker();
    if (!tracker)
        return false;
    auto result = std::make_shared<job_event::AggregatorDone>();
    auto work = [this, tracker, result] {
        Reporter reporter(*this);
        bool built = tracker->connectDatabases(reporter);
        built = built && !reporter.cancelled() && tracker->buildAggregator(reporter);
        tracker->disconnectDatabases();
        result->built = built;
        if (built)
            result->completionText =
                aggregatorCompletionText(tracker->aggregatorWithoutTrigramIndex());
    };
    auto done = [this, result] { report(*result); };
    return start(JobKind::AggregatorBuild, std::move(work), std::move(done));
}

bool Jobs::lookUpPlayer(std::string name, std::string stack, std::string seat) {
    TrackerLookup* tracker = services_.tracker();
    if (!tracker)
        return false;
    auto result = std::make_shared<job_event::PlayerLookedUp>();
    auto work = [this, tracker, result, name = std::move(name), stack = std::move(stack),
                 seat = std::move(seat)] {
        Reporter reporter(*this);
        if (tracker->connectDatabases(reporter)) {
            result->record = tracker->lookupPlayer(name, stack, seat, reporter);
            for (const TrackerLookup::Failure& failure : tracker->failedDatabases())
                result->failed.push_back({failure.database, failure.reason});
        }
        tracker->disconnectDatabases();
    };
    auto done = [this, result] { report(*result); };
    return start(JobKind::PlayerLookup, std::move(work), std::move(done));
}

bool Jobs::captureLobby() {
    auto result = std::make_shared<job_event::LobbyCaptured>();
    auto work = [this, result] {
        if (auto capture = services_.captureLobby(&result->problem))
            result->capture = std::make_shared<CapturedLobby>(std::move(*capture));
    };
    auto done = [this, result] { report(*result); };
    return start(JobKind::LobbyCapture, std::move(work), std::move(done));
}

bool Jobs::findFont(const CapturedLobby& capture) {
    struct State {
        CapturedLobby capture;
        std::optional<FontFit> fit;
        std::string problem;
    };
    auto state = std::make_shared<State>(State{capture, std::nullopt, {}});
    auto work = [state] {
        state->fit =
            FontFinder::findInstalled(state->capture.image, &state->capture.geometry, &state->problem);
    };
    auto done = [this, state] {
        job_event::FontSearched searched;
        if (state->fit) {
            searched.font = state->fit->describe();
            services_.useFontTable(state->fit->entries, &searched.problem);
        } else {
            searched.problem = state->problem;
        }
        report(searched);
    };
    return start(JobKind::FontSearch, std::move(work), std::move(done));
}

bool Jobs::testConnections(std::vector<DatabaseEntry> entries, std::chrono::milliseconds timeout) {
    auto failures = std::make_shared<std::vector<std::optional<std::string>>>(entries.size());
    // All at once: an unreachable host costs its timeout, not the sum of them.
    auto work = [failures, entries = std::move(entries), timeout] {
        std::vector<std::thread> logins;
        logins.reserve(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i)
            logins.emplace_back([&, i] { (*failures)[i] = testConnection(entries[i], timeout); });
        for (std::thread& login : logins)
            login.join();
    };
    auto done = [this, failures] { report(job_event::ConnectionsTested{std::move(*failures)}); };
    return start(JobKind::ConnectionTest, std::move(work), std::move(done));
}

}  // namespace kestrova
