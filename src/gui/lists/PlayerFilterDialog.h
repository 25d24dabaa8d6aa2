#pragma once

#include <QDialog>

#include "AppSettings.h"
#include "SessionTypes.h"
#include "gui/lists/FilterRows.h"

class QCheckBox;

namespace kestrova {

// The "Playerfilter" dialog over the whole player list, showing `current`.
// "Save" (slot_pblowfilter_save) takes what the dialog holds into
// playerFilter(), emits playerFilterSaved() and accepts; the caller hands it
// to be saved.
class PlayerFilterDialog final : public QDialog {
    Q_OBJECT

public:
    explicit PlayerFilterDialog(const PlayerFilterSettings& current, QWidget* parent = nullptr);

    // After "Save": what the dialog holds; before it, `current`.
    const PlayerFilterSettings& playerFilter() const { return playerFilter_; }

signals:
    void playerFilterSaved();

public slots:
    void slot_pblowfilter_save();

private:
    PlayerFilterSettings playerFilter_;
    QCheckBox* buddy_ = nullptr;
    QCheckBox* loser_ = nullptr;
    FilterRangeRow vpip_;
    FilterRangeRow pfr_;
    FilterRangeRow af_;
    FilterRangeRow stack_;
};

}  // namespace kestrova
