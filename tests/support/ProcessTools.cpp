#include "ProcessTools.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace kestrova::test {

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

std::string runCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        throw std::runtime_error("cannot run: " + command);
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    const int status = pclose(pipe);
    if (status != 0)
        throw std::runtime_error("failed (" + std::to_string(status) + "): " + command + "\n" +
                                 output);
    return output;
}

int listenOnLoopback(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    if (fd < 0 || ::bind(fd, generic, sizeof(address)) != 0 || ::listen(fd, 16) != 0 ||
        ::getsockname(fd, generic, &length) != 0) {
        if (fd >= 0)
            ::close(fd);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port = ntohs(address.sin_port);
    return fd;
}

int freeLoopbackPort() {
    int port = 0;
    ::close(listenOnLoopback(port));
    return port;
}

void stopProcess(long pid) {
    if (pid <= 0)
        return;
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    for (int i = 0; i < 100 && ::kill(static_cast<pid_t>(pid), 0) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

void retryUntilDone(int attempts, const std::function<void()>& step) {
    for (int attempt = 1;; ++attempt) {
        try {
            step();
            return;
        } catch (const std::runtime_error&) {
            if (attempt >= attempts)
                throw;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
}

std::string makeTemporaryDirectory(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary directory");
    return pattern;
}

void cleanUpAfterExit(const std::string& cleanup) {
    const std::string watchdog = "while kill -0 " + std::to_string(::getpid()) +
                                 " 2>/dev/null; do sleep 1; done; " + cleanup;
    runCommand("setsid sh -c " + shellQuoted(watchdog) + " >/dev/null 2>&1 < /dev/null &");
}

}  // namespace kestrova::test
