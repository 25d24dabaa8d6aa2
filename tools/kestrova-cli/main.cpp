// kestrova-cli: the command-line front end for scripts and power users.
#include "AggregateCommand.h"
#include "BuddiesCommand.h"
#include "Commands.h"
#include "DbCommand.h"
#include "LookupCommand.h"
#include "SettingsCommand.h"

#include <iostream>

namespace {

void usage(std::ostream& out) {
    out << "usage: kestrova-cli COMMAND ...\n"
           "  ocr lobby IMAGE [--glyphs FILE]     the selected lobby row of a capture, as JSON\n"
           "  ocr seats IMAGE [--glyphs FILE]     the seat names and chips of a capture, as JSON\n"
           "  tables --sim LOBBY.json | --x11     \"Get Table List\", the table list as JSON\n"
           "  scan --sim LOBBY.json | --x11      \"Scan All Tables\", both lists as JSON\n"
           "  open NAME --sim LOBBY.json | --x11  \"Open\": opens the table NAME in the client\n"
           "  lookup NAME [--stack TEXT] [--seat TEXT]   one player from every active database\n"
           "  aggregate                           rebuild the PokerTracker 3 aggregator tables\n"
           "  settings get KEY | set KEY VALUE | list\n"
           "  buddies list | add NAME | remove NAME | import FILE.csv | export FILE.csv\n"
           "  db list | db add --kind N --host H [--port P] --db D --user U\n"
           "     [--password W | --password-stdin] [--inactive] | db remove INDEX\n"
           "                                      the tracking databases in db.conf\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        usage(std::cerr);
        return 1;
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
        return kestrova::cli::runScanCommand(args, std::cout, std::cerr);
    if (command == "open")
        return kestrova::cli::runOpenCommand(args, std::cout, std::cerr);
    if (command == "lookup")
        return kestrova::runLookupCommand(args, std::cout, std::cerr);
    if (command == "aggregate")
        return kestrova::runAggregateCommand(args, std::cout, std::cerr);
    if (command == "buddies")
        return kestrova::runBuddiesCommand(args, std::cout, std::cerr);
    if (command == "db")
        return kestrova::runDbCommand(args, std::cin, std::cout, std::cerr);
    if (command == "--help" || command == "help") {
        usage(std::cout);
        return 0;
    }
    std::cerr << "unknown command " << command << '\n';
    usage(std::cerr);
    return 1;
}
