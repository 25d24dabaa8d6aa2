#pragma once

#include "AppSettings.h"
#include "gui/options/DBTab.h"
#include "gui/options/ProfilTab.h"
#include "gui/widgets/UserPrompts.h"

#include <QDialog>

#include <filesystem>
#include <functional>

class QTabWidget;

namespace kestrova {

class CloseTab;
class DisplayTab;
class GeneralTab;
class LimitTab;
class OpenTab;

// The "Options" dialog: the pages "General", "Databases", "Profile" and
// "Display", and the hidden pages of the hand-history datamining (Open, Close,
// Limit). Every page shows the settings the dialog is built from; "OK" hands
// all of them back to be saved, "Cancel" nothing. A new dialog is built for
// every opening.
class TabDialog final : public QDialog {
    Q_OBJECT

public:
    struct Services {
        UserPrompts prompts;
        DBTab::Services databases;  // its prompts are taken from above
        // Saves a part of the settings as the pages hold them: the options
        // at "OK", the limits at every change of the hidden Limit page.
        std::function<void(const AppSettings& edited, SettingsPart part)> save;
        ColourRanges profiles;  // what the Profile tab shows
        ProfilTab::SaveProfile saveProfile;
        std::function<void(const DatabaseList&)> saveDatabases;
    };

    TabDialog(const AppSettings& settings, Services services, QWidget* parent = nullptr);
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
    // Hands every page back, saves the database list, then closes; a write
    // that failed is told, the rest still written.
    void accept() override;

private:
    AppSettings settings_;
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
