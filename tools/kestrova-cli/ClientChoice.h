#pragma once

#include "SessionTypes.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace kestrova::cli {

// Which client a lobby command drives: "--sim LOBBY.json" (the in-process simulated
// lobby, no real waits; not in the Windows build) or the desktop's real lobby
// window: "--x11 [--display NAME]" or, on Windows, "--win32".
struct ClientOptions {
    std::string simFile;
    std::string display;
    std::string glyphFile;  // "--glyphs FILE"
    std::string traceFile;  // "--trace FILE": how the backend had to work around the desktop
    bool desktop = false;
    // "--row-delay-ms N", "--seat-delay-ms N", "--chips-delay-ms N": the simulated
    // lobby draws late, on the command's virtual clock.
    int rowDelayMs = 0;
    int seatDelayMs = 0;
    int chipsDelayMs = 0;
};

struct Client {
    // The simulated lobby draws with Qt's fonts, on the offscreen platform.
    std::shared_ptr<void> qtApplication;
    std::unique_ptr<ClientPlatform> platform;
    std::unique_ptr<Clock> clock;
};

std::optional<Client> openClient(const ClientOptions& options, std::ostream& err);

// The in-process simulated lobby of options.simFile on a virtual clock; false
// after telling err why.
bool openSimulatedClient(const ClientOptions& options, Client& client, std::ostream& err);

}  // namespace kestrova::cli
