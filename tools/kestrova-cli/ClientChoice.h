#pragma once

#include "Commands.h"
#include "client/ClientPlatform.h"
#include "common/Clock.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace kestrova::cli {

// Which client a lobby command drives: "--sim LOBBY.json" (the in-process simulated
// lobby, no real waits) or "--x11 [--display NAME]" (a real lobby window).
struct ClientOptions {
    std::string simFile;
    std::string display;
    std::string glyphFile;  // "--glyphs FILE"
    bool x11 = false;
    // "--row-delay-ms N", "--seat-delay-ms N", "--chips-delay-ms N": the simulated
    // lobby draws late, on the command's virtual clock.
    int rowDelayMs = 0;
    int seatDelayMs = 0;
    int chipsDelayMs = 0;
};

// False, with the usage on err, for anything else.
bool parseClientOptions(const Args& args, const std::string& command, ClientOptions& options,
                        std::ostream& err);

struct Client {
    // The simulated lobby draws with Qt's fonts, on the offscreen platform.
    std::shared_ptr<void> qtApplication;
    std::unique_ptr<ClientPlatform> platform;
    std::unique_ptr<Clock> clock;
};

std::optional<Client> openClient(const ClientOptions& options, std::ostream& err);

}  // namespace kestrova::cli
