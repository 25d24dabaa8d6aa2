#include "client/x11/X11Platform.h"

#include "client/Win32Messages.h"
#include "client/lobby/ProgramWindows.h"
#include "client/x11/DamageWatch.h"
#include "client/x11/EscapeKeyGrab.h"
#include "client/x11/EventTimestamps.h"
#include "client/x11/KeyCodeMapper.h"
#include "client/x11/WindowCapturer.h"
#include "client/x11/WindowTree.h"
#include "client/x11/XcbConnection.h"
#include "client/x11/XcbReply.h"

#include <array>
#include <chrono>
#include <cstring>

namespace kestrova {

namespace {

// Window-manager frames nest a few levels at most; the bound guards against loops.
constexpr int kMaxTreeDepth = 32;
// Wine maps a Windows program's child controls onto its top-level X window.
constexpr int kLargeWidth = 750;
constexpr int kLargeHeight = 500;

constexpr std::uint32_t kNetWmStateRemove = 0;
constexpr std::uint32_t kNetWmStateAdd = 1;

bool isLarge(const Rect& r) {
    return r.width() > kLargeWidth && r.height() > kLargeHeight;
}

xcb_window_t toXcb(WindowId id) {
    return static_cast<xcb_window_t>(id);
}

template <typename Event>
void sendEvent(xcb_connection_t* c, xcb_window_t window, const Event& event) {
    static_assert(sizeof(Event) == 32, "X events are 32 bytes on the wire");
    std::array<char, 32> wire{};
    std::memcpy(wire.data(), &event, sizeof(Event));
    // An empty event mask delivers the event to the client that created the window,
    // whatever it selected: toolkits that take pointer input through XInput2 do not
    // select core button events, yet still handle core ones that arrive.
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, wire.data());
}

}  // namespace

std::unique_ptr<X11Platform> X11Platform::open(const std::string& displayName, std::string* error) {
    std::string reason;
    std::unique_ptr<XcbConnection> connection = XcbConnection::open(displayName, reason);
    if (!connection) {
        if (error)
            *error = reason;
        return nullptr;
    }
    return std::unique_ptr<X11Platform>(new X11Platform(std::move(connection), displayName));
}

X11Platform::X11Platform(std::unique_ptr<XcbConnection> connection, std::string displayName)
    : connection_(std::move(connection)),
      displayName_(std::move(displayName)),
      tree_(std::make_unique<WindowTree>(*connection_)),
      keys_(std::make_unique<KeyCodeMapper>(KeyCodeMapper::fromServer(connection_->get()))) {
    const auto readAt = std::chrono::steady_clock::now();
    const std::uint32_t serverTime = EventTimestamps::fetchServerTime(*connection_).value_or(1);
    timestamps_ = std::make_unique<EventTimestamps>(serverTime, readAt);
    capturer_ = std::make_unique<WindowCapturer>(*connection_, *tree_);
}

X11Platform::~X11Platform() = default;

std::unique_ptr<KeyGrab> X11Platform::grabCancelKey(std::function<void()> pressed) {
    std::string why;
    std::unique_ptr<EscapeKeyGrab> grab = EscapeKeyGrab::create(displayName_, std::move(pressed), why);
    if (!grab && trace_)
        trace_("Cannot take Esc from the focused window (" + why +
               "): only the program's own windows cancel a pass with it");
    return grab;
}

std::unique_ptr<DrawingWatch> X11Platform::watchDrawing(WindowId window) {
    std::string why;
    std::unique_ptr<DamageWatch> watch = DamageWatch::create(*connection_, toXcb(window), why);
    if (!watch && !toldNoWatch_) {
        toldNoWatch_ = true;
        if (trace_)
            trace_("Cannot watch the lobby's drawing (" + why + "): the waits poll the screen");
    }
    return watch;
}

const std::string& X11Platform::compositeUnavailableReason() const {
    return capturer_->compositeUnavailableReason();
}

std::vector<WindowInfo> X11Platform::topLevelWindows() {
    std::vector<WindowInfo> found;
    collectTopLevel(connection_->root(), found, 0);
    std::vector<xcb_window_t> ids;
    ids.reserve(found.size());
    for (const WindowInfo& info : found)
        ids.push_back(toXcb(info.id));
    const std::vector<std::optional<Rect>> rects = tree_->rectsIn(ids, connection_->root());
    std::vector<WindowInfo> result;
    result.reserve(found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        // A window that vanished during the walk is simply not there.
        if (!rects[i])
            continue;
        found[i].rect = *rects[i];
        result.push_back(std::move(found[i]));
    }
    return result;
}

void X11Platform::collectTopLevel(std::uint32_t window, std::vector<WindowInfo>& out, int depth) {
    if (depth >= kMaxTreeDepth)
        return;
    std::vector<xcb_window_t> kids = tree_->children(window);
    const std::vector<WindowTree::Details> details = tree_->describe(kids);
    // query_tree lists bottom to top; callers want the topmost first.
    for (std::size_t i = kids.size(); i-- > 0;) {
        const WindowTree::Details& d = details[i];
        if (!d.exists)
            continue;
        if (d.name) {
            // A hidden window is not there for the user, a minimised one is: the
            // client's lobby is found by its normal placement and restored.
            if (!d.viewable && !d.iconic)
                continue;
            WindowInfo info;
            info.id = kids[i];
            info.title = *d.name;
            info.className = d.className;
            info.instanceName = d.instanceName;
            out.push_back(std::move(info));
        } else {
            // A window-manager frame (or another unnamed wrapper): the client is
            // inside, also when the frame is unmapped because the client is minimised.
            collectTopLevel(kids[i], out, depth + 1);
        }
    }
}

std::vector<WindowInfo> X11Platform::childWindows(WindowId parent) {
    const xcb_window_t parentWindow = toXcb(parent);
    const std::optional<WindowTree::Geometry> parentGeo = tree_->geometry(parentWindow);
    if (!parentGeo)
        return {};

    // Depth first in stacking order, the way EnumChildWindows lists controls.
    std::vector<xcb_window_t> ordered;
    struct Pending {
        xcb_window_t window;
        int depth;
    };
    std::vector<Pending> stack;
    const std::vector<xcb_window_t> direct = tree_->children(parentWindow);
    for (auto it = direct.rbegin(); it != direct.rend(); ++it)
        stack.push_back({*it, 1});
    while (!stack.empty()) {
        const Pending next = stack.back();
        stack.pop_back();
        ordered.push_back(next.window);
        if (next.depth >= kMaxTreeDepth)
            continue;
        const std::vector<xcb_window_t> kids = tree_->children(next.window);
        for (auto it = kids.rbegin(); it != kids.rend(); ++it)
            stack.push_back({*it, next.depth + 1});
    }

    const std::vector<WindowTree::Details> details = tree_->describe(ordered);
    const std::vector<std::optional<Rect>> rects = tree_->rectsIn(ordered, parentWindow);
    std::vector<WindowInfo> result;
    result.reserve(ordered.size() + 1);
    bool hasLargeChild = false;
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        if (!details[i].exists || !rects[i])
            continue;
        WindowInfo info;
        info.id = ordered[i];
        info.title = details[i].name.value_or(std::string());
        info.className = details[i].className;
        info.rect = *rects[i];
        hasLargeChild = hasLargeChild || isLarge(info.rect);
        result.push_back(std::move(info));
    }

    const Rect clientArea{0, 0, parentGeo->width, parentGeo->height};
    if (isLarge(clientArea) && !hasLargeChild) {
        const WindowTree::Details self = tree_->describe(parentWindow);
        WindowInfo standIn;
        standIn.id = parent;
        standIn.title = self.name.value_or(std::string());
        standIn.className = self.className;
        standIn.rect = clientArea;
        result.push_back(std::move(standIn));
    }
    return result;
}

void X11Platform::sendMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) {
    const xcb_window_t target = toXcb(window);
    switch (message) {
        case win32::WM_KEYDOWN:
        case win32::WM_KEYUP:
            sendKey(target, message == win32::WM_KEYDOWN, static_cast<int>(wParam));
            break;
        case win32::WM_LBUTTONDOWN:
        case win32::WM_LBUTTONUP:
            sendButton(target, message == win32::WM_LBUTTONDOWN, win32::pointX(lParam),
                       win32::pointY(lParam));
            break;
        default:
            return;
    }
    // The event has left once the server answers a later request; the caller's clock
    // then gives the client its time to react before the next capture.
    xcb_flush(connection_->get());
    connection_->sync();
}

void X11Platform::sendKey(std::uint32_t window, bool press, int virtualKey) {
    const std::optional<std::uint8_t> keycode = keys_->keycodeForVirtualKey(virtualKey);
    if (!keycode)
        return;
    const auto origin = tree_->translate(window, connection_->root(), 0, 0);
    if (!origin)
        return;
    xcb_key_press_event_t event{};
    event.response_type = press ? XCB_KEY_PRESS : XCB_KEY_RELEASE;
    event.detail = *keycode;
    event.time = timestamps_->next();
    event.root = connection_->root();
    event.event = window;
    event.child = XCB_NONE;
    event.root_x = static_cast<std::int16_t>(origin->first);
    event.root_y = static_cast<std::int16_t>(origin->second);
    event.event_x = 0;
    event.event_y = 0;
    event.state = 0;
    event.same_screen = 1;
    sendEvent(connection_->get(), window, event);
}

void X11Platform::sendButton(std::uint32_t window, bool press, int x, int y) {
    const auto rootPoint = tree_->translate(window, connection_->root(), x, y);
    if (!rootPoint)
        return;
    xcb_button_press_event_t event{};
    event.response_type = press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE;
    event.detail = 1;
    event.time = timestamps_->next();
    event.root = connection_->root();
    event.event = window;
    event.child = XCB_NONE;
    event.root_x = static_cast<std::int16_t>(rootPoint->first);
    event.root_y = static_cast<std::int16_t>(rootPoint->second);
    event.event_x = static_cast<std::int16_t>(x);
    event.event_y = static_cast<std::int16_t>(y);
    // The state is the one just before the event: the button is down at its release.
    event.state = press ? 0 : XCB_BUTTON_MASK_1;
    event.same_screen = 1;
    sendEvent(connection_->get(), window, event);
}

void X11Platform::showWindow(WindowId window, int showState) {
    xcb_connection_t* c = connection_->get();
    const xcb_window_t target = toXcb(window);
    if (showState == win32::SW_HIDE) {
        xcb_unmap_window(c, target);
    } else {
        // Mapping an iconic client asks its window manager to restore it.
        xcb_map_window(c, target);
        const std::uint32_t above[] = {XCB_STACK_MODE_ABOVE};
        xcb_configure_window(c, target, XCB_CONFIG_WINDOW_STACK_MODE, above);
        // No _NET_ACTIVE_WINDOW: the keyboard focus stays with the user's window.
        if (windowManagerRunning()) {
            sendToWindowManager(target, connection_->atom("_NET_WM_STATE"), kNetWmStateRemove,
                                connection_->atom("_NET_WM_STATE_HIDDEN"), 0);
        }
    }
    xcb_flush(c);
    connection_->sync();
}

void X11Platform::setTopmost(WindowId window, bool topmost) {
    xcb_connection_t* c = connection_->get();
    const xcb_window_t target = toXcb(window);
    const std::uint32_t mode[] = {topmost ? XCB_STACK_MODE_ABOVE : XCB_STACK_MODE_BELOW};
    xcb_configure_window(c, target, XCB_CONFIG_WINDOW_STACK_MODE, mode);
    if (windowManagerRunning()) {
        sendToWindowManager(target, connection_->atom("_NET_WM_STATE"),
                            topmost ? kNetWmStateAdd : kNetWmStateRemove,
                            connection_->atom("_NET_WM_STATE_ABOVE"), 0);
    }
    xcb_flush(c);
    connection_->sync();
}

std::optional<Image> X11Platform::capture(WindowId window) {
    return capturer_->capture(toXcb(window));
}

bool X11Platform::capturesCoveredWindows() {
    return capturer_->compositeAvailable();
}

// What Wine 8 shows X11 of a program's windows (checked with a small Win32
// program under Xvfb): WM_CLASS is the executable's file name in lower case for
// both parts ("everestclient.exe"), WM_NAME and _NET_WM_NAME are the window text,
// and the Win32 class appears nowhere. Besides its visible windows each Wine
// program keeps an unmapped 1x1 "Default IME" window, which topLevelWindows()
// leaves out as hidden. So the tables are the lobby program's other windows.
std::vector<WindowInfo> X11Platform::tableWindows(WindowId lobby) {
    return otherWindowsOfProgram(topLevelWindows(), lobby);
}

bool X11Platform::windowManagerRunning() {
    xcb_connection_t* c = connection_->get();
    const xcb_atom_t check = connection_->atom("_NET_SUPPORTING_WM_CHECK");
    auto readCheck = [&](xcb_window_t w) -> xcb_window_t {
        XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            c, xcb_get_property(c, 0, w, check, XCB_ATOM_WINDOW, 0, 1), nullptr));
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
            return XCB_NONE;
        xcb_window_t value = XCB_NONE;
        std::memcpy(&value, xcb_get_property_value(reply.get()), sizeof value);
        return value;
    };
    // A window manager that died leaves the root's property behind, pointing to a
    // window that no longer carries it.
    const xcb_window_t wmWindow = readCheck(connection_->root());
    return wmWindow != XCB_NONE && readCheck(wmWindow) == wmWindow;
}

void X11Platform::sendToWindowManager(std::uint32_t window, std::uint32_t type, std::uint32_t data0,
                                      std::uint32_t data1, std::uint32_t data2) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    event.data.data32[0] = data0;
    event.data.data32[1] = data1;
    event.data.data32[2] = data2;
    std::array<char, 32> wire{};
    std::memcpy(wire.data(), &event, sizeof event);
    xcb_send_event(connection_->get(), 0, connection_->root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   wire.data());
}

}  // namespace kestrova
