#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <filesystem>

#include "gui/options/ProfileRangeDialog.h"
#include "gui/widgets/UserPrompts.h"
#include "rating/StatProfile.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrova {

class SettingsStore;

// The profile page: the colour ranges of the ten statistics ("Min", "Max",
// "Color"; first match wins) and the settings "profilhands", "profilme" and
// "excludeme". A page of the options dialog.
//
// "Save" writes the file of the chosen statistic; "Delete" writes it at once;
// "New" and "Edit" change the list only. The settings are written by the
// hosting dialog's accept step through writeSettings().
class ProfilTab final : public QWidget {
    Q_OBJECT

public:
    // The profile files live in `directory` (the working directory in the
    // product). Colours are chosen through prompts.askColour.
    ProfilTab(std::filesystem::path directory, UserPrompts prompts, QWidget* parent = nullptr);
    ~ProfilTab() override;

    void loadSettings(const SettingsStore& settings);
    // False when a value could not be stored.
    bool writeSettings(SettingsStore& settings) const;

    ProfileStat currentStat() const;
    // The rows as the list shows them, in list order.
    StatProfile shownProfile() const;
    // The open "New" dialog (for "New" and "Edit"), null when none is open.
    ProfileRangeDialog* rangeDialog() const { return dialog_; }
    QTreeWidgetItem* selectedRow() const { return selected_; }

signals:
    // A profile file was written ("Save" or "Delete"); the main window reloads
    // its colour ranges so the new colours show at once.
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

    std::filesystem::path directory_;
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
