#include "Commands.h"

#include "CaptureReading.h"
#include "HeadlessSession.h"
#include "Json.h"
#include "RowFields.h"

#include <nlohmann/json.hpp>

#include <memory>

namespace kestrova::cli {

std::optional<GlyphTable> loadGlyphs(const std::string& file, std::ostream& err) {
    std::vector<std::string> problems;
    std::optional<GlyphTable> glyphs;
    if (file.empty()) {
        glyphs = userGlyphTables(&problems);
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

// tables --sim LOBBY.json | --x11 [--display NAME] [--glyphs FILE]: "Get Table List"
// as the main window runs it (its settings and lobby filter): each table's
// columns and named fields as JSON.
int runTablesCommand(const ClientOptions& options, const std::filesystem::path& directory,
                     std::ostream& out, std::ostream& err) {
    const std::unique_ptr<HeadlessSession> headless =
        HeadlessSession::open(options, directory, err);
    if (!headless)
        return 1;
    const bool finished = headless->finishPass(headless->session().passes().getTableList());
    if (!finished && !headless->partial())
        return 1;

    // One table a line.
    out << "[";
    bool firstRow = true;
    Session& session = headless->session();
    for (const TableRow& row : session.lists().tables().rows()) {
        nlohmann::ordered_json table = {{"columns", columnTextsOf(row)}};
        addListedFields(table, session.passes().scanState(), row);
        out << (firstRow ? "\n  " : ",\n  ") << jsonText(table);
        firstRow = false;
    }
    out << (firstRow ? "]\n" : "\n]\n");
    return finished ? 0 : 1;
}

}  // namespace kestrova::cli
