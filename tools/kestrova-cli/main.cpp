// kestrova-cli: the command-line front end for scripts and power users.
#include "AggregateCommand.h"
#include "BuddiesCommand.h"
#include "Commands.h"
#include "DbCommand.h"
#include "LookupCommand.h"
#include "SettingsCommand.h"
#include "UserDataDir.h"
#include "settings/SettingsStore.h"

#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

void usage(std::ostream& out) {
    out << "Usage: kestrova-cli COMMAND [ARGUMENT...]\n"
           "\n"
           "Kestrova Everest from the command line: reads the Everest lobby, scans its\n"
           "tables and looks players up in the tracking databases, printing JSON.\n"
           "\n"
           "Commands:\n"
           "  ocr lobby IMAGE [--glyphs FILE]     the selected lobby row of a capture\n"
           "  ocr seats IMAGE [--glyphs FILE]     the seat names and chips of a capture\n"
           "  tables --sim LOBBY.json | --x11     \"Get Table List\", the table list\n"
           "  scan --sim LOBBY.json | --x11       \"Scan All Tables\", both lists\n"
           "  open NAME --sim LOBBY.json | --x11  \"Open\": opens the table NAME in the client\n"
           "  lookup NAME [--stack TEXT] [--seat TEXT]\n"
           "                                      one player from every active database\n"
           "  aggregate                           rebuilds the PokerTracker 3 aggregator tables\n"
           "  settings get KEY | set KEY VALUE | list\n"
           "                                      the settings of Velloran.ini\n"
           "  buddies list | add NAME | remove NAME\n"
           "                                      the buddy list\n"
           "  buddies import FILE.csv | export FILE.csv\n"
           "                                      the buddy list from or to a CSV file\n"
           "  db list | db remove INDEX           the tracking databases in db.conf\n"
           "  db add OPTIONS                      adds a database: --kind N --host H [--port P]\n"
           "                                      --db D --user U [--password W |\n"
           "                                      --password-stdin] [--inactive]\n"
           "  --help                              this text\n"
           "  --version                           the version\n"
           "\n"
           "Files:\n"
           "The settings are $XDG_CONFIG_HOME/kestrova/Velloran.ini (~/.config when unset);\n"
           "db.conf, mofofish, the profiles and the window's other files are in\n"
           "$XDG_DATA_HOME/kestrova (~/.local/share when unset), shared with the window.\n";
}

// The window's companion files (db.conf, mofofish, profiles): the commands
// read and write the same per-user folder, wherever they are started.
std::filesystem::path companionFolder() {
    std::error_code ec;
    const kestrova::UserDataDir data = kestrova::UserDataDir::prepare(
        kestrova::SettingsStore::userDataDirectory(), std::filesystem::current_path(ec));
    kestrova::removeKilledSaveLeftovers(data.dir, kestrova::SettingsStore::defaultPath());
    for (const std::string& line : data.traceLines())
        if (!data.created || line.rfind("Created ", 0) != 0)
            std::cerr << "kestrova-cli: " << line;
    return data.dir;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        usage(std::cerr);
        return 2;
    }
    const std::string command = argv[1];
    const kestrova::cli::Args args(argv + 2, argv + argc);
    if (command == "ocr")
        return kestrova::cli::runOcrCommand(args, std::cout, std::cerr);
    if (command == "tables")
        return kestrova::cli::runTablesCommand(args, std::cout, std::cerr);
    if (command == "settings")
        return kestrova::runSettingsCommand(args, std::cout, std::cerr);
    if (command == "scan")
        return kestrova::cli::runScanCommand(args, companionFolder(), std::cout, std::cerr);
    if (command == "open")
        return kestrova::cli::runOpenCommand(args, std::cout, std::cerr);
    if (command == "lookup")
        return kestrova::runLookupCommand(
            args, companionFolder(),
            kestrova::SettingsStore(kestrova::SettingsStore::defaultPath()), std::cout, std::cerr);
    if (command == "aggregate")
        return kestrova::runAggregateCommand(
            args, companionFolder(),
            kestrova::SettingsStore(kestrova::SettingsStore::defaultPath()), std::cout, std::cerr);
    if (command == "buddies")
        return kestrova::runBuddiesCommand(args, companionFolder(), std::cout, std::cerr);
    if (command == "db")
        return kestrova::runDbCommand(args, companionFolder(), std::cin, std::cout, std::cerr);
    if (command == "--version") {
        std::cout << "kestrova-cli " KESTROVA_VERSION "\n";
        return 0;
    }
    if (command == "--help" || command == "help") {
        usage(std::cout);
        return 0;
    }
    std::cerr << "kestrova-cli: unknown command " << command << '\n';
    usage(std::cerr);
    return 2;
}
