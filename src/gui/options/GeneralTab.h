#pragma once

#include "gui/widgets/UserPrompts.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace kestrova {

struct GeneralOptions;
struct HistoryOptions;

// The "General" page of the options dialog: where "Scan All Tables" saves its
// result, the statistics cache and the scan history. The groups of the hand-history datamining
// and of the head-up display are built from the settings but hidden, and
// written back as they were read.
class GeneralTab final : public QWidget {
    Q_OBJECT

public:
    GeneralTab(const GeneralOptions& options, const HistoryOptions& history, UserPrompts prompts,
               QWidget* parent = nullptr);

    // What the page holds, into the options it was built from.
    void store(GeneralOptions& options, HistoryOptions& history) const;

public slots:
    void slot_search();

private:
    UserPrompts prompts_;
    QCheckBox* saveResult_ = nullptr;
    QLineEdit* directory_ = nullptr;
    QLineEdit* suffix_ = nullptr;
    QCheckBox* observed_ = nullptr;
    QCheckBox* add6max_ = nullptr;
    QCheckBox* realtime_ = nullptr;
    QLineEdit* delay_ = nullptr;
    QCheckBox* curLim_ = nullptr;
    QCheckBox* dbcache_ = nullptr;
    QCheckBox* adaptiveWait_ = nullptr;
    QLineEdit* cache_ = nullptr;
    QLineEdit* scan_ = nullptr;
    QCheckBox* hudLim_ = nullptr;
    QSpinBox* historyDays_ = nullptr;
    QLineEdit* historyServer_ = nullptr;
};

}  // namespace kestrova
