// everest-sim: the simulated Everest Poker lobby on the X display, or (--render)
// the image a capture of its lobby window would give, written without a display.
#include "LobbyWindow.h"
#include "sim/BitmapFont.h"
#include "sim/Lobby.h"
#include "sim/LobbyRenderer.h"
#include "sim/LobbyState.h"
#include "sim/ProgramArguments.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstring>
#include <exception>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <utility>

namespace {

using kestrova::sim::BitmapFont;
using kestrova::sim::Lobby;
using kestrova::sim::LobbyRenderer;
using kestrova::sim::LobbyState;

bool wantsRender(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--render") == 0) {
            return true;
        }
    }
    return false;
}

// The lobby's font: the simulator's own, or --font at --pixel-size.
std::unique_ptr<BitmapFont> lobbyFont(const QCommandLineParser& args) {
    if (!args.isSet(QStringLiteral("font"))) {
        return std::make_unique<BitmapFont>();
    }
    bool ok = false;
    const int size = args.value(QStringLiteral("pixel-size")).toInt(&ok);
    if (!ok) {
        throw std::runtime_error("--pixel-size needs a number");
    }
    BitmapFont::Style style;
    style.kerning = args.isSet(QStringLiteral("kerning"));
    style.antialias = args.isSet(QStringLiteral("antialias"));
    return std::make_unique<BitmapFont>(args.value(QStringLiteral("font")), size, style);
}

int render(const Lobby& lobby, const QCommandLineParser& args) {
    bool ok = false;
    const int row = args.value(QStringLiteral("select")).toInt(&ok);
    const QString out = args.value(QStringLiteral("out"));
    if (!ok || row < 0 || out.isEmpty()) {
        std::cerr << "everest-sim: --render needs --select ROW (0-based) and --out FILE.png\n";
        return 1;
    }
    if (row >= lobby.size()) {
        std::cerr << "everest-sim: row " << row << " does not exist; the lobby has " << lobby.size()
                  << " tables\n";
        return 1;
    }
    const std::unique_ptr<BitmapFont> font = lobbyFont(args);
    const LobbyRenderer renderer(*font);
    LobbyState state(lobby.size());
    state.select(row);
    if (!renderer.render(lobby, state).save(out, "PNG")) {
        std::cerr << "everest-sim: cannot write " << out.toStdString() << '\n';
        return 1;
    }
    return 0;
}

// The lobby file, found before the application exists so that a bad file is
// reported even where no display could be opened.
QString lobbyArgument(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--select") == 0 || std::strcmp(argv[i], "--out") == 0 ||
            std::strcmp(argv[i], "--at") == 0 || std::strcmp(argv[i], "--font") == 0 ||
            std::strcmp(argv[i], "--pixel-size") == 0 || std::strcmp(argv[i], "--row-delay-ms") == 0 ||
            std::strcmp(argv[i], "--seat-delay-ms") == 0 ||
            std::strcmp(argv[i], "--chips-delay-ms") == 0) {
            ++i;
        } else if (argv[i][0] != '-') {
            return QString::fromLocal8Bit(argv[i]);
        }
    }
    return {};
}

void describeOptions(QCommandLineParser& args) {
    args.setApplicationDescription(QStringLiteral("A simulated Everest Poker lobby."));
    args.addPositionalArgument(QStringLiteral("lobby"), QStringLiteral("Lobby file (JSON)."));
    args.addOptions({
        {QStringLiteral("render"), QStringLiteral("Write the lobby window's image and exit.")},
        {QStringLiteral("select"), QStringLiteral("Selected row for --render (0-based)."),
         QStringLiteral("row"), QStringLiteral("0")},
        {QStringLiteral("out"), QStringLiteral("PNG file for --render."), QStringLiteral("file")},
        {QStringLiteral("at"), QStringLiteral("Screen position of the lobby window."),
         QStringLiteral("x,y")},
        {QStringLiteral("font"),
         QStringLiteral("Draw the lobby with this installed font family (no antialiasing)."),
         QStringLiteral("family")},
        {QStringLiteral("kerning"),
         QStringLiteral("Set --font's letter pairs as its kerning table says: neighbours may "
                        "overlap.")},
        {QStringLiteral("antialias"),
         QStringLiteral("Draw --font with grey smoothing, as Windows and Wine do when font "
                        "smoothing is on.")},
        {QStringLiteral("pixel-size"), QStringLiteral("Pixel size of --font."), QStringLiteral("n"),
         QStringLiteral("11")},
        {QStringLiteral("row-delay-ms"),
         QStringLiteral("The highlight moves this many ms after a key."), QStringLiteral("ms"),
         QStringLiteral("0")},
        {QStringLiteral("seat-delay-ms"),
         QStringLiteral("The new table's seat list appears this many ms after the highlight."),
         QStringLiteral("ms"), QStringLiteral("0")},
        {QStringLiteral("chips-delay-ms"),
         QStringLiteral("Chip counts appear this many ms after the names."), QStringLiteral("ms"),
         QStringLiteral("0")},
    });
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const auto answered = kestrova::sim::answerProgramArguments(
            argc, argv, "everest-sim", KESTROVA_VERSION, describeOptions, 1))
        return *answered;
    const bool renderOnly = wantsRender(argc, argv);
    Lobby lobby;
    if (const QString file = lobbyArgument(argc, argv); !file.isEmpty()) {
        try {
            lobby = Lobby::loadFile(file);
        } catch (const std::exception& error) {
            std::cerr << "everest-sim: " << error.what() << '\n';
            return 1;
        }
    }
    std::unique_ptr<QGuiApplication> app;
    if (renderOnly) {
        // A render must work without any display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QApplication>(argc, argv);
    }
    QGuiApplication::setApplicationName(QStringLiteral("everest-sim"));

    QCommandLineParser args;
    describeOptions(args);
    args.addHelpOption();
    args.process(*app);
    try {
        if (renderOnly) {
            return render(lobby, args);
        }
        kestrova::sim::ClientLatency latency;
        const std::pair<const char*, int*> delays[] = {{"row-delay-ms", &latency.rowDelayMs},
                                                       {"seat-delay-ms", &latency.seatDelayMs},
                                                       {"chips-delay-ms", &latency.chipsDelayMs}};
        for (const auto& [name, value] : delays) {
            bool ok = false;
            *value = args.value(QString::fromLatin1(name)).toInt(&ok);
            if (!ok || *value < 0) {
                std::cerr << "everest-sim: --" << name
                          << " needs a whole number of ms, 0 or more\n";
                return 1;
            }
        }
        const std::unique_ptr<BitmapFont> font = lobbyFont(args);
        kestrova::sim::LobbyWindow window(lobby, *font, latency);
        if (args.isSet(QStringLiteral("at"))) {
            const QStringList at = args.value(QStringLiteral("at")).split(QLatin1Char(','));
            if (at.size() == 2)
                window.move(at[0].toInt(), at[1].toInt());
        }
        window.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::cerr << "everest-sim: " << error.what() << '\n';
        return 1;
    }
}
