#pragma once

#include <QWidget>

#include "SessionTypes.h"

#include <functional>
#include <vector>

class QTreeWidget;

namespace kestrova {

// The limits the hand-history datamining works through, in order, kept in the
// limits file of the client kind. Built by the options dialog, never shown.
// "Add" takes the chosen limits of the "Tables" tree (type, structure, limit),
// "Remove" drops the chosen rows; each hands the list back to be saved at once.
class LimitTab final : public QWidget {
    Q_OBJECT

public:
    using SaveLimits = std::function<void(const std::vector<LimitRecord>& chosen)>;
    // `chosen`: the list of the client kind (none for most kinds).
    LimitTab(const std::vector<LimitRecord>& chosen, SaveLimits save, QWidget* parent = nullptr);
    // The limits the running client offers, as type / structure / limit.
    QTreeWidget* tables() const { return tables_; }
    QTreeWidget* chosen() const { return chosen_; }

public slots:
    void slot_Add();
    void slot_Del();

private:
    void writeChosen() const;

    SaveLimits save_;
    QTreeWidget* tables_ = nullptr;
    QTreeWidget* chosen_ = nullptr;
};

}  // namespace kestrova
