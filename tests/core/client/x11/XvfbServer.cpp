#include "XvfbServer.h"

#include <poll.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <vector>

namespace kestrova::testing {

namespace {

constexpr int kStartTimeoutMs = 15000;

}  // namespace

XvfbServer::~XvfbServer() {
    stop();
}

// Debian's xvfb package puts it in /usr/bin.
std::string XvfbServer::findBinary() {
    for (const char* path : {"/usr/bin/Xvfb", "/usr/local/bin/Xvfb"}) {
        if (access(path, X_OK) == 0)
            return path;
    }
    return {};
}

bool XvfbServer::start(std::string& error, const std::string& screen,
                       const std::vector<std::string>& extraArgs) {
    const std::string binary = findBinary();
    if (binary.empty()) {
        error = "Xvfb is not installed";
        return false;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        error = "pipe failed";
        return false;
    }
    const std::string fdText = std::to_string(fds[1]);
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        error = "fork failed";
        return false;
    }
    if (pid == 0) {
        close(fds[0]);
        std::vector<std::string> args{binary, "-displayfd", fdText, "-screen", "0",
                                      screen, "-nolisten",  "tcp",  "-noreset"};
        args.insert(args.end(), extraArgs.begin(), extraArgs.end());
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
    close(fds[1]);
    pid_ = pid;

    // Xvfb writes the display number once it listens.
    std::string number;
    pollfd readable{fds[0], POLLIN, 0};
    while (number.empty() || number.back() != '\n') {
        const int ready = poll(&readable, 1, kStartTimeoutMs);
        if (ready <= 0)
            break;
        char buffer[32];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        number.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    if (number.empty() || number.back() != '\n') {
        stop();
        error = "Xvfb did not report a display within " + std::to_string(kStartTimeoutMs) + " ms";
        return false;
    }
    number.pop_back();
    display_ = ":" + number;
    return true;
}

void XvfbServer::stop() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
}

bool XvfbServer::pressKey(std::uint32_t keysym) const {
    xcb_connection_t* c = xcb_connect(display_.c_str(), nullptr);
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto* mapping = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<std::uint8_t>(count)),
        nullptr);
    int keycode = 0;
    if (mapping) {
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping);
        for (int i = 0; i < count && keycode == 0; ++i)
            if (syms[i * mapping->keysyms_per_keycode] == keysym)
                keycode = setup->min_keycode + i;
        std::free(mapping);
    }
    if (keycode != 0) {
        const auto code = static_cast<std::uint8_t>(keycode);
        xcb_test_fake_input(c, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(c, XCB_KEY_RELEASE, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    }
    xcb_disconnect(c);
    return keycode != 0;
}

}  // namespace kestrova::testing
