#pragma once

#include <QDialog>

#include <memory>
#include <vector>

#include "SessionTypes.h"

#include <functional>

class QCheckBox;
class QLineEdit;

namespace kestrova {

// The modal "Import player from databases" dialog: the VPIP, PFR and AF ranges
// (each with its check box), the minimum number of hands, "Search" and
// "Cancel". "Search" hands the filter to the session's import job, whose
// progress the window shows, and closes the dialog once the job started.
class ImportPlayersDialog final : public QDialog {
    Q_OBJECT

public:
    // Starts the import with the filter; false when it did not start (told).
    using StartImport = std::function<bool(const ImportFilter& filter)>;

    explicit ImportPlayersDialog(StartImport startImport, QWidget* parent = nullptr);
    ~ImportPlayersDialog() override;

    // The filter as the dialog's fields give it.
    ImportFilter filter() const;

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

    StartImport startImport_;
    RangeRow vpip_;
    RangeRow pfr_;
    RangeRow af_;
    QLineEdit* minimumHands_ = nullptr;
};

}  // namespace kestrova
