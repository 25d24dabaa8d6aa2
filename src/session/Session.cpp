#include "Session.h"

#include "SessionListener.h"
#include "client/WindowInput.h"
#include "client/fonts/FontFinder.h"
#include "client/lobby/EverestLobby.h"
#include "client/lobby/GlyphTables.h"
#include "client/lobby/LobbyScreen.h"
#include "common/Clock.h"
#include "common/FileLock.h"
#include "evaluation/KnownPlayerLine.h"
#include "records/DatabaseList.h"
#include "scan/ScanResultFile.h"
#include "settings/SettingKeys.h"
#include "trackers/TrackerLookup.h"

namespace kestrova {

Session::Session(SessionServices services)
    : services_(std::move(services)),
      store_(services_.settingsFile),
      trace_(services_.headless ? TraceLog::off()
                                : TraceLog(services_.workingDir / TraceLog::kFileName)),
      glyphs_(services_.workingDir / "ocr2.txt", [this] { return busy(); }),
      buddies_(services_.workingDir) {
    trace_.truncate();
    if (!services_.clock) {
        ownClock_ = std::make_unique<SystemClock>();
        services_.clock = ownClock_.get();
    }

    if (std::string unreadable = store_.readProblem(); !unreadable.empty())
        startupMessages_.push_back({MessageKind::Failure, "Error", std::move(unreadable)});
    // Start-up always ends on the Everest client.
    store_.writeText(keys::form.name, std::to_string(numberOf(ClientKind::PokerStars)));
    settings_ = AppSettings::load(store_, services_.workingDir);
    lists_.setScoreSettings(settings_.display.score);

    const DatabaseList list = DatabaseList::load(services_.workingDir, &databaseProblem_);
    databases_.assign(list.begin(), list.end());
    if (!databaseProblem_.empty())
        startupMessages_.push_back({MessageKind::Failure, "Error", databaseProblem_});
    tracker_ = std::make_unique<TrackerLookup>(databases_, trackerOptions(), &buddies_,
                                               state_.records, trace_);

    if (buddies_.loadBuddies() == BuddyList::LoadResult::ReadError)
        startupMessages_.push_back(
            {MessageKind::Failure, std::string(BuddyList::kErrorTitle),
             std::string(BuddyList::kReadErrorText) + ": " + buddies_.loadProblem() +
                 ".\nThe buddy list keeps the names before the damage and is not saved over it."});
    colours_ = ColourRanges::load(services_.workingDir);
    cacheExpiry_.setLifetimeSeconds(settings_.general.cacheLifetimeSeconds());
    glyphs_.keepFoundFonts(services_.keepFoundFont || !services_.glyphs);
    if (services_.glyphs) {
        glyphs_.replace(std::move(*services_.glyphs));
    } else {
        // A damaged table is left out and named; the lobby is read without it.
        std::vector<std::string> problems;
        glyphs_.replace(loadGlyphTables(services_.workingDir, &problems));
        for (const std::string& left : problems)
            startupMessages_.push_back(
                {MessageKind::Failure, "Error", "Glyph table left out: " + left});
    }

    ScanController::Resources resources;
    resources.platform = services_.platform;
    resources.clock = services_.clock;
    resources.glyphs = &glyphs_.table();
    resources.lookup = &lookup();
    resources.tracker = services_.lookup ? nullptr : tracker_.get();
    resources.state = &state_;
    fontSearch_ = [this](const Image& capture, const LobbyGeometry& geometry, std::string& said) {
        return searchFont(capture, geometry, said);
    };
    resources.fontSearch = &fontSearch_;
    scans_ = std::make_unique<ScanController>(resources, services_.post);
    scans_->setEventHandler([this](const ScanEvent& event) { handle(event); });
    scans_->onBusyChanged = [this](bool busy) { busyChanged(busy); };
    schedule_ = std::make_unique<ScanSchedule>(*scans_, services_.timers,
                                               [this] { return request(PassKind::ScanAll); });
    jobs_ = std::make_unique<Jobs>(
        JobServices{*scans_, buddyBook_, [this]() -> PlayerLookup& { return lookup(); },
                    [this] { return tracker(); }, [this] { return databases_; },
                    [this](std::string* problem) { return grabLobby(problem); },
                    [this](const std::vector<GlyphTable::Entry>& entries, std::string* problem) {
                        return glyphs_.useFound(entries, problem);
                    },
                    [this] { buddiesChanged(); }});
    Passes::Hooks hooks;
    hooks.request = [this](PassKind kind) { return request(kind); };
    hooks.beforeTableList = [this] {
        // The cache is emptied only at the start of a table list, never inside a scan.
        const CacheExpiry::Actions cache = cacheExpiry_.onGetTableList();
        if (cache.startTimer && services_.timers)
            services_.timers->start(TimerId::CacheClear, cache.timerIntervalMs,
                                    [this] { cacheExpiry_.markExpired(); });
        if (cache.clearRecords)
            scans_->clearCacheAtNextTableList();
    };
    passes_ = std::make_unique<Passes>(*scans_, *schedule_, *jobs_, state_, std::move(hooks));
    openHistory();
    schedule_->onChanged = [this] {
        if (listener_)
            listener_->timersChanged();
    };
}

Session::~Session() {
    // The worker goes first: it uses the look-up, the glyphs and the state below.
    passes_.reset();
    schedule_.reset();
    scans_.reset();
    if (const std::string kept = history_->close(); !kept.empty() && listener_)
        listener_->historyUnavailable(kept);
}

void Session::setListener(SessionListener* listener) {
    listener_ = listener;
    jobs_->setListener(listener);
    if (!listener_)
        return;
    for (const Message& shown : std::exchange(startupMessages_, {}))
        listener_->showMessage(shown);
}

void Session::trace(std::string_view marker) const {
    trace_.append(marker);
}

PlayerLookup& Session::lookup() {
    if (services_.lookup)
        return *services_.lookup;
    return *tracker_;
}

TrackerOptions Session::trackerOptions() const {
    const EvaluationSettings evaluation = settings_.evaluation();
    return {settings_.useAggregator, evaluation.excludeMe, evaluation.ownName,
            TrackerOptions::lookupTimeoutOf(settings_.lookupTimeoutSeconds)};
}

std::string Session::update(const AppSettings& edited, std::initializer_list<SettingsPart> parts) {
    const AppSettings next = withParts(settings_, edited, parts);
    std::string problem = saveSettings(edited, parts, store_, services_.workingDir);
    apply(next);
    if (listener_) {
        listener_->settingsChanged(std::vector<SettingsPart>(parts));
        if (!problem.empty())
            listener_->showMessage({MessageKind::SettingsNotSaved, "Error", problem});
    }
    return problem;
}

bool Session::saveProfile(ProfileStat stat, const StatProfile& profile, std::string* problem) {
    if (!StatProfile::save(services_.workingDir, stat, profile)) {
        *problem = "Could not save the profile to " + services_.workingDir.string();
        return false;
    }
    colours_.profile(stat) = profile;
    apply(settings_);
    return true;
}

void Session::apply(const AppSettings& settings) {
    settings_ = settings;
    // A running pass keeps the options it started with; the next one takes these.
    if (tracker_ && (!scans_ || !scans_->busy()))
        tracker_->setOptions(trackerOptions());
    cacheExpiry_.setLifetimeSeconds(settings_.general.cacheLifetimeSeconds());
    lists_.setScoreSettings(settings_.display.score);
    lists_.tables().reevaluate([this](const auto& players) { return evaluate(players); });
    lists_.players().refresh();
    lists_.tablePlayers().refresh();
    applyFilters();
}

void Session::optionsClosed() {
    if (services_.timers)
        services_.timers->stop(TimerId::CacheClear);
    cacheExpiry_ = CacheExpiry(settings_.general.cacheLifetimeSeconds());
    cacheExpiry_.markExpired();
}

bool Session::saveDatabases(const DatabaseList& list) {
    std::string problem;
    bool saved = false;
    {
        // Not between another program's reading and writing of the list.
        const FileLock lock(DatabaseList::lockTarget(services_.workingDir));
        saved = list.save(services_.workingDir, &problem);
    }
    if (!saved)
        message({MessageKind::DatabaseListNotSaved, "Error",
                 "Could not save the database list: " + problem});
    companions_->wrote(services_.workingDir / DatabaseList::kFileName);
    databaseProblem_.clear();
    databasesPending_.emplace(list.begin(), list.end());
    if (!scans_->busy())
        useDatabases();
    return saved;
}

void Session::reloadDatabases() {
    std::string problem;
    const DatabaseList list = DatabaseList::load(services_.workingDir, &problem);
    if (!problem.empty()) {
        message({MessageKind::Failure, "Error", problem});
        return;
    }
    databaseProblem_.clear();
    databasesPending_.emplace(list.begin(), list.end());
    if (!scans_->busy())
        useDatabases();
}

void Session::useDatabases() {
    databases_ = std::move(*databasesPending_);
    databasesPending_.reset();
    tracker_->setDatabases(databases_);
}

void Session::busyChanged(bool busy) {
    if (!busy && databasesPending_)
        useDatabases();
    if (listener_)
        listener_->busyChanged(busy);
}

std::optional<Session::LobbyCapture> Session::grabLobby(std::string* problem) {
    if (!services_.platform) {
        *problem = kLobbyNotFoundMessage;
        return std::nullopt;
    }
    const LobbySearch search = findEverestLobby(*services_.platform);
    if (!search.lobby) {
        *problem = kLobbyNotFoundMessage;
        return std::nullopt;
    }
    restoreWindow(*services_.platform, search.lobby->window);
    LobbyScreen screen(*services_.platform, *services_.clock, glyphs_.table(), *search.lobby);
    if (!screen.grab()) {
        *problem = kLobbyNotFoundMessage;
        return std::nullopt;
    }
    return LobbyCapture{screen.image(), search.lobby->geometry};
}

bool Session::searchFont(const Image& capture, const LobbyGeometry& geometry, std::string& said) {
    std::string problem;
    const std::optional<FontFit> fit = FontFinder::findInstalled(capture, &geometry, &problem);
    if (!fit) {
        said = "The glyph tables cannot read the lobby's text, and " + problem +
               ". Teach the client's font with \"Teach Font…\".";
        return false;
    }
    // The pass that asks reads through glyphs_ and waits for this answer.
    said = fit->describe();
    if (!glyphs_.useFound(fit->entries, &problem))
        said += "; its glyph table could not be kept for the next start: " + problem;
    return true;
}

void Session::message(const Message& shown) {
    if (listener_)
        listener_->showMessage(shown);
}

ScanController::Request Session::request(PassKind kind) const {
    ScanController::Request r;
    r.kind = kind;
    r.filter = settings_.scanFilter.lobby;
    r.minimumHands = settings_.evaluation().minimumHands;
    r.buddies = buddies_;
    r.adaptiveWaits = settings_.general.adaptiveWaits;
    r.trackerOptions = trackerOptions();
    return r;
}

void Session::setBuddy(const std::string& name, bool buddy) {
    const BuddyList::Change change = buddyBook_.set(name, buddy);
    if (!change.saved)
        message({MessageKind::FileNotWritten, std::string(BuddyList::kErrorTitle),
                 std::string(BuddyList::kSaveErrorText)});
    if (change.changed)
        buddiesChanged();
}

void Session::buddiesChanged() {
    lists_.players().refresh();
    lists_.tablePlayers().refresh();
    lists_.tables().reevaluate([this](const auto& players) { return evaluate(players); });
}

TableEvaluation Session::evaluate(const std::vector<std::shared_ptr<PlayerStats>>& players) const {
    TableEvaluation evaluation =
        evaluateTable(players, settings_.evaluation(), buddies_, &colours_);
    if (!scorer_ || scorer_->settings() != settings_.display.score.validated())
        scorer_.emplace(settings_.display.score);
    evaluation.score = scorer_->score(players);
    return evaluation;
}

void Session::applyFilters() {
    lists_.tables().applyFilter(
        TableFilter(settings_.scanFilter.table, settings_.evaluation().minimumHands));
    const PlayerFilter filter(settings_.playerFilter);
    lists_.players().applyFilter([&](const PlayerStats& record) {
        const TableRow* table = lists_.tables().find(record.table);
        return filter.match(record, isBuddy(record.name),
                            table ? std::optional<std::string>(table->stakes) : std::nullopt);
    });
}

void Session::handle(const ScanEvent& event) {
    // Each event once: the session's lists take it, then the listener hears of it.
    std::visit([this](const auto& happened) { on(happened); }, event);
}

void Session::on(const scan_event::Started& started) {
    progress_.start(started.pass, started.table, services_.clock->nowMs());
    notices_.passStarted();
    lists_.passStarted();
    companions_->passStarting();
    // The last result stays on screen while the lobby is read again.
    if (started.pass == PassKind::TableList || started.pass == PassKind::ScanAll)
        lists_.tables().beginRefresh();
    // A scan lists its players as it meets them again.
    if (started.pass == PassKind::ScanAll) {
        lists_.tablePlayers().clear();
        lists_.players().clear();
    }
    if (listener_) {
        listener_->passStarted(started.pass);
        listener_->passProgress(progress_.progress());
    }
}

void Session::on(const scan_event::LobbyFound& found) {
    if (listener_)
        listener_->lobbyFound(found.lobbyRect);
}

void Session::on(const scan_event::TableRead& read) {
    lobbyEntries_.insert_or_assign(read.entry.name, read.entry);
    progress_.rowRead(read.entry.name, services_.clock->nowMs());
    if (listener_)
        listener_->passProgress(progress_.progress());
}

void Session::on(const scan_event::TableListRead& list) {
    for (const LobbyEntry& entry : list.tables) {
        lists_.tables().addListed(entry);
        lobbyEntries_.insert_or_assign(entry.name, entry);
    }
    if (listener_)
        listener_->tableListRead(list.tables);
}

void Session::on(const scan_event::PlayerFound& found) {
    lists_.players().add(found.record);
}

void Session::on(const scan_event::TableScanned& scanned) {
    const std::size_t row = lists_.tables().putScanned(
        scanned.table, [this](const auto& players) { return evaluate(players); });
    recordVisit(lists_.tables().rows()[row]);
    if (listener_)
        listener_->tableScanned(scanned.table.name);
}

void Session::on(const scan_event::Message& shown) {
    message(shown);
}

void Session::on(const scan_event::FontFound& font) {
    if (listener_)
        listener_->fontFound(font.description);
}

void Session::on(const scan_event::Finished& done) {
    progress_.finished(done.end == PassEnd::EndOfList && !scans_->runningOpenerScan());
    finished(done);
    if (listener_)
        listener_->passFinished(done);
}

void Session::finished(const scan_event::Finished& done) {
    if (done.pass == PassKind::TableList) {
        lists_.tables().endRefresh(done.end == PassEnd::EndOfList);
        keepPlayersOfTheRows();
        return;
    }
    if (done.pass != PassKind::ScanSelected && done.pass != PassKind::ScanAll)
        return;
    // The pass's last tables are still being written: their alerts come first.
    history_->whenDone([this] { tellAlerts(notices_.passEnded()); });
    lists_.setKnownPlayerLine(
        kestrova::knownPlayerLine(done.knownRecords, done.records, lists_.tables().size()));
    applyFilters();
    const bool walked = done.end == PassEnd::EndOfList || done.end == PassEnd::Cancelled ||
                        done.end == PassEnd::CaptureFailed || done.end == PassEnd::ClientStopped;
    // The result file holds what this pass read, not the rows kept from earlier.
    if (done.pass == PassKind::ScanAll && walked)
        writeScanResult();
    if (done.pass == PassKind::ScanAll) {
        lists_.tables().endRefresh(done.end == PassEnd::EndOfList);
        for (const TableRow& row : lists_.tables().rows()) {
            if (!row.stale)
                continue;
            for (const auto* list : {&row.seated, &row.waitingPlayers})
                for (const std::shared_ptr<PlayerStats>& record : *list)
                    if (record)
                        lists_.players().add(record);
        }
        applyFilters();
    }
}

void Session::keepPlayersOfTheRows() {
    std::vector<std::shared_ptr<PlayerStats>> kept;
    for (const PlayerRow& player : lists_.players().rows())
        if (const TableRow* row = lists_.tables().find(player.record->table); row && row->scanned())
            kept.push_back(player.record);
    if (kept.size() != lists_.players().size())
        lists_.players().assign(kept);
    if (const std::string* table = lists_.currentTable(); table && !lists_.tables().find(*table))
        lists_.tablePlayers().clear();
}

void Session::openHistory() {
    const std::filesystem::path file = services_.workingDir / "history.sqlite";
    ScanHistory::Opener open;
    if (settings_.history.days > 0 && !settings_.history.database.empty())
        open = [server = settings_.history.database](std::string* problem) {
            return openPostgresHistory(server, problem);
        };
    else if (settings_.history.days > 0)
        open = [file](std::string* problem) { return openSqliteHistory(file, problem); };
    if (!services_.wallClock)
        services_.wallClock = [] {
            return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
        };
    ScanHistory::Handlers handlers;
    handlers.failed = [this](const std::string& problem) {
        if (listener_)
            listener_->historyUnavailable(problem);
    };
    handlers.alerts = [this](const std::vector<HistoryAlert>& alerts) { alertsRaised(alerts); };
    handlers.watchChanged = [this] {
        if (listener_)
            listener_->watchListChanged();
    };
    history_ =
        std::make_unique<ScanHistory>(std::move(open), settings_.history.days, services_.wallClock,
                                      services_.post, std::move(handlers));
    // A shared server that is slow or gone must not hold the end of the
    // program: what it has not taken then is kept in the local file.
    if (settings_.history.days > 0 && !settings_.history.database.empty())
        history_->keepOnClosing(
            [file](std::string* problem) { return openSqliteHistory(file, problem); },
            file.string());
    // The window marks watched players from the start; a command opens the
    // history only when it uses it, so that the others never wait for it.
    if (!services_.headless)
        history_->open();
    CompanionFiles::Watched watched;
    watched.databaseList = services_.workingDir / DatabaseList::kFileName;
    if (settings_.history.days > 0) {
        watched.sharedHistory = !settings_.history.database.empty();
        if (!watched.sharedHistory)
            watched.historyFile = file;
    }
    companions_ = std::make_unique<CompanionFiles>(
        std::move(watched), CompanionFiles::Reloads{[this] { reloadDatabases(); },
                                                    [this] { history_->reload(); }});
}

void Session::recordVisit(const TableRow& row) {
    if (!history_->available() || !row.evaluation)
        return;
    const TableEvaluation& evaluation = *row.evaluation;
    TableVisit visit;
    visit.at = services_.wallClock();
    visit.table = row.name;
    visit.stakes = row.stakes;
    visit.seated = row.players;
    if (const auto entry = lobbyEntries_.find(row.name); entry != lobbyEntries_.end())
        visit.seats = entry->second.seats;
    visit.averagePot = row.averagePot;
    // The history keeps the figures as the list shows them.
    visit.averageVpip = averageText(evaluation.averageVpip);
    visit.averagePfr = averageText(evaluation.averagePfr);
    visit.averageAf = averageText(evaluation.averageAf);
    visit.averageWtsd = averageText(evaluation.averageWtsd);
    visit.reads = readsText(evaluation);
    visit.buddies = std::to_string(evaluation.buddies);
    visit.losers = std::to_string(evaluation.losers);
    visit.totalStacks = stacksText(evaluation);
    visit.score = evaluation.score.score;
    visit.waiting = row.waiting;
    const auto sighting = [](const PlayerStats& record, std::size_t place) {
        PlayerSighting seen;
        seen.name = record.name;
        seen.seat = static_cast<int>(place) + 1;
        seen.waiting = record.waiting;
        seen.chips = record.stack;
        seen.hands = vpipCountsOf(&record).hands;
        seen.vpip = figureText(record.vpip);
        seen.pfr = figureText(record.pfr);
        seen.af = figureText(record.af);
        seen.wtsd = figureText(record.wtsd);
        return seen;
    };
    for (std::size_t i = 0; i < row.seated.size(); ++i) {
        if (const PlayerStats* record = row.seated[i].get()) {
            PlayerSighting seen = sighting(*record, i);
            if (i < evaluation.score.players.size())
                seen.weak = evaluation.score.players[i].weakness;
            visit.players.push_back(std::move(seen));
        }
    }
    // The waiting players add nothing to the score; their weakness is their own.
    for (std::size_t i = 0; i < row.waitingPlayers.size(); ++i) {
        if (const PlayerStats* record = row.waitingPlayers[i].get()) {
            PlayerSighting seen = sighting(*record, i);
            seen.weak = lists_.weakness(*record).weakness;
            visit.players.push_back(std::move(seen));
        }
    }
    history_->record(std::move(visit));
}

void Session::alertsRaised(const std::vector<HistoryAlert>& alerts) {
    tellAlerts(notices_.add(lists_.alertsRaised(alerts)));
}

void Session::tellAlerts(const std::vector<AlertNotice>& notices) {
    if (listener_ && !notices.empty())
        listener_->historyAlerts(notices);
}

void Session::writeScanResult() {
    if (!settings_.general.scanResult.saveOn())
        return;
    const ScanResultWrite written = kestrova::writeScanResult(
        settings_.general.scanResult.resultPath, lists_.players().records());
    if (!written.written)
        message({MessageKind::FileNotWritten, "Error", written.message()});
}

}  // namespace kestrova
