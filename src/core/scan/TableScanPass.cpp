#include "scan/TableScanPass.h"

#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/lobby/LobbyScreen.h"
#include "common/Clock.h"
#include "common/TranslatableText.h"
#include "records/PlayerLookup.h"
#include "scan/ClientWaits.h"
#include "scan/DownKeys.h"
#include "scan/EndOfListDetector.h"
#include "scan/LobbyWalkStart.h"
#include "scan/ScanObserver.h"

#include <algorithm>

namespace kestrova {

namespace {

constexpr int kOpenClickX = 640;
constexpr int kOpenClickY = 388;

// Stacks are kept as the look-up keeps them: without blanks and thousands commas.
std::string stackWithoutSeparators(const std::string& stack) {
    std::string out;
    for (char c : stack) {
        if (c != ' ' && c != ',')
            out += c;
    }
    return out;
}

}  // namespace

TableScanPass::TableScanPass(PassContext& context, PlayerLookup& lookup, ScanState& state,
                             const LobbyFilter& filter)
    : context_(context), lookup_(lookup), state_(state), filter_(filter) {}

PassEnd TableScanPass::start(std::optional<EverestLobby>& lobby, ClientWaits::HomeStart& home) {
    lobby = startLobbyWalk(context_, [&](const EverestLobby& found, const ClickSeen& click) {
        home = ClientWaits::beforeHome(context_, found, click, kSeatsShownMs);
    });
    if (!lobby)
        return PassEnd::ClientNotFound;
    if (!lookup_.connectDatabases(context_.observer))
        return PassEnd::DatabaseFailed;
    return PassEnd::EndOfList;
}

PassEnd TableScanPass::walk(const Visitor& visitor) {
    std::optional<EverestLobby> lobby;
    ClientWaits::HomeStart home;
    if (const PassEnd failed = start(lobby, home); !lobby || failed != PassEnd::EndOfList)
        return failed;

    LobbyScreen screen(context_.platform, context_.clock, context_.glyphs, *lobby);
    screen.setFontSearch(context_.fontSearch);
    ClientWaits waits(context_, screen);
    waits.afterHome(home, kAfterDownMs);
    EndOfListDetector endOfList;
    PassEnd end = PassEnd::Cancelled;
    DownKeys down;
    while (!context_.observer.cancelled()) {
        bool atEnd = false;
        bool lastRow = false;
        if (!readSelectedRow(screen, waits, endOfList, atEnd, lastRow)) {
            end = clientStopped_                  ? PassEnd::ClientStopped
                  : screen.unreadable().empty() ? PassEnd::CaptureFailed
                                                : PassEnd::UnreadableText;
            break;
        }
        down.read(waits, state_.selectedRowName);
        Row row{screen, waits, *lobby, atEnd};
        if (const std::optional<PassEnd> visited = visitor.visit(row)) {
            end = *visited;
            break;
        }
        if (lastRow) {
            end = PassEnd::EndOfList;
            break;
        }
        down.press(context_.platform, lobby->listWindow);
        if (atEnd) {
            if (visitor.waitAfterLastDown)
                waits.afterLastKey(kAfterDownMs);
            end = PassEnd::EndOfList;
            break;
        }
        waits.afterSelectionKey(visitor.quietAfterDownMs, kAfterDownMs);
    }
    lookup_.disconnectDatabases();
    return end;
}

PassEnd TableScanPass::scanSelected(const std::string& wantedName) {
    Visitor visitor;
    // The fixed walk reads the next row at once; a slow highlight is waited for.
    visitor.quietAfterDownMs = 0;
    visitor.visit = [&](Row& row) -> std::optional<PassEnd> {
        if (wantedName.empty() || state_.selectedRowName != wantedName)
            return std::nullopt;
        // Rows on the way are only read: scanning them would show other tables'
        // figures in the selected row until the wanted one arrives.
        const LobbyEntry* entry = state_.lobbyEntries.find(wantedName);
        if (entry && filter_.accepts(*entry) && readSeatsSlowly(row.screen))
            scanTable();
        return context_.observer.cancelled() ? PassEnd::Cancelled : PassEnd::EndOfList;
    };
    return walk(visitor);
}

PassEnd TableScanPass::scanAll(std::optional<int> openerMaximum) {
    Visitor visitor;
    visitor.quietAfterDownMs = kAfterDownMs;
    visitor.waitAfterLastDown = true;
    visitor.visit = [&](Row& row) { return visitForScanAll(row, openerMaximum); };
    return walk(visitor);
}

std::optional<PassEnd> TableScanPass::visitForScanAll(Row& row, std::optional<int> openerMaximum) {
    ClientWaits& waits = row.waits;
    const LobbyEntry* entry =
        state_.selectedRowName.empty() ? nullptr : state_.lobbyEntries.find(state_.selectedRowName);
    const bool wanted = entry && filter_.accepts(*entry);
    // With adaptive waits a passed-over row's seat list is followed too: it
    // costs the client's own time, where not knowing which list the client
    // shows would cost the next row the whole fixed wait. A row nobody sits
    // at shows a list without names, which is never taken for a table's.
    const bool nobodySeated = entry && entry->players == 0;
    SeatReading passedOver;
    if ((wanted || (waits.adaptive() && !nobodySeated)) &&
        !waits.readSeats(kSeatsShownMs, wanted ? state_.seats : passedOver)) {
        // A cancelled wait leaves the previous table's seats on the screen, and a
        // failed capture shows none: neither is reported as this table's players.
        if (!waits.captureFailed())
            return PassEnd::Cancelled;
        context_.observer.showError(MessageKind::LobbyUnreadable,
                                    KESTROVA_TEXT("Messages", "Error Capturing"));
        return PassEnd::CaptureFailed;
    }
    if (wanted) {
        if (openerMaximum) {
            row.atEnd = !openSelectedTable(row.lobby, *openerMaximum) || row.atEnd;
            waits.seatsUnknown();
        } else if (!state_.tables.find(state_.selectedRowName)) {
            scanTable();
        }
    } else if (!waits.adaptive()) {
        waits.seatsUnknown();
    }
    return std::nullopt;
}

bool TableScanPass::readSelectedRow(LobbyScreen& screen, ClientWaits& waits,
                                    EndOfListDetector& endOfList, bool& atEnd, bool& lastRow) {
    if (!waits.grabRow()) {
        context_.observer.showError(MessageKind::LobbyUnreadable,
                                    KESTROVA_TEXT("Messages", "Error Capturing"));
        return false;
    }
    state_.selectedRowName.clear();
    std::optional<LobbyEntry> row = screen.readSelectedRow();
    if (!reportFontSearch(screen, context_.observer))
        return false;
    if (row) {
        state_.selectedRowName = row->name;
        state_.lobbyEntries.refresh(*row);
        context_.observer.tableRead(*row);
    }
    atEnd = endOfList.onRead(state_.selectedRowName);
    lastRow = waits.lastRowShown();
    if ((atEnd || lastRow) && waits.highlightStuck() && rowsBelowHighlight(screen)) {
        context_.observer.showError(MessageKind::Failure,
                                    KESTROVA_TEXT("Messages", kClientStoppedMessage));
        clientStopped_ = true;
        screen.release();
        return false;
    }
    waits.noteList();
    screen.release();
    return true;
}

void TableScanPass::readSeatsOnce(LobbyScreen& screen) {
    // Slots the new table does not fill must not keep the previous table's players.
    state_.seats = kestrova::SeatReading{};
    if (screen.grab())
        screen.readSeats(state_.seats);
    screen.release();
}

bool TableScanPass::readSeatsSlowly(LobbyScreen& screen) {
    context_.clock.sleepMs(kSelectedScanSettleMs);
    for (int attempt = 0; attempt < kSeatTries; ++attempt) {
        context_.clock.sleepMs(kSeatRetryMs);
        if (context_.observer.cancelled())
            return false;
        readSeatsOnce(screen);
        if (state_.seats.names[0].size() > 1)
            break;
    }
    return true;
}

void TableScanPass::scanTable() {
    if (state_.selectedRowName.empty())
        return;

    ScannedTable& table = state_.tables.findOrCreate(state_.selectedRowName);
    table.players.clear();
    const LobbyEntry* entry = state_.lobbyEntries.find(table.name);
    table.stakes = entry ? entry->stakes : "-";
    table.averagePot = entry ? entry->averagePot : "$0";

    table.waiting.clear();
    int counted = 0;
    bool waitingList = false;
    // Every player line the seat reader stored, in order: the seated players,
    // then the waiting list below its marker.
    for (int slot = 0; slot < kestrova::SeatReading::kSlots; ++slot) {
        const std::string& name = state_.seats.names[static_cast<std::size_t>(slot)];
        if (name.empty())
            continue;
        if (name == kWaitingMarker) {
            waitingList = true;
            continue;
        }
        if (!waitingList)
            ++counted;
        const std::shared_ptr<PlayerStats> record = playerAt(
            slot, table.name, waitingList ? std::string() : std::to_string(counted), waitingList);
        if (!record)
            continue;
        (waitingList ? table.waiting : table.players).push_back(record);
        context_.observer.playerFound(record);
    }
    table.playersCounted = counted;
    const int waitingRead = static_cast<int>(table.waiting.size());
    table.waitingCount = std::max(entry ? entry->waiting : 0, waitingRead);
    // The lobby's count says how many the area left out; without it, a list
    // that reaches the area's last line may go on.
    table.waitingListCut =
        entry ? table.waitingCount > waitingRead : waitingListMayGoOn(state_.seats);
    context_.observer.tableScanned(table);
}

std::shared_ptr<PlayerStats> TableScanPass::playerAt(int slot, const std::string& table,
                                                     const std::string& seat, bool waiting) {
    const std::string& name = state_.seats.names[static_cast<std::size_t>(slot)];
    const std::string& stack = state_.seats.chips[static_cast<std::size_t>(slot)];
    std::shared_ptr<PlayerStats> record = state_.records.findCachedPlayer(name);
    if (!record) {
        record = lookup_.lookupPlayer(name, stack, seat, context_.observer);
        if (!record)
            return nullptr;
        record->table = table;
        record->waiting = waiting;
        // A tracker that knows the name matched it whatever the alike glyphs.
        if (record->hands <= 0)
            record->alike = state_.seats.alike[static_cast<std::size_t>(slot)];
    }
    if (record->table != table || record->waiting != waiting) {
        // Seen elsewhere before, or on the other side of the waiting list: this
        // line gets a record of its own.
        auto copy = std::make_shared<PlayerStats>(*record);
        copy->stack = stackWithoutSeparators(stack);
        copy->seat = seat;
        copy->table = table;
        copy->waiting = waiting;
        state_.records.append(copy);
        record = copy;
    }
    return record;
}

bool TableScanPass::openSelectedTable(const EverestLobby& lobby, int openerMaximum) {
    int open = 0;
    for (const WindowInfo& w : context_.platform.tableWindows(lobby.window)) {
        ++open;
        click(context_.platform, lobby.window, w.rect.width() / 2, w.rect.height() / 2);
    }
    if (open >= openerMaximum)
        return false;
    click(context_.platform, lobby.listWindow, kOpenClickX, kOpenClickY);
    context_.clock.sleepMs(kAfterOpenClickMs);
    restoreWindow(context_.platform, lobby.window);
    context_.clock.sleepMs(kAfterRestoreMs);
    return true;
}

}  // namespace kestrova
