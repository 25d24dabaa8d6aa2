#pragma once

#include <QCoreApplication>

class QAction;
class QMenuBar;

namespace kestrova {

struct AppSettings;

// The main window's menu bar: "Main", "Tables", "Buddylist", "Update", "PT3
// Aggregator", "HUD" and "Help", each with its mnemonic. The window connects the
// actions to its commands.
struct MainMenus {
    Q_DECLARE_TR_FUNCTIONS(MainMenus)

public:
    // The passes and "Open", with their shortcuts: F5, Ctrl+R, Return on the
    // table list (the window adds that action to the list), Esc.
    QAction* getTableList = nullptr;
    QAction* scanSelected = nullptr;
    QAction* scanAll = nullptr;
    QAction* open = nullptr;
    QAction* cancelPass = nullptr;
    QAction* options = nullptr;
    QAction* teachFont = nullptr;
    QAction* history = nullptr;
    QAction* watchList = nullptr;
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
    QAction* userGuide = nullptr;  // F1
    QAction* keys = nullptr;
    QAction* about = nullptr;

    static MainMenus build(QMenuBar& bar, const AppSettings& settings);
};

}  // namespace kestrova
