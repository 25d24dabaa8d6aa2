#pragma once

#include <QDialog>

#include "gui/widgets/UserPrompts.h"

class QListWidget;
class QPushButton;

namespace kestrova {

class BuddyBook;

// The modal "Buddylist" dialog, 300 x 300: every buddy sorted ascending with
// extended selection (Ctrl and Shift), "Remove" and "Close", the hidden
// "Search" and "Clear Search", and the note below. "Remove" removes each
// selected buddy from the list, which saves "mofofish" every time.
class BuddyListWindow final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSidePixels = 300;

    BuddyListWindow(BuddyBook& buddies, UserPrompts prompts, QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }

signals:
    // Buddies were removed: marks in the player lists need refreshing.
    void buddiesChanged();

public slots:
    void slot_RemoveSel();
    void slot_buddyClose();

private:
    void fill();

    BuddyBook& buddies_;
    UserPrompts prompts_;
    QListWidget* list_ = nullptr;
};

// When the buddy file was damaged at loading, asks whether it may be
// rewritten with the names that could be read; true when the user agreed, and
// the next save then replaces it.
bool offerBuddyFileRepair(QWidget* parent, BuddyBook& buddies, const UserPrompts& prompts);

// The "Buddylist" menu's commands; each shows exactly its own boxes. All
// return true when the buddy list changed. A save the damaged file refuses
// comes with the offer to repair it.

// "Add": asks "Screenname :" in "Add player to list"; a non-empty name not in
// the list yet is appended and saved.
bool addBuddyInteractively(QWidget* parent, BuddyBook& buddies, const UserPrompts& prompts);

// "CSV-Import": the "Remark" box, the file chosen in "Import from file", then
// "Import done" with the count; the list is saved once.
bool importBuddiesFromCsv(QWidget* parent, BuddyBook& buddies, const UserPrompts& prompts);

// "CSV-Export": the file chosen in "Export to file" (".csv" appended when
// missing) gets one name per line. No box unless the file cannot be written.
void exportBuddiesToCsv(QWidget* parent, const BuddyBook& buddies, const UserPrompts& prompts);

}  // namespace kestrova
