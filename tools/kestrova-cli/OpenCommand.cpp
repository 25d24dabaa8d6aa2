#include "Commands.h"

#include "ClientChoice.h"
#include "Json.h"
#include "client/lobby/GlyphTables.h"
#include "client/lobby/TableOpener.h"
#include "common/MessageSink.h"

#include <QGuiApplication>

#include <memory>

namespace kestrova::cli {

namespace {

constexpr const char* kUsage =
    "usage: kestrova-cli open NAME --sim LOBBY.json | --x11 [--display NAME] [--glyphs FILE]\n";

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
int runOpenCommand(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0].starts_with("--")) {
        err << kUsage;
        return 1;
    }
    const std::string& name = args[0];
    ClientOptions options;
    if (!parseClientOptions(Args(args.begin() + 1, args.end()), "open", options, err))
        return 1;

    const GlyphTable glyphs =
        options.glyphFile.empty() ? loadGlyphTables() : GlyphTable::load(options.glyphFile);
    if (glyphs.empty()) {
        err << "no glyph table\n";
        return 1;
    }
    std::unique_ptr<QGuiApplication> app;
    if (!options.x11) {
        useOffscreenQt();
        static int argc = 1;
        static char program[] = "kestrova-cli";
        static char* argv[] = {program, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    std::optional<Client> client = openClient(options, err);
    if (!client)
        return 1;

    ErrorStreamSink messages(err);
    if (openTableByName(*client->platform, *client->clock, glyphs, name, messages) !=
        OpenResult::Opened)
        return 1;
    out << "{\"opened\": " << jsonString(name) << "}\n";
    return 0;
}

}  // namespace kestrova::cli
