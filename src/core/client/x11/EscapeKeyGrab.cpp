#include "client/x11/EscapeKeyGrab.h"

#include "client/x11/KeyCodeMapper.h"
#include "client/x11/XcbConnection.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

namespace kestrova {
namespace {

constexpr std::uint32_t kEscapeKeysym = 0xff1b;

// Caps Lock and Num Lock (Mod2 on every common layout) must not turn the key
// into another one the grab does not cover.
constexpr std::array<std::uint16_t, 4> kLockModifiers = {
    0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

}  // namespace

std::unique_ptr<EscapeKeyGrab> EscapeKeyGrab::create(const std::string& displayName,
                                                     std::function<void()> pressed,
                                                     std::string& why) {
    std::unique_ptr<XcbConnection> connection = XcbConnection::open(displayName, why);
    if (!connection)
        return nullptr;
    const std::optional<std::uint8_t> keycode =
        KeyCodeMapper::fromServer(connection->get()).keycodeForKeysym(kEscapeKeysym);
    if (!keycode) {
        why = "the keyboard has no Esc key";
        return nullptr;
    }
    for (const std::uint16_t modifiers : kLockModifiers) {
        xcb_generic_error_t* error = xcb_request_check(
            connection->get(),
            xcb_grab_key_checked(connection->get(), 0, connection->root(), modifiers, *keycode,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        if (error) {
            std::free(error);
            why = "another program holds the Esc key";
            return nullptr;  // closing the connection drops the grabs made so far
        }
    }
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        why = "cannot make a pipe";
        return nullptr;
    }
    return std::unique_ptr<EscapeKeyGrab>(
        new EscapeKeyGrab(std::move(connection), std::move(pressed), pipeEnds[0], pipeEnds[1]));
}

EscapeKeyGrab::EscapeKeyGrab(std::unique_ptr<XcbConnection> connection,
                             std::function<void()> pressed, int wakeRead, int wakeWrite)
    : connection_(std::move(connection)),
      pressed_(std::move(pressed)),
      wakeRead_(wakeRead),
      wakeWrite_(wakeWrite),
      thread_([this] { waitForKeys(); }) {}

EscapeKeyGrab::~EscapeKeyGrab() {
    const char byte = 0;
    (void)!::write(wakeWrite_, &byte, 1);
    thread_.join();
    // Closing the connection releases the grabs.
    connection_.reset();
    ::close(wakeRead_);
    ::close(wakeWrite_);
}

void EscapeKeyGrab::waitForKeys() {
    xcb_connection_t* c = connection_->get();
    std::array<pollfd, 2> waits{{{xcb_get_file_descriptor(c), POLLIN, 0}, {wakeRead_, POLLIN, 0}}};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const bool keyPress = (event->response_type & 0x7f) == XCB_KEY_PRESS;
            std::free(event);
            if (keyPress)
                pressed_();
        }
        if (xcb_connection_has_error(c))
            return;
        if (::poll(waits.data(), waits.size(), -1) < 0)
            continue;
        if (waits[1].revents != 0)
            return;
    }
}

}  // namespace kestrova
