#pragma once

#include "client/ClientPlatform.h"
#include "client/Win32Messages.h"

#include <map>
#include <vector>

namespace kestrova::test {

// A desktop of plain windows that records what was sent to it.
class FakePlatform final : public ClientPlatform {
public:
    struct Sent {
        WindowId window;
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        bool operator==(const Sent&) const = default;
    };

    std::vector<WindowInfo> windows;
    std::map<WindowId, std::vector<WindowInfo>> children;
    std::vector<Sent> sent;
    std::vector<std::pair<WindowId, int>> shown;

    std::vector<WindowInfo> topLevelWindows() override { return windows; }
    std::vector<WindowInfo> childWindows(WindowId parent) override { return children[parent]; }
    void sendMessage(WindowId w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) override {
        sent.push_back({w, m, wp, lp});
    }
    void showWindow(WindowId w, int state) override { shown.emplace_back(w, state); }
    void setTopmost(WindowId, bool) override {}
    std::optional<Image> capture(WindowId) override { return std::nullopt; }
    // The Win32 rule: windows of the table class.
    std::vector<WindowInfo> tableWindows(WindowId) override {
        std::vector<WindowInfo> tables;
        for (const WindowInfo& w : windows) {
            if (w.className == win32::kTableWindowClass)
                tables.push_back(w);
        }
        return tables;
    }
};

}  // namespace kestrova::test
