#pragma once

#include "client/ClientPlatform.h"
#include "client/lobby/ProgramWindows.h"
#include "sim/BitmapFont.h"
#include "sim/ClientLatency.h"
#include "sim/Lobby.h"
#include "sim/LobbyRenderer.h"
#include "sim/LobbyState.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrova::sim {

// The in-process Everest client: a lobby window with its list child, driven by
// the same Win32 messages as the real client, captured through the same
// renderer as everest-sim. Records every message it receives.
// Needs a QGuiApplication (fonts); tests run it on the offscreen platform.
class SimulatedClient final : public ClientPlatform {
public:
    static constexpr WindowId kLobbyWindow = 1;
    static constexpr WindowId kListWindow = 2;
    static constexpr WindowId kFirstTableWindow = 100;
    static constexpr const char* kLobbyTitle = "Everest Poker - Lobby";
    // The client's windows look as they do under Wine on X11: every top-level
    // window carries the program's name as WM_CLASS, and a table window is told
    // from the lobby only by its title, the table's name.
    static constexpr const char* kProgramClass = kWineClientProgram;
    static constexpr const char* kListClass = "EverestTableList";
    static constexpr int kTableWidth = 800;
    static constexpr int kTableHeight = 560;

    struct SentMessage {
        WindowId window = 0;
        std::uint32_t message = 0;
        std::uintptr_t wParam = 0;
        std::intptr_t lParam = 0;
        bool operator==(const SentMessage&) const = default;
    };

    explicit SimulatedClient(Lobby lobby);

    std::vector<WindowInfo> topLevelWindows() override;
    std::vector<WindowInfo> childWindows(WindowId parent) override;
    void sendMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    void showWindow(WindowId window, int showState) override;
    void setTopmost(WindowId window, bool topmost) override;
    std::optional<Image> capture(WindowId window) override;
    std::vector<WindowInfo> tableWindows(WindowId lobby) override;
    // Reports the lobby's drawing as the X server's Damage extension does:
    // the list and the seat box whenever what they show changes.
    std::unique_ptr<DrawingWatch> watchDrawing(WindowId window) override;
    // Off: no watch, as on a platform that cannot tell (the waits poll).
    void setDrawingWatched(bool watched) { drawingWatched_ = watched; }
    // What a capture shows at this moment.
    LobbyView shownView() const;
    // The lobby window's picture at this moment. Like a real client's window it
    // is drawn once per change of what it shows; a capture copies it.
    const Image& lobbyPicture() const;

    WindowId lobbyWindow() const { return kLobbyWindow; }
    WindowId listWindow() const { return kListWindow; }
    const std::vector<SentMessage>& messages() const { return messages_; }
    void clearMessages() { messages_.clear(); }
    int selectedRow() const { return state_.selectedRow(); }
    bool listFocused() const { return state_.listFocused(); }
    // Names of the opened table windows, in opening order.
    const std::vector<std::string>& openedTables() const { return openedTables_; }
    // A minimised lobby keeps its normal rectangle but cannot be captured.
    void setMinimised(bool minimised) { minimised_ = minimised; }
    bool minimised() const { return minimised_; }
    // Closes every opened table window.
    void closeTables() { openedTables_.clear(); }
    // From now on the lobby draws every change of the selection late; nowMs is
    // the clock the delays run on (the pass's clock, real or virtual).
    void setLatency(ClientLatency latency, std::function<long long()> nowMs);
    const Lobby& lobby() const { return lobby_; }
    const LobbyState& state() const { return state_; }
    const LobbyRenderer& renderer() const { return renderer_; }

private:
    void openSelectedTable();

    Lobby lobby_;
    LobbyState state_;
    BitmapFont font_;
    LobbyRenderer renderer_;
    std::vector<SentMessage> messages_;
    std::vector<std::string> openedTables_;
    bool minimised_ = false;
    bool drawingWatched_ = true;
    bool buttonDown_ = false;
    std::optional<DelayedLobbyView> delayed_;
    std::function<long long()> nowMs_;
    struct Picture {
        LobbyView view;
        Image image;
    };
    mutable std::optional<Picture> picture_;
};

}  // namespace kestrova::sim
