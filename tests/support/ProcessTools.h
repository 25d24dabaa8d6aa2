#pragma once

#include <functional>
#include <string>

namespace kestrova::test {

// Small helpers for the test servers.
std::string shellQuoted(const std::string& text);
// Runs a shell command and returns its output; throws with the output on failure.
std::string runCommand(const std::string& command);
// A TCP port on 127.0.0.1 that nothing listens on right now.
int freeLoopbackPort();
// A socket listening on 127.0.0.1 at a free port, which goes to `port`.
int listenOnLoopback(int& port);
// Sends SIGTERM to `pid` and waits up to ten seconds for it to end.
void stopProcess(long pid);
// Calls `step` until it no longer throws std::runtime_error, 100 ms apart;
// rethrows after `attempts` tries.
void retryUntilDone(int attempts, const std::function<void()>& step);
// A new directory under the temporary directory, named after prefix.
std::string makeTemporaryDirectory(const std::string& prefix);
// Starts a detached shell that runs `cleanup` once this process is gone,
// however it ended.
void cleanUpAfterExit(const std::string& cleanup);

}  // namespace kestrova::test
