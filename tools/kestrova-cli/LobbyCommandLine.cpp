// The arguments of the commands that read the lobby.
#include "ClientChoice.h"
#include "CommandLine.h"
#include "Commands.h"
#include "SessionTypes.h"

#include <CLI/CLI.hpp>

#include <climits>
#include <memory>

namespace kestrova::cli {

namespace {

// "--sim LOBBY.json [--row-delay-ms N] [--seat-delay-ms N] [--chips-delay-ms N]
//  | --x11 [--display NAME] [--trace FILE]", and "--glyphs FILE".
void addClientOptions(CLI::App& command, ClientOptions& options) {
    const std::string desktop = std::string("--") + DesktopPlatform::backendName();
    command.add_option("--sim", options.simFile, "the simulated lobby of LOBBY.json, in-process")
        ->type_name("LOBBY.json");
    command.add_flag(desktop, options.desktop, "the lobby window of the Everest client");
    command.add_option("--display", options.display, "the X display (default $DISPLAY)")
        ->type_name("NAME");
    command
        .add_option("--glyphs", options.glyphFile,
                    "the glyph table (default: ocr.txt, then ocr2.txt of the data folder)")
        ->type_name("FILE");
    command
        .add_option("--trace", options.traceFile,
                    "writes how the capture had to work around the desktop")
        ->type_name("FILE");
    addNumber(command, "--row-delay-ms", options.rowDelayMs, 0, INT_MAX,
              "the simulated lobby draws each row this late, on the command's own clock");
    addNumber(command, "--seat-delay-ms", options.seatDelayMs, 0, INT_MAX,
              "the simulated lobby draws the seat list this late");
    addNumber(command, "--chips-delay-ms", options.chipsDelayMs, 0, INT_MAX,
              "the simulated lobby draws the chips this late");
}

void requireOneClient(const ClientOptions& options) {
    if (options.desktop == !options.simFile.empty())
        throw CLI::ValidationError(std::string("give exactly one of --sim LOBBY.json and --") +
                                   DesktopPlatform::backendName());
}

void addOcrCommand(CommandLine& line) {
    CLI::App& group = line.addGroup(line.app(), "ocr", "reads a capture of the lobby window");
    auto args = std::make_shared<OcrArgs>();
    for (const bool seats : {false, true}) {
        CLI::App& command =
            line.addCommand(group, seats ? "seats" : "lobby",
                            seats ? "the seat names and chips of the selected table and the "
                                    "names on its waiting list, as JSON"
                                  : "the selected row of the table list, its waiting count too, "
                                    "as JSON",
                            [&line, args, seats] {
                                args->seats = seats;
                                return runOcrCommand(*args, line.out(), line.err());
                            });
        command.add_option("IMAGE", args->image, "the capture (PNG, BMP, ...)")->required();
        command
            .add_option("--glyphs", args->glyphFile,
                        "the glyph table (default: ocr.txt, then ocr2.txt of the data folder)")
            ->type_name("FILE");
        addNumber(command, "--child-top", args->childTop, INT_MIN, INT_MAX,
                  "the top of the table list's window in the capture");
    }
}

}  // namespace

void addLobbyCommands(CommandLine& line, const FolderSource& folder) {
    addOcrCommand(line);

    auto tables = std::make_shared<ClientOptions>();
    addClientOptions(
        line.addCommand(line.app(), "tables", "\"Get Table List\": the table list, as JSON",
                        [&line, folder, tables] {
                            requireOneClient(*tables);
                            return runTablesCommand(*tables, folder(), line.out(), line.err());
                        }),
        *tables);

    auto scan = std::make_shared<ClientOptions>();
    addClientOptions(
        line.addCommand(line.app(), "scan",
                        "\"Scan All Tables\" as the window runs it: both lists, as JSON",
                        [&line, folder, scan] {
                            requireOneClient(*scan);
                            return runScanCommand(*scan, folder(), line.out(), line.err());
                        }),
        *scan);

    auto open = std::make_shared<ClientOptions>();
    auto name = std::make_shared<std::string>();
    CLI::App& command =
        line.addCommand(line.app(), "open", "\"Open\": opens the table NAME in the client",
                        [&line, folder, open, name] {
                            requireOneClient(*open);
                            return runOpenCommand(*name, *open, folder(), line.out(), line.err());
                        });
    command.add_option("NAME", *name, "the table's name as the table list shows it")->required();
    addClientOptions(command, *open);
}

}  // namespace kestrova::cli
