#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

#include "SessionTypes.h"
#include "gui/options/ProfileRangeDialog.h"
#include "gui/widgets/UserPrompts.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrova {

struct ProfileOptions;

// The profile page: the colour ranges of the ten statistics ("Min", "Max",
// "Color"; first match wins) and the settings "profilhands", "profilme" and
// "excludeme". A page of the options dialog.
//
// "Save" writes the file of the chosen statistic; "Delete" writes it at once;
// "New" and "Edit" change the list only. The settings go back through the
// hosting dialog's accept step (store()), the profiles through `save`.
class ProfilTab final : public QWidget {
    Q_OBJECT

public:
    // Saves one statistic's profile; false, after telling the user, when it could not.
    using SaveProfile = std::function<bool(ProfileStat, const StatProfile&)>;
    // Shows `profiles`; colours are chosen through prompts.askColour.
    ProfilTab(ColourRanges profiles, SaveProfile save, UserPrompts prompts,
              QWidget* parent = nullptr);
    ~ProfilTab() override;

    void loadSettings(const ProfileOptions& options);
    // What the page holds, into the options it was built from.
    void store(ProfileOptions& options) const;

    ProfileStat currentStat() const;
    // The rows as the list shows them, in list order.
    StatProfile shownProfile() const;
    // The open "New" dialog (for "New" and "Edit"), null when none is open.
    ProfileRangeDialog* rangeDialog() const { return dialog_; }
    QTreeWidgetItem* selectedRow() const { return selected_; }

signals:
    // A profile was saved ("Save" or "Delete").
    void profileSaved(kestrova::ProfileStat stat);

public slots:
    void slot_New();
    void slot_Edit();
    void slot_Delete();
    void slot_Add();
    void slot_Cancel();
    void slot_Color();
    void slot_Save();
    void slot_EditDone();
    void slot_ValueChanged(const QString& name);
    void t_Clicked(QTreeWidgetItem* item, int column);

private:
    void runRangeDialog(bool editing);
    bool boundsAccepted();
    void appendRow(const ProfileRange& range);
    static void fillRow(QTreeWidgetItem* item, const QString& minimum, const QString& maximum,
                        const QColor& colour);
    bool saveShownProfile();

    ColourRanges profiles_;
    SaveProfile save_;
    UserPrompts prompts_;
    QComboBox* choice_ = nullptr;
    QTreeWidget* ranges_ = nullptr;
    QLineEdit* profilHands_ = nullptr;
    QLineEdit* profilMe_ = nullptr;
    QCheckBox* excludeMe_ = nullptr;
    QTreeWidgetItem* selected_ = nullptr;
    QPointer<ProfileRangeDialog> dialog_;
};

}  // namespace kestrova
