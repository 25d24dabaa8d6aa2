#pragma once

#include "gui/options/DBTab.h"
#include "gui/widgets/UserPrompts.h"

#include <QDialog>

#include <filesystem>

class QTabWidget;

namespace kestrova {

class CloseTab;
class DisplayTab;
class GeneralTab;
class LimitTab;
class OpenTab;
class ProfilTab;
class SettingsStore;

// The "Options" dialog: the pages "General", "Databases", "Profile" and
// "Display", and the hidden pages of the hand-history datamining (Open, Close,
// Limit). Every page reads its settings when the dialog is built; "OK" writes
// all of them, "Cancel" nothing. A new dialog is built for every opening.
class TabDialog final : public QDialog {
    Q_OBJECT

public:
    struct Services {
        std::filesystem::path directory;  // the companion files
        int clientKind = 5;
        UserPrompts prompts;
        DBTab::Services databases;  // its prompts are taken from above
    };

    TabDialog(SettingsStore& settings, Services services, QWidget* parent = nullptr);
    ~TabDialog() override;

    GeneralTab* generalTab() const { return general_; }
    DBTab* dbTab() const { return databases_; }
    ProfilTab* profilTab() const { return profile_; }
    DisplayTab* displayTab() const { return display_; }
    OpenTab* openTab() const { return open_; }
    CloseTab* closeTab() const { return close_; }
    LimitTab* limitTab() const { return limit_; }
    QTabWidget* tabs() const { return tabs_; }

public slots:
    // Writes every page, then closes; a write that failed is told, the rest still written.
    void accept() override;

private:
    SettingsStore& settings_;
    Services services_;
    QTabWidget* tabs_ = nullptr;
    GeneralTab* general_ = nullptr;
    LimitTab* limit_ = nullptr;
    OpenTab* open_ = nullptr;
    CloseTab* close_ = nullptr;
    DBTab* databases_ = nullptr;
    ProfilTab* profile_ = nullptr;
    DisplayTab* display_ = nullptr;
};

}  // namespace kestrova
