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
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

#include <memory>

namespace kestrova::cli {

std::optional<GlyphTable> loadGlyphs(const std::string& file, std::ostream& err) {
    std::vector<std::string> problems;
    std::optional<GlyphTable> glyphs;
    if (file.empty()) {
        glyphs = loadGlyphTables(SettingsStore::userDataDirectory(), &problems);
    } else {
        std::string problem;
        glyphs = GlyphTable::load(file, &problem);
        if (!problem.empty())
            problems.push_back(std::move(problem));
    }
    if (glyphs->empty()) {
        err << "no glyph table: " << emptyGlyphTableReason(problems, file) << '\n';
        return std::nullopt;
    }
    for (const std::string& problem : problems)
        err << "glyph table left out: " << problem << '\n';
    return glyphs;
}

// tables --sim LOBBY.json | --x11 [--display NAME]  [--glyphs FILE]
int runTablesCommand(const ClientOptions& options, std::ostream& out, std::ostream& err) {
    const std::string& glyphFile = options.glyphFile;

    const std::optional<GlyphTable> glyphs = loadGlyphs(glyphFile, err);
    if (!glyphs)
        return 1;

    std::optional<Client> client = openClient(options, err);
    if (!client)
        return 1;
    ClientPlatform& platform = *client->platform;
    Clock& clock = *client->clock;

    const SettingsStore settings(SettingsStore::defaultPath());
    const LobbyFilter filter = LobbyFilter::fromSettings(settings);
    CliObserver observer;
    PassContext context{platform, clock, *glyphs, observer, settings.read(keys::adaptivewait) == 1};
    LobbyEntryList entries;
    if (TableListPass(context).run(entries) != PassEnd::EndOfList || observer.failed())
        return 1;

    // One row a line, as before.
    out << "[";
    bool firstRow = true;
    for (const LobbyEntry& entry : tableListEntries(entries, filter)) {
        nlohmann::ordered_json row = {entry.name, entry.stakes, "0", std::to_string(entry.players),
                                      entry.averagePot};
        for (std::size_t c = row.size(); c < 13; ++c)
            row.push_back("");
        out << (firstRow ? "\n  " : ",\n  ") << jsonText(row);
        firstRow = false;
    }
    out << (firstRow ? "]\n" : "\n]\n");
    return 0;
}

}  // namespace kestrova::cli
