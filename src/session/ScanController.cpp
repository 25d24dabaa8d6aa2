#include "ScanController.h"

#include "client/lobby/EverestLobby.h"
#include "client/lobby/TableOpener.h"
#include "common/Clock.h"
#include "scan/PassContext.h"
#include "scan/ScanObserver.h"
#include "scan/TableListPass.h"
#include "scan/TableListRows.h"
#include "scan/TableScanPass.h"
#include "trackers/TrackerLookup.h"

namespace kestrova {

// The passes' observer: every report becomes an event for the front end.
class ScanController::Observer final : public ScanObserver {
public:
    explicit Observer(ScanController& owner) : owner_(owner) {}

    void showMessage(const Message& message) override { owner_.report(message); }
    bool cancelled() const override { return owner_.cancelled_; }
    void lobbyFound(const Rect& lobbyRect) override {
        owner_.report(scan_event::LobbyFound{lobbyRect});
    }
    void tableRead(const LobbyEntry& entry) override {
        owner_.report(scan_event::TableRead{entry});
    }
    void playerFound(const std::shared_ptr<PlayerStats>& record) override {
        owner_.report(scan_event::PlayerFound{record});
    }
    void tableScanned(const ScannedTable& table) override {
        owner_.report(scan_event::TableScanned{table});
    }
    void fontFound(const std::string& description) override {
        owner_.report(scan_event::FontFound{description});
    }

private:
    ScanController& owner_;
};

ScanController::ScanController(Resources resources, Poster post)
    : resources_(resources), post_(std::move(post)), state_(*resources.state) {
    if (resources_.tracker)
        resources_.tracker->setBuddyList(&passBuddies_);
}

ScanController::~ScanController() {
    // The running pass ends within a wait step; what is queued is dropped.
    cancel();
    worker_.stop(SerialWorker::Queued::Drop);
    worker_.join();
}

bool ScanController::start(Request request) {
    if (busy_)
        return false;
    running_ = request.kind;
    runningOpener_ = request.openerMaximum.has_value();
    setBusy(true);
    cancelled_ = false;
    if (resources_.clock)
        resources_.clock->resume();
    if (handler_)
        handler_(scan_event::Started{request.kind, request.tableName});
    worker_.post([this, request = std::move(request)]() mutable { runPass(request); });
    return true;
}

bool ScanController::startJob(std::function<void()> work, std::function<void()> done,
                              BuddyList buddies) {
    if (busy_)
        return false;
    // The worker is idle: the list is its own from the job on.
    passBuddies_ = std::move(buddies);
    setBusy(true);
    cancelled_ = false;
    worker_.post([this, work = std::move(work), done = std::move(done)]() mutable {
        work();
        post_([this, done = std::move(done)] {
            done();
            jobEnded();
        });
    });
    return true;
}

void ScanController::cancel() {
    cancelled_ = true;
    if (resources_.clock)
        resources_.clock->interrupt();
}

void ScanController::setBusy(bool busy) {
    if (busy_ == busy)
        return;
    busy_ = busy;
    if (onBusyChanged)
        onBusyChanged(busy);
}

void ScanController::runPass(Request& request) {
    Observer observer(*this);
    PassEnd end = PassEnd::EndOfList;
    if (!resources_.platform) {
        observer.showMessage({MessageKind::LobbyNotFound, std::string(kLobbyNotFoundTitle),
                              std::string(kLobbyNotFoundMessage)});
        end = PassEnd::ClientNotFound;
    } else {
        PassContext context{*resources_.platform, *resources_.clock, *resources_.glyphs, observer,
                            request.adaptiveWaits, resources_.fontSearch};
        passBuddies_ = std::move(request.buddies);
        // The walk hands the lobby the keyboard focus: Esc stops the pass all the same.
        const std::unique_ptr<KeyGrab> cancelKey =
            resources_.platform->grabCancelKey([this] { cancel(); });
        if (resources_.tracker)
            resources_.tracker->setOptions(request.trackerOptions);
        switch (request.kind) {
            case PassKind::TableList:
                if (clearCache_.exchange(false))
                    state_.records.clear();
                state_.lobbyEntries.clear();
                state_.tables.clear();
                end = TableListPass(context).run(state_.lobbyEntries);
                report(scan_event::TableListRead{
                    tableListEntries(state_.lobbyEntries, request.filter)});
                break;
            case PassKind::ScanSelected:
                end = TableScanPass(context, *resources_.lookup, state_, request.filter)
                          .scanSelected(request.tableName);
                break;
            case PassKind::ScanAll:
                state_.lobbyEntries.clear();
                state_.tables.clear();
                end = TableScanPass(context, *resources_.lookup, state_, request.filter)
                          .scanAll(request.openerMaximum);
                break;
            case PassKind::OpenTable:
                // A table no longer in the lobby has been told; the walk itself went well.
                switch (openTableByName(*resources_.platform, *resources_.clock, *resources_.glyphs,
                                        request.tableName, observer,
                                        [&observer] { return observer.cancelled(); })) {
                    case OpenResult::LobbyNotFound:
                        end = PassEnd::ClientNotFound;
                        break;
                    case OpenResult::Cancelled:
                        end = PassEnd::Cancelled;
                        break;
                    default:
                        break;
                }
                break;
        }
    }

    scan_event::Finished finished{request.kind, end};
    const bool scanned = request.kind == PassKind::ScanSelected || request.kind == PassKind::ScanAll;
    if (scanned && resources_.tracker) {
        for (const TrackerLookup::Failure& failure : resources_.tracker->failedDatabases())
            finished.leftOut.push_back({failure.database, failure.reason});
    }
    // The known-player line is about the seated players.
    for (const std::shared_ptr<PlayerStats>& record : state_.records) {
        if (!record || record->waiting)
            continue;
        ++finished.records;
        if (record->hands > request.minimumHands)
            ++finished.knownRecords;
    }
    post_([this, finished] { this->finished(finished); });
}

void ScanController::report(ScanEvent event) {
    post_([this, event = std::move(event)] {
        if (handler_)
            handler_(event);
    });
}

void ScanController::finished(const scan_event::Finished& finished) {
    // The front end handles the end while still busy: a box it shows must not
    // let a timer start the next pass, whose progress dialog this end would
    // then close.
    if (handler_)
        handler_(finished);
    jobEnded();
}

void ScanController::jobEnded() {
    // A cancel interrupted the shared clock for this pass or job only; waits outside
    // passes (teaching the font) need it running.
    if (resources_.clock)
        resources_.clock->resume();
    setBusy(false);
    if (onIdle)
        onIdle();
}

void ScanController::waitUntilIdle() {
    worker_.waitUntilIdle();
}

}  // namespace kestrova
