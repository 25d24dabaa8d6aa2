#include "ClientChoice.h"

#include "client/DesktopPlatform.h"
#include "settings/TraceLog.h"

namespace kestrova::cli {

std::optional<Client> openClient(const ClientOptions& options, std::ostream& err) {
    Client client;
    if (!options.desktop) {
        if (!openSimulatedClient(options, client, err))
            return std::nullopt;
        return client;
    }
    DesktopPlatform::Trace trace;
    if (!options.traceFile.empty())
        trace = [log = TraceLog(options.traceFile)](const std::string& line) { log.append(line); };
    DesktopPlatform desktop = DesktopPlatform::open(options.display, std::move(trace));
    if (!desktop.platform) {
        err << desktop.problem << '\n';
        return std::nullopt;
    }
    client.platform = std::move(desktop.platform);
    client.clock = std::make_unique<SystemClock>();
    return client;
}

}  // namespace kestrova::cli
