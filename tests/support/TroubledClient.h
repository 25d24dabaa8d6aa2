#pragma once

#include "client/ClientPlatform.h"
#include "client/DrawingWatch.h"
#include "client/Win32Messages.h"
#include "common/Clock.h"
#include "sim/LobbyLayout.h"

#include <memory>
#include <utility>

namespace kestrova::test {

// A client with the troubles real ones have, around the client it wraps:
// - repainting: its list area is redrawn every repaintMs (an animation, a
//   client that repaints on a timer) without a pixel changing;
// - frozen: after so many keys it handles no message any more (stopped),
//   while its window still shows what it showed last.
class TroubledClient final : public ClientPlatform {
public:
    TroubledClient(ClientPlatform& client, const Clock& clock) : client_(client), clock_(clock) {}
    void repaintEvery(int ms) { repaintMs_ = ms; }
    void freezeAfterKeys(int keys) { keysLeft_ = keys; }

    std::vector<WindowInfo> topLevelWindows() override { return client_.topLevelWindows(); }
    std::vector<WindowInfo> childWindows(WindowId p) override { return client_.childWindows(p); }
    void sendMessage(WindowId w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) override {
        if (keysLeft_ == 0)
            return;
        if (keysLeft_ > 0 && m == win32::WM_KEYDOWN)
            --keysLeft_;
        client_.sendMessage(w, m, wp, lp);
    }
    void showWindow(WindowId w, int s) override { client_.showWindow(w, s); }
    void setTopmost(WindowId w, bool t) override { client_.setTopmost(w, t); }
    std::optional<Image> capture(WindowId w) override { return client_.capture(w); }
    std::vector<WindowInfo> tableWindows(WindowId l) override { return client_.tableWindows(l); }
    std::unique_ptr<DrawingWatch> watchDrawing(WindowId w) override {
        return std::make_unique<Watch>(client_.watchDrawing(w), clock_, repaintMs_);
    }

private:
    class Watch final : public DrawingWatch {
    public:
        Watch(std::unique_ptr<DrawingWatch> inner, const Clock& clock, int repaintMs)
            : inner_(std::move(inner)), clock_(clock), repaintMs_(repaintMs),
              nextMs_(clock.nowMs() + repaintMs) {}
        std::vector<Rect> takeDrawn() override {
            std::vector<Rect> drawn = inner_ ? inner_->takeDrawn() : std::vector<Rect>{};
            if (repaintMs_ > 0 && clock_.nowMs() >= nextMs_) {
                using namespace sim::layout;
                drawn.push_back({kListLeft, kListTop, kListRight, kListTop + kRowHeight * kVisibleRows});
                nextMs_ = clock_.nowMs() + repaintMs_;
            }
            return drawn;
        }

    private:
        std::unique_ptr<DrawingWatch> inner_;
        const Clock& clock_;
        int repaintMs_;
        long long nextMs_;
    };

    ClientPlatform& client_;
    const Clock& clock_;
    int repaintMs_ = 0;
    int keysLeft_ = -1;
};

}  // namespace kestrova::test
