#include "common/SocketWait.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

namespace kestrova {

bool waitForSocket(int socket, bool forWriting, std::chrono::steady_clock::time_point deadline) {
    if (socket < 0)
        return false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd entry{socket, static_cast<short>(forWriting ? POLLOUT : POLLIN), 0};
        const int ready =
            ::poll(&entry, 1, static_cast<int>(std::min<long long>(left.count(), 60'000)));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

}  // namespace kestrova
