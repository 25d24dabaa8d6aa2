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
};

// False, with the usage on err, for anything else.
bool parseClientOptions(const Args& args, const std::string& command, ClientOptions& options,
                        std::ostream& err);

struct Client {
    std::unique_ptr<ClientPlatform> platform;
    std::unique_ptr<Clock> clock;
};

// The simulated lobby draws with Qt's fonts: a Qt application must exist by then.
std::optional<Client> openClient(const ClientOptions& options, std::ostream& err);

// Qt on the offscreen platform, with its start-up chatter (a missing runtime folder
// and the like) kept out of the command's error output.
void useOffscreenQt();

}  // namespace kestrova::cli
