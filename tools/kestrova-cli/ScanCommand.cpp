#include "Commands.h"

#include "ClientChoice.h"
#include "Json.h"
#include "grabber.h"

#include <QApplication>
#include <QLabel>
#include <QTreeWidget>

namespace kestrova::cli {

namespace {

std::string columnsJson(const QTreeWidgetItem* item, int columns) {
    std::string out = "[";
    for (int c = 0; c < columns; ++c)
        out += (c ? ", " : "") + jsonString(item->text(c).toStdString());
    return out + "]";
}

}  // namespace

// scan --sim LOBBY.json | --x11 [--display NAME]: "Scan All Tables" exactly as the
// main window runs it (settings, db.conf, mofofish, profiles), its lists as JSON.
int runScanCommand(const Args& args, std::ostream& out, std::ostream& err) {
    ClientOptions options;
    if (!parseClientOptions(args, "scan", options, err))
        return 1;

    // The window is never shown; the client is reached through the platform alone.
    useOffscreenQt();
    static int argc = 1;
    static char name[] = "kestrova-cli";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    std::optional<Client> client = openClient(options, err);
    if (!client)
        return 1;

    GrabberServices services;
    services.platform = client->platform.get();
    services.clock = client->clock.get();
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
        out << (i ? ",\n  " : "\n  ")
            << "{\"columns\": " << columnsJson(row, players->columnCount())
            << ", \"hidden\": " << (row->isHidden() ? "true" : "false") << "}";
    }
    out << "],\n \"knownPlayers\": " << jsonString(known->text().toStdString()) << "}\n";
    return 0;
}

}  // namespace kestrova::cli
