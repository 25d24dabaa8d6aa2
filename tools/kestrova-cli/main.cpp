// kestrova-cli: the command-line front end for scripts and power users.
#include "CommandLine.h"
#include "SessionTypes.h"
#include "UserDataDir.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

// The window's companion files (db.conf, mofofish, profiles): the commands
// read and write the same per-user folder, wherever they are started.
std::filesystem::path companionFolder() {
    std::error_code ec;
    const kestrova::UserDataDir data =
        kestrova::UserDataDir::prepareForUser(std::filesystem::current_path(ec));
    for (const std::string& line : data.traceLines())
        if (!data.created || line.rfind("Created ", 0) != 0)
            std::cerr << "kestrova-cli: " << line;
    return data.dir;
}

}  // namespace

int main(int argc, char* argv[]) {
    kestrova::SettingsStore settings(kestrova::SettingsStore::defaultPath());
    kestrova::cli::CommandLine line(std::cin, std::cout, std::cerr);
    line.setVersion("kestrova-cli " KESTROVA_VERSION);
    kestrova::cli::addLobbyCommands(line, companionFolder);
    kestrova::cli::addFileCommands(line, companionFolder, settings);
    return line.run(std::vector<std::string>(argv + 1, argv + argc));
}
