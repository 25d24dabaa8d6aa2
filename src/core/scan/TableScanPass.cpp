#include "scan/TableScanPass.h"

#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/lobby/LobbyScreen.h"
#include "common/Clock.h"
#include "scan/EndOfListDetector.h"
#include "scan/LobbyWalkStart.h"
#include "scan/ScanObserver.h"
#include "stats/PlayerLookup.h"

namespace kestrova {

namespace {

constexpr const char* kWaitingMarker = "Waiting:";
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

TableRowTexts tableRow(const ScannedTable& table, const LobbyEntry* entry, int playersCounted) {
    TableRowTexts row;
    row[0] = table.name;
    row[1] = entry ? entry->stakes : "-";
    row[2] = "0";
    row[3] = std::to_string(playersCounted);
    row[4] = entry ? entry->averagePot : "$0";
    return row;
}

}  // namespace

TableScanPass::TableScanPass(PassContext& context, PlayerLookup& lookup, ScanState& state,
                             const LobbyFilter& filter)
    : context_(context), lookup_(lookup), state_(state), filter_(filter) {}

std::optional<EverestLobby> TableScanPass::start() {
    std::optional<EverestLobby> lobby = startLobbyWalk(context_);
    if (!lobby)
        return std::nullopt;
    if (!lookup_.connectDatabases(context_.observer))
        return std::nullopt;
    return lobby;
}

bool TableScanPass::scanSelected(const std::string& wantedName) {
    std::optional<EverestLobby> lobby = start();
    if (!lobby)
        return false;

    LobbyScreen screen(context_.platform, context_.clock, context_.glyphs, *lobby);
    EndOfListDetector endOfList;
    ScanObserver& observer = context_.observer;
    while (!observer.cancelled()) {
        if (!readSelectedRow(screen, endOfList))
            break;
        if (!wantedName.empty() && state_.selectedRowName == wantedName) {
            // Rows on the way are only read: scanning them would show other tables'
            // figures in the selected row until the wanted one arrives.
            const LobbyEntry* entry = state_.lobbyEntries.find(wantedName);
            if (entry && filter_.accepts(*entry))
                scanTable(screen, SeatReading::Slow);
            break;
        }
        pressKey(context_.platform, lobby->listWindow, win32::VK_DOWN);
        observer.processEvents();
    }
    lookup_.disconnectDatabases();
    return true;
}

bool TableScanPass::scanAll(std::optional<int> openerMaximum) {
    std::optional<EverestLobby> lobby = start();
    if (!lobby)
        return false;

    LobbyScreen screen(context_.platform, context_.clock, context_.glyphs, *lobby);
    EndOfListDetector endOfList;
    ScanObserver& observer = context_.observer;
    while (!observer.cancelled()) {
        if (!readSelectedRow(screen, endOfList))
            break;

        const LobbyEntry* entry = state_.selectedRowName.empty()
                                      ? nullptr
                                      : state_.lobbyEntries.find(state_.selectedRowName);
        if (entry && filter_.accepts(*entry)) {
            context_.clock.sleepMs(kSeatsShownMs);
            readSeatsOnce(screen);
            if (openerMaximum) {
                if (!openSelectedTable(*lobby, *openerMaximum))
                    observer.cancel();
            } else if (!state_.tables.find(state_.selectedRowName)) {
                scanTable(screen, SeatReading::AlreadyRead);
            }
        }
        pressKey(context_.platform, lobby->listWindow, win32::VK_DOWN);
        context_.clock.sleepMs(kAfterDownMs);
        observer.processEvents();
    }
    lookup_.disconnectDatabases();
    return true;
}

bool TableScanPass::readSelectedRow(LobbyScreen& screen, EndOfListDetector& endOfList) {
    if (!screen.grab()) {
        context_.observer.showMessage("Error", "Error Capturing");
        return false;
    }
    state_.selectedRowName.clear();
    if (std::optional<LobbyEntry> row = screen.readSelectedRow()) {
        state_.selectedRowName = row->name;
        state_.lobbyEntries.refresh(*row);
    }
    if (endOfList.onRead(state_.selectedRowName))
        context_.observer.cancel();
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

void TableScanPass::readSeatsSlowly(LobbyScreen& screen) {
    context_.clock.sleepMs(kSelectedScanSettleMs);
    for (int attempt = 0; attempt < kSeatTries; ++attempt) {
        context_.clock.sleepMs(kSeatRetryMs);
        readSeatsOnce(screen);
        if (state_.seats.names[0].size() > 1)
            break;
    }
}

void TableScanPass::scanTable(LobbyScreen& screen, SeatReading reading) {
    if (reading == SeatReading::Slow)
        readSeatsSlowly(screen);
    if (state_.selectedRowName.empty())
        return;

    ScannedTable& table = state_.tables.findOrCreate(state_.selectedRowName);
    table.players.clear();
    const LobbyEntry* entry = state_.lobbyEntries.find(table.name);
    if (entry)
        table.stakes = entry->stakes;

    int counted = 0;
    // Every player line the seat reader stored, in order, up to the waiting list.
    for (int slot = 0; slot < kestrova::SeatReading::kSlots; ++slot) {
        const std::string& name = state_.seats.names[static_cast<std::size_t>(slot)];
        if (name.empty())
            continue;
        if (name == kWaitingMarker)
            break;
        ++counted;
        const std::string& stack = state_.seats.chips[static_cast<std::size_t>(slot)];
        const std::string seat = std::to_string(counted);

        std::shared_ptr<PlayerStats> record = state_.records.findCachedPlayer(name);
        if (!record) {
            record = lookup_.lookupPlayer(name, stack, seat, context_.observer);
            if (!record)
                continue;
            record->table = table.name;
        }
        if (record->table != table.name) {
            // Seen at another table before: this seat gets a record of its own.
            auto copy = std::make_shared<PlayerStats>(*record);
            copy->stack = stackWithoutSeparators(stack);
            copy->seat = seat;
            copy->table = table.name;
            state_.records.append(copy);
            record = copy;
        }
        table.players.push_back(record);
        context_.observer.playerFound(record);
    }
    context_.observer.tableScanned(table, tableRow(table, entry, counted));
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
