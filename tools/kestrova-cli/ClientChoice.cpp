#include "ClientChoice.h"

#include "client/DesktopPlatform.h"
#include "settings/TraceLog.h"

#include <charconv>
#include <set>

namespace kestrova::cli {

namespace {

bool delay(const std::string& text, int& ms) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0)
        return false;
    ms = value;
    return true;
}

}  // namespace

bool parseClientOptions(const Args& args, const std::string& command, ClientOptions& options,
                        std::ostream& err) {
    const std::string desktopOption = std::string("--") + DesktopPlatform::backendName();
    std::set<std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        // A second lobby or display would be quietly ignored: say so instead.
        if (args[i].starts_with("--") && !given.insert(args[i]).second) {
            err << command << ": " << args[i] << " given twice\n";
            return false;
        }
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
        else if (args[i] == "--row-delay-ms" && hasValue && delay(args[i + 1], options.rowDelayMs))
            ++i;
        else if (args[i] == "--seat-delay-ms" && hasValue &&
                 delay(args[i + 1], options.seatDelayMs))
            ++i;
        else if (args[i] == "--chips-delay-ms" && hasValue &&
                 delay(args[i + 1], options.chipsDelayMs))
            ++i;
        else {
            err << "usage: kestrova-cli " << command
                << " --sim LOBBY.json [--row-delay-ms N] [--seat-delay-ms N] [--chips-delay-ms N]"
                   " | "
                << desktopOption << " [--display NAME] [--glyphs FILE] [--trace FILE]\n";
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
