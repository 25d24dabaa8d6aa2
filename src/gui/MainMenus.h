#pragma once

class QAction;
class QMenuBar;

namespace kestrova {
struct AppSettings;
}

// The main window's menu bar: "Main", "Buddylist", "Update", "PT3 Aggregator" and "HUD".
// The window connects the actions to its commands.
struct MainMenus {
    QAction* options = nullptr;
    QAction* teachFont = nullptr;
    QAction* about = nullptr;
    QAction* exit = nullptr;
    QAction* showBuddies = nullptr;
    QAction* addBuddy = nullptr;
    QAction* importBuddies = nullptr;
    QAction* csvImport = nullptr;
    QAction* csvExport = nullptr;
    QAction* checkUpdate = nullptr;  // checkable
    QAction* download = nullptr;
    QAction* updateAggregator = nullptr;
    QAction* useAggregator = nullptr;  // checkable
    QAction* aggregatorHelp = nullptr;
    QAction* layoutManager = nullptr;

    static MainMenus build(QMenuBar& bar, const kestrova::AppSettings& settings);
};
