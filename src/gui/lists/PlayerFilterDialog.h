#pragma once

#include <QDialog>

#include "evaluation/PlayerFilter.h"
#include "gui/lists/FilterRows.h"
#include "settings/SettingKeys.h"

class QCheckBox;

namespace kestrova {
class OptionsWriter;
class SettingsStore;
}  // namespace kestrova

// The "Playerfilter" dialog over the whole player list, showing `current`,
// the main window's player filter in memory. "Save"
// (slot_pblowfilter_save) writes the "low_" keys, reloads the filter, emits
// playerFilterSaved() and accepts. However the dialog ends,
// QDialog::finished() follows: the caller applies the player filter then.
class PlayerFilterDialog final : public QDialog {
    Q_OBJECT

public:
    PlayerFilterDialog(kestrova::SettingsStore& settings,
                       const kestrova::PlayerFilterSettings& current, QWidget* parent = nullptr);

    // After "Save": the filter as reloaded from the keys; before it, `current`.
    const kestrova::PlayerFilterSettings& playerFilter() const { return playerFilter_; }

signals:
    // After "Save" when a write failed (the disk full or read-only): what
    // failed first. The dialog still closes; the caller tells the user.
    void saveFailed(const QString& problem);
    void playerFilterSaved();

public slots:
    void slot_pblowfilter_save();

private:
    void writeRange(kestrova::OptionsWriter& out, const FilterRangeRow& row,
                    const kestrova::IntKey& on, const kestrova::IntKey& minimum,
                    const kestrova::IntKey& maximum);

    kestrova::SettingsStore& settings_;
    kestrova::PlayerFilterSettings playerFilter_;
    QCheckBox* buddy_ = nullptr;
    QCheckBox* loser_ = nullptr;
    FilterRangeRow vpip_;
    FilterRangeRow pfr_;
    FilterRangeRow af_;
    FilterRangeRow stack_;
};
