#pragma once

#include "client/ClientPlatform.h"

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
    int countTopLevelWindows(std::string_view className) override {
        int n = 0;
        for (const WindowInfo& w : windows)
            n += w.className == className ? 1 : 0;
        return n;
    }
};

}  // namespace kestrova::test
