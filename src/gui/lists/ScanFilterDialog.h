#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "AppSettings.h"
#include "SessionTypes.h"
#include "gui/lists/FilterRows.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace kestrova {

// The "Scanfilter" dialog: the lobby filter (which tables a pass looks at)
// and the table filter (which scanned tables the table list shows), showing
// `current`. "Save" (slot_scanok) takes what the dialog holds into edited(),
// emits scanFilterSaved() and accepts; the caller hands it to be saved.
class ScanFilterDialog final : public QDialog {
    Q_OBJECT

public:
    ScanFilterDialog(const ScanFilterSettings& current,
                     ClientKind clientKind = ClientKind::PokerStars, QWidget* parent = nullptr);

    // After "Save": what the dialog holds; before it, `current`.
    const ScanFilterSettings& edited() const { return edited_; }

    // The stakes the list offers for a client kind (only PokerStars, the Everest lobby, has any).
    static QStringList stakesItems(ClientKind clientKind);

signals:
    void scanFilterSaved();

public slots:
    void slot_scanok();

private:
    ScanFilterSettings edited_;

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
    QCheckBox* tfwait_ = nullptr;
    QComboBox* tfwaitmax_ = nullptr;
    QCheckBox* stakesBox_ = nullptr;
    QListWidget* stakesList_ = nullptr;
};

}  // namespace kestrova
