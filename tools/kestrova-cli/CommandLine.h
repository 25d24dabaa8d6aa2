#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace kestrova {
class SettingsStore;
}

namespace kestrova::cli {

// kestrova-cli's arguments: one parser for every command, so that usage, errors
// and --help look alike everywhere. Each command adds its arguments and the work
// to run once they are parsed.
class CommandLine {
public:
    CommandLine(std::istream& in, std::ostream& out, std::ostream& err);
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // Parses `args` (the words after the program's name) and runs the command
    // they name, giving its exit status: 0 after --help or --version, and 2
    // after a usage error, told on err in one line with the usage and a hint to
    // --help. An option may be given once.
    int run(const std::vector<std::string>& args);

    // What --version prints.
    void setVersion(const std::string& text);

    CLI::App& app() { return *app_; }
    // A command under `parent` (app() or a group) whose `work` runs when it is
    // chosen. The work may still refuse its arguments by throwing a
    // CLI::ParseError before it has done anything.
    CLI::App& addCommand(CLI::App& parent, const std::string& name, const std::string& description,
                         std::function<int()> work);
    // A command made of commands, one of which must follow it.
    CLI::App& addGroup(CLI::App& parent, const std::string& name, const std::string& description);

    std::istream& in() { return in_; }
    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }

private:
    std::unique_ptr<CLI::App> app_;
    std::function<int()> chosen_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
};

// An option (or, for a name without dashes, a positional argument) taking a
// whole decimal number from minimum to maximum. CLI11's own conversion would
// also take "0x10" and read "010" as octal.
CLI::Option& addNumber(CLI::App& command, const std::string& name, int& value, int minimum,
                       int maximum, const std::string& description);

// The folder of the user's companion files, asked for only by the commands that
// use it: preparing it may move an older release's files into it.
using FolderSource = std::function<std::filesystem::path()>;

// ocr, tables, scan and open: the commands that read the lobby.
void addLobbyCommands(CommandLine& line, const FolderSource& folder);
// settings, buddies, db, lookup and aggregate: the user's files and databases.
void addFileCommands(CommandLine& line, const FolderSource& folder, SettingsStore& settings);

}  // namespace kestrova::cli
