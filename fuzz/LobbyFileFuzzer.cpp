// The simulator's lobby file: any bytes either load as a lobby that keeps the
// file's promises (every table named, every count from 0 to 1000) or fail with
// a LobbyError naming the file; nothing else escapes. A lobby that loads is
// drawn once, as everest-sim would show it, with its first row selected.
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzCheck.h"
#include "sim/BitmapFont.h"
#include "sim/Lobby.h"
#include "sim/LobbyRenderer.h"
#include "sim/LobbyState.h"

namespace {

bool blank(const std::string& text) {
    return QString::fromStdString(text).trimmed().isEmpty();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The renderer rasterises glyphs with Qt's fonts. Never destroyed: at exit
    // Qt's own statics are gone before a static application object would be.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kestrova::sim;
    const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Lobby lobby;
    try {
        lobby = Lobby::parse(json, QStringLiteral("lobby.json"));
    } catch (const LobbyError& error) {
        FUZZ_CHECK(std::string(error.what()).starts_with("lobby.json: "));
        return 0;
    }
    for (const LobbyTable& table : lobby.tables()) {
        FUZZ_CHECK(!blank(table.name));
        for (const int count : {table.seated, table.seats, table.waiting})
            FUZZ_CHECK(count >= 0 && count <= 1000);
        for (const SeatedPlayer& player : table.players)
            FUZZ_CHECK(!blank(player.name));
        for (const std::string& waiting : table.waitlist)
            FUZZ_CHECK(!blank(waiting));
    }
    // Drawing is the costly part; a lobby of a few tables covers every cell.
    if (lobby.size() <= 4) {
        static const BitmapFont font;
        static const LobbyRenderer renderer(font);
        const LobbyState state(lobby.size());
        const QImage image = renderer.render(lobby, state);
        FUZZ_CHECK(image.width() == LobbyRenderer::kWindowWidth &&
                   image.height() == LobbyRenderer::kWindowHeight);
    }
    return 0;
}
