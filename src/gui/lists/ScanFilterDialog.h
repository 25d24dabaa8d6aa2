#pragma once

#include <QDialog>

#include <filesystem>
#include <string>
#include <vector>

#include "evaluation/TableFilter.h"
#include "gui/lists/FilterRows.h"
#include "settings/SettingKeys.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace kestrova {
class OptionsWriter;
class SettingsStore;
}  // namespace kestrova

// The "Scanfilter" dialog: the lobby filter (which tables a pass looks at)
// and the table filter (which scanned tables the table list shows).
//
// The six lobby check boxes and the player-number row are read from the
// settings; the two table-filter groups show `current`, the main window's
// filter in memory; `selectedStakes` preselects items of the stakes list.
// "Save" (slot_scanok) writes every key and the stakes file, reloads the
// table filter, emits scanFilterSaved() and accepts. However the dialog ends,
// QDialog::finished() follows: the caller re-applies the table filter then.
class ScanFilterDialog final : public QDialog {
    Q_OBJECT

public:
    // workingDir holds the stakes file of clientKind ("fstakes5" for 5).
    ScanFilterDialog(kestrova::SettingsStore& settings, std::filesystem::path workingDir,
                     const kestrova::TableFilterSettings& current,
                     const std::vector<std::string>& selectedStakes, int clientKind = 5,
                     QWidget* parent = nullptr);

    // After "Save": the table filter as reloaded from the keys.
    const kestrova::TableFilterSettings& tableFilter() const { return tableFilter_; }
    // After "Save": the stakes selected in the list (empty when none was).
    const std::vector<std::string>& selectedStakes() const { return selectedStakes_; }
    // After "Save": the "Selected stakes:" flag.
    bool stakesFilterOn() const { return stakesFilterOn_; }

    // The stakes the list offers for a client kind (only kind 5 has any).
    static QStringList stakesItems(int clientKind);

signals:
    // After "Save" when a write failed (the disk full or read-only): what
    // failed first. The dialog still closes; the caller tells the user.
    void saveFailed(const QString& problem);
    // Every key and the stakes file are written; the lobby filter and the
    // table filter are to be reloaded from the settings.
    void scanFilterSaved();

public slots:
    void slot_scanok();

private:
    void writeRange(kestrova::OptionsWriter& out, const FilterRangeRow& row,
                    const kestrova::IntKey& on, const kestrova::IntKey& minimum,
                    const kestrova::IntKey& maximum);

    kestrova::SettingsStore& settings_;
    std::filesystem::path workingDir_;
    int clientKind_;
    kestrova::TableFilterSettings tableFilter_;
    std::vector<std::string> selectedStakes_;
    bool stakesFilterOn_ = true;

    QCheckBox* fullRing_ = nullptr;
    QCheckBox* sixMax_ = nullptr;
    QCheckBox* headsUp_ = nullptr;
    QCheckBox* limit_ = nullptr;
    QCheckBox* noLimit_ = nullptr;
    QCheckBox* potLimit_ = nullptr;
    FilterRangeRow playerCount_;
    QCheckBox* tfact_ = nullptr;
    QComboBox* tfnum_ = nullptr;
    FilterRangeRow tfvpip_;
    FilterRangeRow tfpfr_;
    FilterRangeRow tfaf_;
    FilterRangeRow tfstack_;
    QCheckBox* tfloser_ = nullptr;
    QCheckBox* ofact_ = nullptr;
    FilterRangeRow ofvpip_;
    FilterRangeRow ofpfr_;
    QCheckBox* ofreads_ = nullptr;
    QComboBox* ofnum_ = nullptr;
    QCheckBox* stakesBox_ = nullptr;
    QListWidget* stakesList_ = nullptr;
};
