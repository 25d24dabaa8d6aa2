#include "Commands.h"

#include "HeadlessSession.h"
#include "Json.h"

#include <memory>

namespace kestrova::cli {

// open NAME --sim LOBBY.json | --x11 [--display NAME] [--glyphs FILE]: opens the table
// as "Open" in the main window does and prints {"opened": "NAME"}.
int runOpenCommand(const std::string& name, const ClientOptions& options,
                   const std::filesystem::path& directory, std::ostream& out, std::ostream& err) {
    const std::unique_ptr<HeadlessSession> headless =
        HeadlessSession::open(options, directory, err);
    // "Open" tells every failure but a cancel, and nothing cancels here.
    if (!headless || !headless->finishPass(headless->session().passes().openTable(name)))
        return 1;
    out << "{\"opened\": " << jsonString(name) << "}\n";
    return 0;
}

}  // namespace kestrova::cli
