#pragma once

#include <chrono>

namespace kestrova {

// Waits until the socket can be read (or written) or the deadline passes.
// True when it is ready; false on time-out or error.
bool waitForSocket(int socket, bool forWriting, std::chrono::steady_clock::time_point deadline);

}  // namespace kestrova
