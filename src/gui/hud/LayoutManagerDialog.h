#pragma once

#include <QDialog>

#include <array>
#include <filesystem>

#include "HudLayouts.h"
#include "SessionTypes.h"
#include "gui/widgets/UserPrompts.h"

class QCheckBox;
class QComboBox;

namespace kestrova {

class LayoutCanvas;

// The modal "Layout Manager": a room and a table size choose which of the six
// HUD layouts is shown; ten check boxes switch its stat kinds on and off; its
// boxes are dragged on the table picture. "Save" writes "ftp.lo" and "pp.lo",
// "Reload" reads them again, "Load Default" reads the shipped defaults, and
// "Close" drops whatever was not saved.
//
// The main window opens it with
//     LayoutManagerDialog dialog(workingDir, this);
//     dialog.exec();
class LayoutManagerDialog final : public QDialog {
    Q_OBJECT

public:
    // The layout files live in `workingDir`. Each layout starts from the
    // shipped defaults, read silently, and then the user's files are loaded;
    // failures go to `showMessage` (a modal box when empty).
    explicit LayoutManagerDialog(std::filesystem::path workingDir, QWidget* parent = nullptr,
                                 UserPrompts::Message showMessage = {});
    ~LayoutManagerDialog() override;

    int room() const { return room_; }
    LayoutCanvas* canvas(int room, int size) const;
    LayoutCanvas* shownCanvas() const;
    QComboBox* roomBox() const { return roomBox_; }
    QComboBox* sizeBox() const { return sizeBox_; }
    QCheckBox* checkBox(hud::StatKind kind) const { return checkBoxes_[hud::indexOf(kind)]; }

    // The size choices are listed "6 max", "9 max", "2 max"; the layouts and
    // files go 9 max, 6 max, 2 max.
    static int sizeOfChoice(int choice);

public slots:
    void slot_currentTableChanged(int choice);
    void slot_currentRoomChanged(int room);
    void slot_vpip();
    void slot_pfr();
    void slot_hands();
    void slot_af();
    void slot_wsd();
    void slot_att();
    void slot_sb();
    void slot_bb();
    void slot_3bet();
    void slot_conti();
    void slot_pbSave();
    void slot_pbCancel();
    void slot_pbDefault();
    void load();

private:
    // Reads the shipped defaults, or the user's files, and shows them.
    void loadLayouts(bool defaults, bool report);
    void showChosenLayout();
    void syncCheckBoxes();
    void applyCheckBox(hud::StatKind kind);
    void tell(const Message& message);

    UserPrompts::Message showMessage_;
    HudLayouts layouts_;
    QComboBox* roomBox_ = nullptr;
    QComboBox* sizeBox_ = nullptr;
    std::array<QCheckBox*, hud::kKindCount> checkBoxes_{};
    std::array<LayoutCanvas*, hud::kLayoutCount> canvases_{};  // by layout index
    int room_ = 0;
    int sizeChoice_ = 0;
};

}  // namespace kestrova
