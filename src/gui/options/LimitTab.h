#pragma once

#include <QWidget>

#include <filesystem>

class QTreeWidget;

namespace kestrova {

// The limits the hand-history datamining works through, in order, kept in the
// limits file of the client kind. Built by the options dialog, never shown.
// "Add" takes the chosen limits of the "Tables" tree (type, structure, limit),
// "Remove" drops the chosen rows; each rewrites the file at once.
class LimitTab final : public QWidget {
    Q_OBJECT

public:
    explicit LimitTab(std::filesystem::path directory, QWidget* parent = nullptr);

    // The chosen list from the limits file of this client kind (none for most kinds).
    void fillChosen(int clientKind);
    // The limits the running client offers, as type / structure / limit.
    QTreeWidget* tables() const { return tables_; }
    QTreeWidget* chosen() const { return chosen_; }

public slots:
    void slot_Add();
    void slot_Del();

private:
    void writeChosen() const;

    std::filesystem::path directory_;
    int clientKind_ = -1;
    QTreeWidget* tables_ = nullptr;
    QTreeWidget* chosen_ = nullptr;
};

}  // namespace kestrova
