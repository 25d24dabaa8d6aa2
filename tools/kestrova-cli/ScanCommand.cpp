#include "Commands.h"

#include "Json.h"
#include "client/x11/X11Platform.h"
#include "common/Clock.h"
#include "grabber.h"
#include "sim/Lobby.h"
#include "sim/SimulatedClient.h"

#include <QApplication>
#include <QLabel>
#include <QTreeWidget>

#include <cstdio>
#include <memory>

namespace kestrova::cli {

namespace {

void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

std::string columnsJson(const QTreeWidgetItem* item, int columns)
{
    std::string out = "[";
    for (int c = 0; c < columns; ++c)
        out += (c ? ", " : "") + jsonString(item->text(c).toStdString());
    return out + "]";
}

}  // namespace

// scan --sim LOBBY.json | --x11 [--display NAME]: "Scan All Tables" exactly as the
// main window runs it (settings, db.conf, mofofish, profiles), its lists as JSON.
int runScanCommand(const Args& args, std::ostream& out, std::ostream& err)
{
    std::string simFile;
    std::string display;
    bool x11 = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--sim" && i + 1 < args.size())
            simFile = args[++i];
        else if (args[i] == "--x11")
            x11 = true;
        else if (args[i] == "--display" && i + 1 < args.size())
            display = args[++i];
        else {
            err << "usage: kestrova-cli scan --sim LOBBY.json | --x11 [--display NAME]\n";
            return 1;
        }
    }
    if (x11 == !simFile.empty()) {
        err << "scan: give exactly one of --sim LOBBY.json and --x11\n";
        return 1;
    }

    // The window is never shown; the client is reached through the platform alone.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    static int argc = 1;
    static char name[] = "kestrova-cli";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    std::unique_ptr<ClientPlatform> platform;
    std::unique_ptr<Clock> clock;
    if (x11) {
        std::string error;
        platform = X11Platform::open(display, &error);
        if (!platform) {
            err << error << '\n';
            return 1;
        }
        clock = std::make_unique<SystemClock>();
    } else {
        try {
            platform = std::make_unique<sim::SimulatedClient>(
                sim::Lobby::loadFile(QString::fromStdString(simFile)));
        } catch (const sim::LobbyError& e) {
            err << e.what() << '\n';
            return 1;
        }
        clock = std::make_unique<ManualClock>();
    }

    GrabberServices services;
    services.platform = platform.get();
    services.clock = clock.get();
    services.headless = true;
    grabber window(services);
    bool failed = false;
    window.setMessageHandler([&](const QString& title, const QString& text) {
        err << title.toStdString() << ": " << text.toStdString() << '\n';
        failed = true;
    });
    window.slot_pbFullScan();
    if (failed)
        return 1;

    const auto* tables = window.findChild<QTreeWidget*>(QStringLiteral("tableList"));
    const auto* players = window.findChild<QTreeWidget*>(QStringLiteral("wholePlayerList"));
    const auto* known = window.findChild<QLabel*>(QStringLiteral("knownPlayers"));
    out << "{\"tables\": [";
    for (int i = 0; i < tables->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = tables->topLevelItem(i);
        const ScannedTable* table = window.scanState().tables.find(row->text(0).toStdString());
        out << (i ? ",\n  " : "\n  ") << "{\"columns\": " << columnsJson(row, tables->columnCount())
            << ", \"hidden\": " << (row->isHidden() ? "true" : "false")
            << ", \"ownSeat\": " << (table && table->ownSeat ? "true" : "false") << "}";
    }
    out << "],\n \"players\": [";
    for (int i = 0; i < players->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = players->topLevelItem(i);
        out << (i ? ",\n  " : "\n  ") << "{\"columns\": " << columnsJson(row, players->columnCount())
            << ", \"hidden\": " << (row->isHidden() ? "true" : "false") << "}";
    }
    out << "],\n \"knownPlayers\": " << jsonString(known->text().toStdString()) << "}\n";
    return 0;
}

}  // namespace kestrova::cli
