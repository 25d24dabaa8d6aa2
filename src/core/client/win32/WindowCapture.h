#pragma once

#include "client/DesktopPlatform.h"
#include "common/Image.h"

#include <optional>
#include <set>
#include <string>

struct HDC__;
struct HWND__;

namespace kestrova {

// Captures a window into a memory bitmap. PrintWindow (looked up once by name
// in user32.dll) lets the window draw itself, covered or not. Where it reports
// success but leaves the bitmap black, as Wine does for another process's
// window, the window's own DC is copied instead; without PrintWindow the
// screen is copied (the caller puts the window on top first).
class WindowCapture final {
public:
    explicit WindowCapture(DesktopPlatform::Trace trace);

    bool hasPrintWindow() const { return printWindow_ != nullptr; }
    std::optional<Image> capture(HWND__* window);

    // Whether every pixel is black: what an empty PrintWindow leaves.
    static bool isBlank(const Image& image);

private:
    using PrintWindowFunction = int(__stdcall*)(HWND__*, HDC__*, unsigned);

    void traceOnce(HWND__* window, const std::string& line);

    PrintWindowFunction printWindow_ = nullptr;
    DesktopPlatform::Trace trace_;
    std::set<HWND__*> traced_;
};

}  // namespace kestrova
