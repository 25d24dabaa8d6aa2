#include "ClientChoice.h"

#include "client/DesktopPlatform.h"
#include "settings/TraceLog.h"

namespace kestrova::cli {

bool parseClientOptions(const Args& args, const std::string& command, ClientOptions& options,
                        std::ostream& err) {
    const std::string desktopOption = std::string("--") + DesktopPlatform::backendName();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--sim" && hasValue)
            options.simFile = args[++i];
        else if (args[i] == desktopOption)
            options.desktop = true;
        else if (args[i] == "--display" && hasValue)
            options.display = args[++i];
        else if (args[i] == "--glyphs" && hasValue)
            options.glyphFile = args[++i];
        else if (args[i] == "--trace" && hasValue)
            options.traceFile = args[++i];
        else {
            err << "usage: kestrova-cli " << command << " --sim LOBBY.json | " << desktopOption
                << " [--display NAME] [--glyphs FILE] [--trace FILE]\n";
            return false;
        }
    }
    if (options.desktop == !options.simFile.empty()) {
        err << command << ": give exactly one of --sim LOBBY.json and " << desktopOption << '\n';
        return false;
    }
    return true;
}

std::optional<Client> openClient(const ClientOptions& options, std::ostream& err) {
    Client client;
    if (!options.desktop) {
        if (!openSimulatedClient(options, client, err))
            return std::nullopt;
        client.clock = std::make_unique<ManualClock>();
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
