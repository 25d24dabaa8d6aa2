#pragma once

#include <QDialog>

#include <memory>
#include <vector>

#include "gui/widgets/UserPrompts.h"
#include "rating/PlayerImport.h"
#include "records/DatabaseEntry.h"

class QCheckBox;
class QLineEdit;
class QProgressDialog;

namespace kestrova {

class BuddyList;
class PlayerLookup;
class PlayerNameSource;

// The modal "Import player from databases" dialog: the VPIP, PFR and AF ranges
// (each with its check box), the minimum number of hands, "Search" and
// "Cancel". "Search" runs the import behind a "Please Wait..." progress dialog
// with its own "Cancel", saves the buddy list, disconnects the databases and
// closes both dialogs.
class ImportPlayersDialog final : public QDialog {
    Q_OBJECT

public:
    // databases: the configured list (only active entries are read). lookup
    // is the main window's look-up; names null means the trackers' own name
    // lists. Messages go through prompts.showMessage.
    ImportPlayersDialog(std::vector<DatabaseEntry> databases, BuddyList& buddies,
                        PlayerLookup& lookup, UserPrompts prompts, QWidget* parent = nullptr,
                        PlayerNameSource* names = nullptr);
    ~ImportPlayersDialog() override;

    // The filter as the dialog's fields give it.
    ImportFilter filter() const;
    // What the last "Search" did.
    const PlayerImport::Outcome& outcome() const { return outcome_; }
    // The progress dialog while "Search" runs, else null.
    QProgressDialog* progressDialog() const { return progress_; }

signals:
    // The import added buddies: marks in the player lists need refreshing.
    void buddiesChanged();

public slots:
    void slot_bdbok();
    void slot_bdcancel();

private:
    struct RangeRow {
        QCheckBox* enabled = nullptr;
        QLineEdit* minimum = nullptr;
        QLineEdit* maximum = nullptr;
    };
    RangeRow addRangeRow(const QString& label, const char* name, int row);
    static ImportRange rangeOf(const RangeRow& row);

    std::vector<DatabaseEntry> databases_;
    BuddyList& buddies_;
    PlayerLookup& lookup_;
    UserPrompts prompts_;
    std::unique_ptr<PlayerNameSource> ownNames_;
    PlayerNameSource* names_ = nullptr;
    RangeRow vpip_;
    RangeRow pfr_;
    RangeRow af_;
    QLineEdit* minimumHands_ = nullptr;
    QProgressDialog* progress_ = nullptr;
    PlayerImport::Outcome outcome_;
};

}  // namespace kestrova
