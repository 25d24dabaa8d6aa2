#include "Commands.h"

#include "ClientChoice.h"
#include "Json.h"
#include "client/lobby/GlyphTables.h"
#include "client/lobby/TableOpener.h"
#include "common/MessageSink.h"

#include <memory>

namespace kestrova::cli {

namespace {

class ErrorStreamSink final : public MessageSink {
public:
    explicit ErrorStreamSink(std::ostream& err) : err_(err) {}
    void showMessage(const std::string& title, const std::string& text) override {
        err_ << title << ": " << text << '\n';
    }

private:
    std::ostream& err_;
};

}  // namespace

// open NAME --sim LOBBY.json | --x11 [--display NAME] [--glyphs FILE]: opens the table
// as "Open" in the main window does and prints {"opened": "NAME"}.
int runOpenCommand(const std::string& name, const ClientOptions& options, std::ostream& out,
                   std::ostream& err) {
    const std::optional<GlyphTable> glyphs = loadGlyphs(options.glyphFile, err);
    if (!glyphs)
        return 1;
    std::optional<Client> client = openClient(options, err);
    if (!client)
        return 1;

    ErrorStreamSink messages(err);
    if (openTableByName(*client->platform, *client->clock, *glyphs, name, messages) !=
        OpenResult::Opened)
        return 1;
    out << "{\"opened\": " << jsonString(name) << "}\n";
    return 0;
}

}  // namespace kestrova::cli
