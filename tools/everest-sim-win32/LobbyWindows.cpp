#include "LobbyWindows.h"

#include "LobbyPicture.h"
#include "sim/LobbyLayout.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace kestrova::sim {

namespace {

constexpr const char* kFrameClass = "EverestLobbyFrame";
constexpr const char* kListClass = "EverestLobbyList";
// The client's table windows carry this class (client/Win32Messages.h).
constexpr const char* kTableClass = "PokerStarsTableFrameClass";
constexpr int kTableWidth = 400;
constexpr int kTableHeight = 300;

LobbyWindows* instance = nullptr;

std::string hex(std::uintptr_t value, int digits) {
    char text[32];
    std::snprintf(text, sizeof(text), "0x%0*llx", digits, static_cast<unsigned long long>(value));
    return text;
}

const char* messageName(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
            return "WM_KEYDOWN";
        case WM_KEYUP:
            return "WM_KEYUP";
        case WM_LBUTTONDOWN:
            return "WM_LBUTTONDOWN";
        case WM_LBUTTONUP:
            return "WM_LBUTTONUP";
        default:
            return nullptr;
    }
}

}  // namespace

LobbyWindows::LobbyWindows(std::vector<LobbyTable> tables, const std::string& logFile)
    : tables_(std::move(tables)), state_(static_cast<int>(tables_.size())) {
    if (!logFile.empty())
        log_.open(logFile, std::ios::trunc);
    instance = this;
}

LobbyWindows::~LobbyWindows() {
    if (pictureDc_ != nullptr) {
        SelectObject(static_cast<HDC>(pictureDc_), static_cast<HGDIOBJ>(oldBitmap_));
        DeleteObject(static_cast<HBITMAP>(picture_));
        DeleteDC(static_cast<HDC>(pictureDc_));
    }
    instance = nullptr;
}

void LobbyWindows::log(const std::string& line) {
    if (log_.is_open())
        log_ << line << std::endl;
}

bool LobbyWindows::create() {
    const HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = reinterpret_cast<WNDPROC>(&frameProc);
    frameClass.hInstance = module;
    frameClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    frameClass.lpszClassName = kFrameClass;
    WNDCLASSA listClass = frameClass;
    listClass.lpfnWndProc = reinterpret_cast<WNDPROC>(&listProc);
    listClass.lpszClassName = kListClass;
    WNDCLASSA tableClass = frameClass;
    tableClass.lpfnWndProc = reinterpret_cast<WNDPROC>(&tableProc);
    tableClass.lpszClassName = kTableClass;
    if (!RegisterClassA(&frameClass) || !RegisterClassA(&listClass) || !RegisterClassA(&tableClass))
        return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = layout::kWindowWidth;
    info.bmiHeader.biHeight = -layout::kWindowHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc == nullptr || bitmap == nullptr)
        return false;
    pictureDc_ = dc;
    picture_ = bitmap;
    bits_ = static_cast<std::uint32_t*>(bits);
    oldBitmap_ = SelectObject(dc, bitmap);
    redraw();

    // No frame: the window's corner is its client area's, as in everest-sim.
    frame_ = CreateWindowExA(0, kFrameClass, "Everest Poker - Lobby",
                             WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, layout::kWindowWidth,
                             layout::kWindowHeight, nullptr, nullptr, module, nullptr);
    if (frame_ == nullptr)
        return false;
    list_ = CreateWindowExA(0, kListClass, "", WS_CHILD | WS_VISIBLE, layout::kListWindowLeft,
                            layout::kListWindowTop, layout::kWindowWidth,
                            layout::kWindowHeight - layout::kListWindowTop, frame_, nullptr, module,
                            nullptr);
    if (list_ == nullptr)
        return false;
    UpdateWindow(frame_);
    log("shown");
    return true;
}

int LobbyWindows::run() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

void LobbyWindows::redraw() {
    const Image image = renderLobby(font_, tables_, state_);
    std::memcpy(bits_, image.pixels().data(), image.pixels().size() * sizeof(std::uint32_t));
    GdiFlush();
    if (frame_ != nullptr)
        RedrawWindow(frame_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_NOERASE);
}

void LobbyWindows::paint(HWND window, void* dc, int sourceTop) {
    RECT client{};
    GetClientRect(window, &client);
    BitBlt(static_cast<HDC>(dc), 0, 0, client.right, client.bottom, static_cast<HDC>(pictureDc_), 0,
           sourceTop, SRCCOPY);
}

void LobbyWindows::act(LobbyState::Action action) {
    if (action != LobbyState::Action::OpenSelectedTable || state_.selectedRow() < 0)
        return;
    const LobbyTable& table = tables_[static_cast<std::size_t>(state_.selectedRow())];
    log("opened " + table.name);
    // Beside the lobby, never over it: captures of the lobby stay clean.
    const int offset = 20 * (opened_++ % 10);
    CreateWindowExA(0, kTableClass, table.name.c_str(), WS_POPUP | WS_VISIBLE,
                    layout::kWindowWidth + 10 + offset, offset, kTableWidth, kTableHeight, nullptr,
                    nullptr, GetModuleHandleA(nullptr), nullptr);
}

std::intptr_t __stdcall LobbyWindows::frameProc(HWND window, unsigned message,
                                                std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            instance->paint(window, dc, 0);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            // The whole picture, the list's part included.
            instance->paint(window, reinterpret_cast<HDC>(wParam), 0);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

std::intptr_t __stdcall LobbyWindows::listProc(HWND window, unsigned message, std::uintptr_t wParam,
                                               std::intptr_t lParam) {
    if (const char* name = messageName(message))
        instance->log(std::string(name) + " " + hex(wParam, 2) + " " +
                      hex(static_cast<std::uintptr_t>(lParam) & 0xffffffffu, 8));
    LobbyState::Action action = LobbyState::Action::None;
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            instance->paint(window, dc, layout::kListWindowTop);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            instance->paint(window, reinterpret_cast<HDC>(wParam), layout::kListWindowTop);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            return 0;
        case WM_LBUTTONUP:
            action = instance->state_.click(static_cast<short>(LOWORD(lParam)),
                                            static_cast<short>(HIWORD(lParam)));
            break;
        case WM_KEYDOWN:
            action = instance->state_.keyDown(static_cast<int>(wParam));
            break;
        case WM_KEYUP:
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
    instance->redraw();
    instance->act(action);
    return 0;
}

std::intptr_t __stdcall LobbyWindows::tableProc(HWND window, unsigned message,
                                                std::uintptr_t wParam, std::intptr_t lParam) {
    if (message == WM_ERASEBKGND) {
        RECT client{};
        GetClientRect(window, &client);
        HBRUSH felt = CreateSolidBrush(RGB(20, 90, 50));
        FillRect(reinterpret_cast<HDC>(wParam), &client, felt);
        DeleteObject(felt);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace kestrova::sim
