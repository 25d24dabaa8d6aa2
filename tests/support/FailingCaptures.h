#pragma once

#include "client/ClientPlatform.h"

#include <atomic>

namespace kestrova::test {

// A client whose lobby can be captured so many times, then no more
// (minimised, gone); everything else goes to the client it wraps.
class FailingCaptures final : public ClientPlatform {
public:
    FailingCaptures(ClientPlatform& client, int captures) : client_(&client), left_(captures) {}
    void allow(int captures) { left_ = captures; }
    // The desktop shows another lobby from now on (between passes only).
    void showInstead(ClientPlatform& client) { client_ = &client; }

    std::vector<WindowInfo> topLevelWindows() override { return client_->topLevelWindows(); }
    std::vector<WindowInfo> childWindows(WindowId p) override { return client_->childWindows(p); }
    void sendMessage(WindowId w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) override {
        client_->sendMessage(w, m, wp, lp);
    }
    void showWindow(WindowId w, int s) override { client_->showWindow(w, s); }
    void setTopmost(WindowId w, bool t) override { client_->setTopmost(w, t); }
    std::optional<Image> capture(WindowId w) override {
        if (left_-- <= 0)
            return std::nullopt;
        return client_->capture(w);
    }
    std::vector<WindowInfo> tableWindows(WindowId l) override { return client_->tableWindows(l); }
    std::unique_ptr<DrawingWatch> watchDrawing(WindowId w) override {
        return client_->watchDrawing(w);
    }

private:
    ClientPlatform* client_;
    std::atomic<int> left_;
};

}  // namespace kestrova::test
