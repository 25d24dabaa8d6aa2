#pragma once

#include "client/ClientPlatform.h"

#include <string>

namespace kestrova {

class ClientWaits;

// The walk's Down keys. A busy client handles a key late; a second key sent
// before the first has shown would be handled together with it and move past a
// row that is never read. So Down is sent again only once the last one has
// shown; until then the walk reads the row again.
class DownKeys final {
public:
    // After each read of the highlighted row.
    void read(const ClientWaits& waits, const std::string& selectedName);
    // Sends Down unless the last one is still on its way.
    void press(ClientPlatform& platform, WindowId listWindow);
    // The row just read is the one read before it although the list changed:
    // the old row still highlighted, not the end of the list.
    bool stale() const { return stale_; }

private:
    std::string lastName_;
    bool sent_ = false;
    bool pending_ = false;
    bool stale_ = false;
};

}  // namespace kestrova
