#include "ClientChoice.h"

#include "Commands.h"
#include "HeadlessSession.h"

#include "SessionTypes.h"

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

std::unique_ptr<HeadlessSession> HeadlessSession::open(const ClientOptions& options,
                                                       const std::filesystem::path& directory,
                                                       std::ostream& err) {
    std::optional<GlyphTable> glyphs = loadGlyphs(options.glyphFile, err);
    if (!glyphs)
        return nullptr;
    std::optional<Client> client = openClient(options, err);
    if (!client)
        return nullptr;
    auto headless = std::make_unique<HeadlessSession>(std::move(*client), std::move(*glyphs),
                                                      directory, err, false, std::filesystem::path(),
                                                      options.glyphFile.empty());
    if (headless->failed())
        return nullptr;
    return headless;
}

}  // namespace kestrova::cli
