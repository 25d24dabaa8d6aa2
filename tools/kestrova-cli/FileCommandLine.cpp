// The arguments of the commands on the user's files and tracking databases.
#include "AggregateCommand.h"
#include "BuddiesCommand.h"
#include "CommandLine.h"
#include "DbCommand.h"
#include "HistoryCommand.h"
#include "LookupCommand.h"
#include "SessionTypes.h"
#include "SettingsCommand.h"

#include <CLI/CLI.hpp>

#include <climits>
#include <memory>

namespace kestrova::cli {

namespace {

void addSettingsCommand(CommandLine& line, SettingsStore& settings) {
    CLI::App& group = line.addGroup(line.app(), "settings",
                                    "the settings of Velloran.ini, as the window reads them");
    line.addCommand(group, "list", "every setting as KEY=VALUE", [&line, &settings] {
        return runSettingsList(settings, line.out(), line.err());
    });
    auto key = std::make_shared<std::string>();
    auto value = std::make_shared<std::string>();
    line.addCommand(group, "get", "the value of KEY",
                    [&line, &settings, key] {
                        return runSettingsGet(settings, *key, line.out(), line.err());
                    })
        .add_option("KEY", *key, "a setting's name, in any letter case")
        ->required();
    CLI::App& set = line.addCommand(
        group, "set",
        "stores VALUE under KEY: a flag takes 0 or 1, a number key a number within its range "
        "(a value outside is refused with the range), a text anything on one line",
        [&line, &settings, key, value] {
            return runSettingsSet(settings, *key, *value, line.err());
        });
    set.add_option("KEY", *key, "a setting's name, in any letter case")->required();
    set.add_option("VALUE", *value, "the new value")->required();
}

void addBuddiesCommand(CommandLine& line, const FolderSource& folder) {
    CLI::App& group = line.addGroup(line.app(), "buddies",
                                    "the buddy list (mofofish), as the Buddylist menu edits it");
    auto argument = std::make_shared<std::string>();
    struct Verb {
        BuddiesVerb verb;
        const char* name;
        const char* description;
        const char* argument;
        const char* argumentDescription;
    };
    static constexpr Verb kVerbs[] = {
        {BuddiesVerb::List, "list", "every buddy, one a line", nullptr, nullptr},
        {BuddiesVerb::Add, "add", "adds NAME unless it is a buddy already (in any letter case)",
         "NAME", "the screen name"},
        {BuddiesVerb::Remove, "remove", "removes NAME (in any letter case)", "NAME",
         "the screen name"},
        {BuddiesVerb::Import, "import", "adds every name of a CSV file not in the list yet",
         "FILE.csv", "one name a line"},
        {BuddiesVerb::Export, "export", "writes the list to a CSV file, one name a line",
         "FILE.csv", "the file (\".csv\" is added when missing)"},
    };
    for (const Verb& verb : kVerbs) {
        CLI::App& command = line.addCommand(
            group, verb.name, verb.description, [&line, folder, argument, which = verb.verb] {
                return runBuddiesCommand(which, *argument, folder(), line.out(), line.err());
            });
        if (verb.argument != nullptr)
            command.add_option(verb.argument, *argument, verb.argumentDescription)->required();
    }
}

void addDbCommand(CommandLine& line, const FolderSource& folder) {
    CLI::App& group = line.addGroup(line.app(), "db",
                                    "the tracking databases in db.conf, as the options edit them");
    line.addCommand(group, "list", "every database as JSON, one a line, without its password",
                    [&line, folder] { return runDbList(folder(), line.out(), line.err()); });

    auto args = std::make_shared<DbAddArgs>();
    auto inactive = std::make_shared<bool>(false);
    CLI::App& add =
        line.addCommand(group, "add", "adds a database (no connection test) and prints its index",
                        [&line, folder, args, inactive] {
                            args->active = !*inactive;
                            return runDbAdd(*args, folder(), line.in(), line.out(), line.err());
                        });
    addNumber(add, "--kind", args->kind, 0, static_cast<int>(DatabaseKind::Elephant),
              "0 PokerTracker 2 (PostgreSQL), 1 Pokermanager (Firebird), 2 PokerOffice (MySQL),"
              " 3 PokerTracker 2 (Access), 4 Holdem Manager, 5 PokerTracker 3, 6 Elephant")
        .required();
    add.add_option("--host", args->host, "the server, or \"-\"")->required()->type_name("H");
    addNumber(add, "--port", args->port, 1, 65535, "the server's port (default 5432)");
    add.add_option("--db", args->database, "the database, or its file")->required()->type_name("D");
    add.add_option("--user", args->user, "the user name")->required()->type_name("U");
    CLI::Option* password =
        add.add_option("--password", args->password, "the password")->type_name("W");
    add.add_flag("--password-stdin", args->passwordFromInput,
                 "the password is the first line of standard input, so that it never shows in "
                 "the process list")
        ->excludes(password);
    add.add_flag("--inactive", *inactive, "not used until ticked Active in the options");

    auto index = std::make_shared<int>(0);
    CLI::App& remove = line.addCommand(
        group, "remove", "removes the database at INDEX (as db list numbers it)",
        [&line, folder, index] { return runDbRemove(*index, folder(), line.err()); });
    addNumber(remove, "INDEX", *index, 1, INT_MAX, "the 1-based position in the list").required();
}

void addLookupCommand(CommandLine& line, const FolderSource& folder, SettingsStore& settings) {
    auto args = std::make_shared<LookupArgs>();
    CLI::App& lookup = line.addCommand(
        line.app(), "lookup", "one player from every active database, as JSON",
        [&line, folder, &settings, args] {
            return runLookupCommand(*args, folder(), settings, line.out(), line.err());
        });
    lookup.add_option("NAME", args->name, "the screen name")->required();
    lookup.add_option("--stack", args->stack, "the stack to show (default \"-\")")
        ->type_name("TEXT");
    lookup.add_option("--seat", args->seat, "the seat to show (default \"-\")")->type_name("TEXT");
}

void addWatchCommand(CommandLine& line, const FolderSource& folder, SettingsStore& settings) {
    CLI::App& group =
        line.addGroup(line.app(), "watch", "the players and rules the scan history watches for");
    auto args = std::make_shared<WatchArgs>();
    CLI::App& add = line.addCommand(
        group, "add", "watches NAME, or adds a rule such as \"vpip >= 45 and hands >= 200\"",
        [&line, folder, &settings, args] {
            if (args->name.empty() == args->rule.empty())
                throw CLI::ValidationError("give exactly one of NAME and --rule TEXT");
            return runWatchAdd(*args, folder(), settings.path(), line.err());
        });
    add.add_option("NAME", args->name, "the screen name");
    add.add_option("--rule", args->rule,
                   "conditions on vpip, pfr, af, wtsd, hands, weak (a player's) or score, "
                   "seated (a table's), joined by \"and\"")
        ->type_name("TEXT");
    add.add_option("--note", args->note, "a note of your own")->type_name("TEXT");
    CLI::App& remove = line.addCommand(
        group, "remove", "stops watching NAME, or removes the rule of --rule ID",
        [&line, folder, &settings, args] {
            if (args->name.empty() == !args->ruleId.has_value())
                throw CLI::ValidationError("give exactly one of NAME and --rule ID");
            return runWatchRemove(*args, folder(), settings.path(), line.err());
        });
    remove.add_option("NAME", args->name, "the screen name, in any letter case");
    remove.add_option("--rule", args->ruleId, "the rule's id, as watch list shows it")
        ->type_name("ID");
    line.addCommand(group, "list", "the watched players and the rules, as JSON",
                    [&line, folder, &settings] {
                        return runWatchList(folder(), settings.path(), line.out(), line.err());
                    });
}

void addHistoryCommand(CommandLine& line, const FolderSource& folder, SettingsStore& settings) {
    CLI::App& group = line.addGroup(line.app(), "history",
                                    "what the passes read over time, as JSON (times in UTC)");
    auto args = std::make_shared<HistoryArgs>();
    struct View {
        HistoryView view;
        const char* name;
        const char* description;
    };
    static constexpr View kViews[] = {
        {HistoryView::Tables, "tables", "every table read, the most recently seen first"},
        {HistoryView::Table, "table",
         "every visit of table NAME: seated, waiting, pot, figures, score"},
        {HistoryView::Player, "player",
         "every sighting of player NAME, seated or waiting, the newest first"},
    };
    for (const View& view : kViews) {
        CLI::App& command = line.addCommand(
            group, view.name, view.description,
            [&line, folder, &settings, args, which = view.view] {
                args->view = which;
                return runHistoryCommand(*args, folder(), settings.path(), line.out(), line.err());
            });
        if (view.view != HistoryView::Tables)
            command.add_option("NAME", args->name, "the name")->required();
        command.add_option("--since", args->since, "only what was read from then on")
            ->type_name("ISO-TIME");
    }
    auto days = std::make_shared<int>(0);
    CLI::App& keep = line.addCommand(
        group, "keep", "how many days the shared history keeps what every scanner read",
        [&line, folder, &settings, days] {
            return runHistoryKeep(*days, folder(), settings.path(), line.err());
        });
    addNumber(keep, "DAYS", *days, 1, INT_MAX, "the days to keep").required();
}

}  // namespace

void addFileCommands(CommandLine& line, const FolderSource& folder, SettingsStore& settings) {
    addLookupCommand(line, folder, settings);
    line.addCommand(line.app(), "aggregate", "rebuilds the PokerTracker 3 aggregator tables",
                    [&line, folder, &settings] {
                        return runAggregateCommand(folder(), settings, line.out(), line.err());
                    });
    addSettingsCommand(line, settings);
    addBuddiesCommand(line, folder);
    addDbCommand(line, folder);
    addWatchCommand(line, folder, settings);
    addHistoryCommand(line, folder, settings);
}

}  // namespace kestrova::cli
