// glyph-table: writes the glyph table of the simulator's font, or learns glyphs
// from a capture of the user's own client into a table file.
#include "GlyphTableBuilder.h"
#include "client/fonts/FontFinder.h"
#include "client/lobby/GlyphTables.h"
#include "client/ocr/FontLearner.h"
#include "client/ocr/GlyphTable.h"
#include "settings/SettingsStore.h"
#include "common/DataFiles.h"
#include "common/FileContents.h"
#include "sim/BitmapFont.h"
#include "sim/LobbyRenderer.h"
#include "sim/ProgramArguments.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

using kestrova::FileContents;
using kestrova::FontLearner;
using kestrova::FontLearning;
using kestrova::GlyphTable;
using kestrova::LobbyTexts;
using kestrova::TaughtGlyphs;
using kestrova::readWholeFile;
using kestrova::sim::BitmapFont;
using kestrova::sim::GlyphTableBuilder;
using kestrova::sim::LobbyRenderer;

int generate(const QString& outFile) {
    const BitmapFont font;
    GlyphTableBuilder builder(font);
    builder.build();
    std::cout << "font " << font.family().toStdString() << ", " << BitmapFont::kPixelSize
              << " px: " << GlyphTableBuilder::characterSet().size() << " characters, "
              << builder.touchingPairs() << " touching pairs, " << builder.entries().size()
              << " entries, " << builder.checkedChains() << " touching chains checked\n";
    if (!builder.problems().empty()) {
        for (const std::string& problem : builder.problems()) {
            std::cerr << "glyph-table: " << problem << '\n';
        }
        std::cerr << "glyph-table: " << builder.problems().size()
                  << " problem(s); no table written\n";
        return 1;
    }
    std::ofstream out(outFile.toStdString(), std::ios::binary | std::ios::trunc);
    out << builder.fileText();
    if (!out.flush()) {
        std::cerr << "glyph-table: cannot write " << outFile.toStdString() << '\n';
        return 1;
    }
    std::cout << "wrote " << outFile.toStdString() << '\n';
    return 0;
}

// By default the table goes where the programs read it at every start.
std::filesystem::path userTableFile(const QCommandLineParser& args) {
    return args.isSet(QStringLiteral("table"))
               ? std::filesystem::path(args.value(QStringLiteral("table")).toStdString())
               : kestrova::SettingsStore::userDataDirectory() / "ocr2.txt";
}

int learnLobby(const QCommandLineParser& args) {
    const QStringList images = args.values(QStringLiteral("learn-lobby"));
    const QStringList textFiles = args.values(QStringLiteral("texts"));
    if (images.size() != textFiles.size()) {
        std::cerr << "glyph-table: give one --texts file for every --learn-lobby screenshot\n";
        return 1;
    }
    const std::filesystem::path tableFile = userTableFile(args);
    GlyphTable known;
    std::vector<std::string> problems;
    // A table the programs read at start is among the known ones already:
    // reading it again would only hold it twice.
    bool tableKnown = false;
    if (args.isSet(QStringLiteral("known"))) {
        std::string problem;
        known.readFile(args.value(QStringLiteral("known")).toStdString(), &problem);
        problems.push_back(problem);
    } else {
        const std::filesystem::path userFolder = kestrova::SettingsStore::userDataDirectory();
        known = kestrova::loadGlyphTables(userFolder, &problems);
        std::error_code ec;
        tableKnown = std::filesystem::equivalent(tableFile, userFolder / "ocr2.txt", ec) ||
                     std::filesystem::equivalent(tableFile, kestrova::findDataFile("ocr2.txt"), ec);
    }
    std::string tableProblem;
    const TaughtGlyphs taught = TaughtGlyphs::load(tableFile, &tableProblem);
    if (!tableKnown) {
        known.readFile(tableFile);
    }
    problems.push_back(tableProblem);
    for (const std::string& problem : problems) {
        if (!problem.empty()) {
            std::cerr << "glyph-table: " << problem << '\n';
            return 1;
        }
    }
    const auto started = std::chrono::steady_clock::now();
    FontLearner learner(known, &taught);
    for (qsizetype i = 0; i < images.size(); ++i) {
        // A FIFO or device would block the reader, or feed it for ever.
        std::error_code ec;
        if (!std::filesystem::is_regular_file(images[i].toStdString(), ec)) {
            std::cerr << "glyph-table: " << images[i].toStdString()
                      << ": not a regular file\n";
            return 1;
        }
        const QImage image(images[i]);
        if (image.isNull()) {
            std::cerr << "glyph-table: cannot read the image " << images[i].toStdString() << '\n';
            return 1;
        }
        // Far above any lobby's texts.
        constexpr std::size_t kMaxTextBytes = 1024 * 1024;
        const FileContents texts = readWholeFile(textFiles[i].toStdString(), kMaxTextBytes);
        if (!texts.read()) {
            std::cerr << "glyph-table: "
                      << (texts.failed() ? texts.error
                                         : textFiles[i].toStdString() + ": no such file")
                      << '\n';
            return 1;
        }
        std::string problem;
        if (!learner.addCapture(LobbyRenderer::toImage(image), LobbyTexts::parse(texts.bytes),
                                nullptr, &problem)) {
            std::cerr << "glyph-table: " << images[i].toStdString() << ": " << problem << '\n';
            return 1;
        }
    }
    const FontLearning learning = learner.learn();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    std::cout << learning.report();
    std::string error;
    // A fresh user has no data folder yet; the window makes it too.
    std::error_code madeFolder;
    std::filesystem::create_directories(tableFile.parent_path(), madeFolder);
    if (!learning.entries.empty() &&
        !kestrova::saveLearntGlyphs(learning.entries, tableFile, false, &error)) {
        std::cerr << "glyph-table: " << error << '\n';
        return 1;
    }
    std::cout << learning.entries.size() << " entries added to " << tableFile.string() << " ("
              << took.count() << " ms)\n";
    return 0;
}

// Finds the installed font a lobby screenshot is drawn in and writes its table.
int findFont(const QCommandLineParser& args) {
    const QString file = args.value(QStringLiteral("find-font"));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file.toStdString(), ec)) {
        std::cerr << "glyph-table: " << file.toStdString() << ": not a regular file\n";
        return 1;
    }
    const QImage image(file);
    if (image.isNull()) {
        std::cerr << "glyph-table: cannot read the image " << file.toStdString() << '\n';
        return 1;
    }
    const auto started = std::chrono::steady_clock::now();
    std::string problem;
    const std::optional<kestrova::FontFit> fit =
        kestrova::FontFinder::findInstalled(LobbyRenderer::toImage(image), nullptr, &problem);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    if (!fit) {
        std::cerr << "glyph-table: " << file.toStdString() << ": " << problem << '\n';
        return 1;
    }
    const std::filesystem::path tableFile = userTableFile(args);
    std::filesystem::create_directories(tableFile.parent_path(), ec);
    std::string error;
    if (!kestrova::saveFontTable(fit->entries, tableFile, &error)) {
        std::cerr << "glyph-table: " << error << '\n';
        return 1;
    }
    std::cout << fit->facesTried << " fonts tried, " << fit->tablesDrawn << " compared whole ("
              << took.count() << " ms); " << fit->entries.size() - 1 << " glyph shapes, "
              << fit->corrected << " taken from the screenshot, written to " << tableFile.string()
              << "\nfont found: " << fit->describe() << '\n';
    return 0;
}

void describeOptions(QCommandLineParser& args) {
    args.setApplicationDescription(QStringLiteral(
        "Writes the glyph table of the simulated lobby's font, finds the installed font a "
        "screenshot of your client's lobby is drawn in and writes its table (--find-font), or "
        "learns glyphs from such a screenshot and the texts it shows (--learn-lobby with "
        "--texts)."));
    args.addOptions({
        {QStringLiteral("out"), QStringLiteral("Table file to write."), QStringLiteral("file"),
         QStringLiteral("ocr.txt")},
        {QStringLiteral("find-font"),
         QStringLiteral("Screenshot (PNG) of your client's lobby window with a row selected: "
                        "finds the installed font it is drawn in and writes that font's table "
                        "to --table."),
         QStringLiteral("image")},
        {QStringLiteral("learn-lobby"),
         QStringLiteral("Screenshot (PNG) of your client's lobby window, with a row selected; "
                        "may be given several times."),
         QStringLiteral("image")},
        {QStringLiteral("texts"),
         QStringLiteral("What the screenshot shows: the visible list rows top to bottom, one a "
                        "line, columns separated by tabs; an empty line; the seat lines, name "
                        "and chips separated by a tab."),
         QStringLiteral("file")},
        {QStringLiteral("table"),
         QStringLiteral("Table file learnt glyphs are added to, or a found font's table "
                        "replaces (default: ocr2.txt in the per-user data folder, where the "
                        "programs read it)."),
         QStringLiteral("file")},
        {QStringLiteral("known"),
         QStringLiteral("Table of glyphs already known (default: the tables the programs read)."),
         QStringLiteral("file")},
    });
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const auto answered = kestrova::sim::answerProgramArguments(
            argc, argv, "glyph-table", KESTROVA_VERSION, describeOptions, 0))
        return *answered;
    // Fonts need a GUI application, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("glyph-table"));

    QCommandLineParser args;
    describeOptions(args);
    args.addHelpOption();
    args.process(app);
    try {
        if (args.isSet(QStringLiteral("find-font"))) {
            return findFont(args);
        }
        if (args.isSet(QStringLiteral("learn-lobby"))) {
            return learnLobby(args);
        }
        return generate(args.value(QStringLiteral("out")));
    } catch (const std::exception& error) {
        std::cerr << "glyph-table: " << error.what() << '\n';
        return 1;
    }
}
