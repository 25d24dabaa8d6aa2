#include "Commands.h"

#include "CliObserver.h"
#include "ClientChoice.h"
#include "Json.h"
#include "client/lobby/GlyphTables.h"
#include "common/Clock.h"
#include "scan/LobbyFilter.h"
#include "scan/PassContext.h"
#include "scan/TableListPass.h"
#include "scan/TableListRows.h"
#include "settings/SettingsStore.h"

#include <memory>

namespace kestrova::cli {

// tables --sim LOBBY.json | --x11 [--display NAME]  [--glyphs FILE]
int runTablesCommand(const Args& args, std::ostream& out, std::ostream& err) {
    ClientOptions options;
    if (!parseClientOptions(args, "tables", options, err))
        return 1;
    const std::string& glyphFile = options.glyphFile;

    const GlyphTable glyphs = glyphFile.empty() ? loadGlyphTables() : GlyphTable::load(glyphFile);
    if (glyphs.empty()) {
        err << "no glyph table\n";
        return 1;
    }

    std::optional<Client> client = openClient(options, err);
    if (!client)
        return 1;
    ClientPlatform& platform = *client->platform;
    Clock& clock = *client->clock;

    const SettingsStore settings(SettingsStore::defaultPath());
    const LobbyFilter filter = LobbyFilter::fromSettings(settings);
    CliObserver observer;
    PassContext context{platform, clock, glyphs, observer};
    LobbyEntryList entries;
    if (TableListPass(context).run(entries) != PassEnd::EndOfList || observer.failed())
        return 1;

    out << "[";
    bool firstRow = true;
    for (const LobbyEntry& entry : tableListEntries(entries, filter)) {
        out << (firstRow ? "\n  [" : ",\n  [");
        firstRow = false;
        const std::string row[] = {entry.name, entry.stakes, "0", std::to_string(entry.players),
                                   entry.averagePot};
        for (std::size_t c = 0; c < std::size(row); ++c)
            out << (c ? ", " : "") << jsonString(row[c]);
        for (std::size_t c = std::size(row); c < 13; ++c)
            out << ", \"\"";
        out << "]";
    }
    out << (firstRow ? "]\n" : "\n]\n");
    return 0;
}

}  // namespace kestrova::cli
