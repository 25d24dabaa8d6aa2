#include "client/win32/WindowCapture.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kestrova {

namespace {

// The GDI objects of one capture, released in reverse order whatever happens.
class MemoryBitmap final {
public:
    MemoryBitmap(HDC compatibleWith, int width, int height)
        : dc_(CreateCompatibleDC(compatibleWith)),
          bitmap_(CreateCompatibleBitmap(compatibleWith, width, height)) {
        if (dc_ != nullptr && bitmap_ != nullptr)
            old_ = SelectObject(dc_, bitmap_);
    }
    ~MemoryBitmap() {
        if (old_ != nullptr)
            SelectObject(dc_, old_);
        if (bitmap_ != nullptr)
            DeleteObject(bitmap_);
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;

    bool valid() const { return old_ != nullptr; }
    HDC dc() const { return dc_; }

    // All pixels at once as 0xAARRGGBB; a top-down 32-bit DIB has exactly that layout.
    std::optional<Image> pixels(int width, int height) const {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        Image image(width, height);
        // GetDIBits wants the bitmap out of the DC.
        SelectObject(dc_, old_);
        const int lines = GetDIBits(dc_, bitmap_, 0, static_cast<UINT>(height),
                                    image.pixels().data(), &info, DIB_RGB_COLORS);
        SelectObject(dc_, bitmap_);
        if (lines != height)
            return std::nullopt;
        for (std::uint32_t& pixel : image.pixels())
            pixel |= 0xff000000u;
        return image;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_ = nullptr;
};

class WindowDc final {
public:
    WindowDc(HWND window, bool wholeWindow)
        : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace

WindowCapture::WindowCapture(DesktopPlatform::Trace trace) : trace_(std::move(trace)) {
    // Looked up by name: older systems have no PrintWindow.
    if (HMODULE user32 = GetModuleHandleA("user32.dll"); user32 != nullptr)
        printWindow_ = reinterpret_cast<PrintWindowFunction>(
            reinterpret_cast<void*>(GetProcAddress(user32, "PrintWindow")));
}

bool WindowCapture::isBlank(const Image& image) {
    return std::all_of(image.pixels().begin(), image.pixels().end(),
                       [](std::uint32_t pixel) { return (pixel & 0xffffffu) == 0; });
}

void WindowCapture::traceOnce(HWND window, const std::string& line) {
    if (trace_ && traced_.insert(window).second)
        trace_(line);
}

std::optional<Image> WindowCapture::capture(HWND window) {
    RECT rect{};
    if (!IsWindow(window) || IsIconic(window) || !GetWindowRect(window, &rect))
        return std::nullopt;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return std::nullopt;

    const WindowDc windowDc(window, true);
    if (windowDc.get() == nullptr)
        return std::nullopt;
    const MemoryBitmap memory(windowDc.get(), width, height);
    if (!memory.valid())
        return std::nullopt;

    if (printWindow_ != nullptr) {
        if (!printWindow_(window, memory.dc(), 0))
            return std::nullopt;
        std::optional<Image> image = memory.pixels(width, height);
        if (!image || !isBlank(*image))
            return image;
        traceOnce(window,
                  "capture: PrintWindow gave an empty image; copied from the window's DC\n");
        if (!BitBlt(memory.dc(), 0, 0, width, height, windowDc.get(), 0, 0, SRCCOPY))
            return std::nullopt;
        return memory.pixels(width, height);
    }

    // From the screen: the client area's DC, shifted back to the window's corner.
    const WindowDc clientDc(window, false);
    POINT clientOrigin{0, 0};
    RECT client{};
    if (clientDc.get() == nullptr || !GetClientRect(window, &client) ||
        !ClientToScreen(window, &clientOrigin))
        return std::nullopt;
    if (!BitBlt(memory.dc(), 0, 0, width, height, clientDc.get(), rect.left - clientOrigin.x,
                rect.top - clientOrigin.y, SRCCOPY))
        return std::nullopt;
    return memory.pixels(width, height);
}

}  // namespace kestrova
