#pragma once

#include "client/ClientPlatform.h"
#include "records/PlayerLookup.h"
#include "scan/ScanObserver.h"
#include "sim/Lobby.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrova::test {

// What the scan benchmarks wrap around a pass, to tell its parts apart.

// CPU time of the calling thread: unlike the wall clock, not stretched by other
// programs on a busy machine.
std::chrono::nanoseconds threadCpuTime();

// Counts what a pass reports; a message is printed, since a benchmark scan
// should show none.
class CountingObserver final : public ScanObserver {
public:
    void showMessage(const kestrova::Message& message) override;
    bool cancelled() const override { return false; }
    void playerFound(const std::shared_ptr<PlayerStats>&) override { ++players; }
    void tableScanned(const ScannedTable&) override { ++tables; }

    int messages = 0;
    int players = 0;
    int tables = 0;
};

// The simulated client drawing its lobby stands in for the real client's
// screen; the time it takes is told apart from the scan's own.
class TimedPlatform final : public ClientPlatform {
public:
    explicit TimedPlatform(ClientPlatform& inner) : inner_(inner) {}

    std::vector<WindowInfo> topLevelWindows() override { return inner_.topLevelWindows(); }
    std::vector<WindowInfo> childWindows(WindowId parent) override {
        return inner_.childWindows(parent);
    }
    void sendMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override {
        inner_.sendMessage(window, message, wParam, lParam);
    }
    void showWindow(WindowId window, int showState) override {
        inner_.showWindow(window, showState);
    }
    void setTopmost(WindowId window, bool topmost) override { inner_.setTopmost(window, topmost); }
    std::optional<Image> capture(WindowId window) override;
    std::vector<WindowInfo> tableWindows(WindowId lobby) override {
        return inner_.tableWindows(lobby);
    }
    // The simulated client draws a change when its watch reports it, as the
    // X server reports what a client has drawn: that time is the client's too.
    std::unique_ptr<DrawingWatch> watchDrawing(WindowId window) override;

    std::chrono::steady_clock::duration drawing{};
    std::chrono::nanoseconds drawingCpu{};
    int captures = 0;

private:
    ClientPlatform& inner_;
};

// Time spent in the tracker look-ups (the statements and building the records).
class TimedLookup final : public PlayerLookup {
public:
    explicit TimedLookup(PlayerLookup& inner) : inner_(inner) {}

    bool connectDatabases(MessageSink& messages) override {
        return inner_.connectDatabases(messages);
    }
    void disconnectDatabases() override { inner_.disconnectDatabases(); }
    std::shared_ptr<PlayerStats> lookupPlayer(const std::string& name, const std::string& stack,
                                              const std::string& seat,
                                              MessageSink& messages) override;

    std::chrono::steady_clock::duration spent{};
    int lookups = 0;

private:
    PlayerLookup& inner_;
};

// `tables` full-ring tables named "Summit 1000", "Summit 1001" ..., each with
// `playersPerTable` players of their own and `waitingPerTable` more on its
// waiting list: a lobby of n tables is the first n tables of any larger one.
sim::Lobby summitLobby(int tables, int playersPerTable, int waitingPerTable = 0);

}  // namespace kestrova::test
