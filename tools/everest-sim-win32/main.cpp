// everest-sim-win32: the simulated Everest Poker lobby as a plain Win32 program
// (for the Win32 backend, under Wine), or (--glyph-table) the glyph table of
// its font.
#include "GdiFont.h"
#include "LobbyFile.h"
#include "LobbyWindows.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

int usage() {
    std::cerr << "usage: everest-sim-win32 LOBBY.json [--log FILE]\n"
                 "       everest-sim-win32 --glyph-table OUT.txt\n";
    return 1;
}

int writeGlyphTable(const std::string& outFile) {
    const kestrova::sim::GdiFont font;
    std::vector<std::string> problems;
    const std::string table = font.glyphTable(problems);
    for (const std::string& problem : problems)
        std::cerr << "everest-sim-win32: " << problem << '\n';
    if (!problems.empty())
        return 1;
    std::ofstream out(outFile, std::ios::binary | std::ios::trunc);
    out << table;
    if (!out.flush()) {
        std::cerr << "everest-sim-win32: cannot write " << outFile << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--glyph-table")
        return writeGlyphTable(args[1]);
    if (args.empty() || args[0].starts_with("--"))
        return usage();
    std::string logFile;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (args[i] != "--log" || i + 1 >= args.size())
            return usage();
        logFile = args[i + 1];
    }
    std::vector<kestrova::sim::LobbyTable> tables;
    try {
        tables = kestrova::sim::loadLobbyFile(args[0]);
    } catch (const std::exception& e) {
        std::cerr << "everest-sim-win32: " << e.what() << '\n';
        return 1;
    }
    kestrova::sim::LobbyWindows windows(std::move(tables), logFile);
    if (!windows.create()) {
        std::cerr << "everest-sim-win32: cannot create the lobby windows\n";
        return 1;
    }
    return windows.run();
}
