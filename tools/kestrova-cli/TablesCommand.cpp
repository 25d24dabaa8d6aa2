#include "Commands.h"

#include "CliObserver.h"
#include "Json.h"
#include "client/lobby/GlyphTables.h"
#include "client/x11/X11Platform.h"
#include "common/Clock.h"
#include "scan/LobbyFilter.h"
#include "scan/PassContext.h"
#include "scan/TableListPass.h"
#include "scan/TableListRows.h"
#include "settings/SettingsStore.h"
#include "sim/Lobby.h"
#include "sim/SimulatedClient.h"

#include <QGuiApplication>

#include <cstdio>

#include <memory>

namespace {

// Qt's start-up chatter (a missing runtime folder and the like) would mix into the
// command's error output; only real failures get through.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

namespace kestrova::cli {

// tables --sim LOBBY.json | --x11 [--display NAME]  [--glyphs FILE]
int runTablesCommand(const Args& args, std::ostream& out, std::ostream& err)
{
    std::string simFile;
    std::string display;
    std::string glyphFile;
    bool x11 = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--sim" && hasValue)
            simFile = args[++i];
        else if (args[i] == "--x11")
            x11 = true;
        else if (args[i] == "--display" && hasValue)
            display = args[++i];
        else if (args[i] == "--glyphs" && hasValue)
            glyphFile = args[++i];
        else {
            err << "usage: kestrova-cli tables --sim LOBBY.json | --x11 [--display NAME] "
                   "[--glyphs FILE]\n";
            return 1;
        }
    }
    if (x11 == !simFile.empty()) {
        err << "tables: give exactly one of --sim LOBBY.json and --x11\n";
        return 1;
    }

    const GlyphTable glyphs = glyphFile.empty() ? loadGlyphTables() : GlyphTable::load(glyphFile);
    if (glyphs.empty()) {
        err << "no glyph table\n";
        return 1;
    }

    std::unique_ptr<QGuiApplication> app;
    std::unique_ptr<ClientPlatform> platform;
    std::unique_ptr<Clock> clock;
    if (x11) {
        std::string error;
        platform = X11Platform::open(display, &error);
        if (!platform) {
            err << error << '\n';
            return 1;
        }
        clock = std::make_unique<SystemClock>();
    } else {
        // The simulated client draws with Qt's font renderer, which needs an application.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQtMessages);
        static int argc = 1;
        static char name[] = "kestrova-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
        try {
            platform = std::make_unique<sim::SimulatedClient>(
                sim::Lobby::loadFile(QString::fromStdString(simFile)));
        } catch (const sim::LobbyError& e) {
            err << e.what() << '\n';
            return 1;
        }
        clock = std::make_unique<ManualClock>();
    }

    const SettingsStore settings(SettingsStore::defaultPath());
    const LobbyFilter filter = LobbyFilter::fromSettings(settings);
    CliObserver observer;
    PassContext context{*platform, *clock, glyphs, observer};
    LobbyEntryList entries;
    if (!TableListPass(context).run(entries) || observer.failed())
        return 1;

    out << "[";
    bool firstRow = true;
    for (const TableRowTexts& row : tableListRows(entries, filter)) {
        out << (firstRow ? "\n  [" : ",\n  [");
        firstRow = false;
        for (std::size_t c = 0; c < row.size(); ++c)
            out << (c ? ", " : "") << jsonString(row[c]);
        out << "]";
    }
    out << (firstRow ? "]\n" : "\n]\n");
    return 0;
}

}  // namespace kestrova::cli
