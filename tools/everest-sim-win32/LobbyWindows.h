#pragma once

#include "GdiFont.h"
#include "sim/LobbyState.h"
#include "sim/LobbyTable.h"

#include <fstream>
#include <string>
#include <vector>

struct HWND__;

namespace kestrova::sim {

// The lobby on the Windows desktop: a top-level window "Everest Poker - Lobby"
// with the list child window, which takes the clicks and keys. Every message
// the list gets is written to the log (when given) before it is acted on, and
// every table opened as "opened NAME"; "shown" once the windows are up.
// Redraws before a message returns, so a capture taken after SendMessageA
// sees its effect.
class LobbyWindows final {
public:
    LobbyWindows(std::vector<LobbyTable> tables, const std::string& logFile);
    ~LobbyWindows();
    LobbyWindows(const LobbyWindows&) = delete;
    LobbyWindows& operator=(const LobbyWindows&) = delete;

    // False when the windows could not be created.
    bool create();
    int run();

private:
    static std::intptr_t __stdcall frameProc(HWND__* window, unsigned message,
                                             std::uintptr_t wParam, std::intptr_t lParam);
    static std::intptr_t __stdcall listProc(HWND__* window, unsigned message, std::uintptr_t wParam,
                                            std::intptr_t lParam);
    static std::intptr_t __stdcall tableProc(HWND__* window, unsigned message,
                                             std::uintptr_t wParam, std::intptr_t lParam);

    void log(const std::string& line);
    void redraw();
    void act(LobbyState::Action action);
    void paint(HWND__* window, void* dc, int sourceTop);

    std::vector<LobbyTable> tables_;
    LobbyState state_;
    GdiFont font_;
    std::ofstream log_;
    HWND__* frame_ = nullptr;
    HWND__* list_ = nullptr;
    void* pictureDc_ = nullptr;  // HDC with the lobby picture selected
    void* picture_ = nullptr;    // HBITMAP, a 32-bit DIB section
    void* oldBitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int opened_ = 0;
};

}  // namespace kestrova::sim
