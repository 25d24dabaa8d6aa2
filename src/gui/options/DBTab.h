#pragma once

#include "SessionTypes.h"
#include "gui/widgets/UserPrompts.h"

#include <QWidget>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrova {

// The "Databases" page of the options dialog: the tracking databases in list
// order, one row each ("Host", "Port", "DB", "User", "Type", the hidden
// password, "Active"). PostgreSQL logins are tested before a row is added and
// once more when the page opens. The page writes nothing itself: the dialog's
// "OK" hands toSave() back to be saved.
class DBTab final : public QWidget {
    Q_OBJECT

public:
    // Starts the logins elsewhere (the session's connection test); false when
    // it could not start, the starter having told the user why. The answer
    // comes back through connectionsTested().
    using ConnectionTestStarter =
        std::function<bool(std::vector<DatabaseEntry> entries, std::chrono::milliseconds timeout)>;

    struct Services {
        UserPrompts prompts;
        std::function<void()> help;             // the guide on databases; null: no "Help"
        ConnectionTestStarter testConnections;  // null: no login can be tested
        std::chrono::milliseconds connectTimeout{5000};
        std::vector<DatabaseEntry> stored;  // the list the page starts from
        std::string storedProblem;          // why that list may not be the whole file
    };

    explicit DBTab(Services services, QWidget* parent = nullptr);
    ~DBTab() override;

    // The rows as a database list, in row order.
    DatabaseList rows() const;
    // The list to save at "OK". A file that could not be read whole is kept
    // unless the user changed the list: the rows hold only what came before
    // the damage.
    std::optional<DatabaseList> toSave() const;

    QTreeWidget* list() const { return list_; }

    // The answer to the page's last test, per entry it asked for: nothing when
    // the login worked, else why not. The page takes input again.
    void connectionsTested(const std::vector<std::optional<std::string>>& failures);

public slots:
    void Database_Clicked(QTreeWidgetItem* item, int column);
    void slot_pbAdd();
    void slot_pbRemove();
    void slot_search();
    void slot_sel(int index);
    void slot_pbHelp();

private:
    void appendRow(const DatabaseEntry& entry, bool checked);
    // "Add" done: the row, and the fields emptied for the next.
    void addRow(const DatabaseEntry& entry);
    DatabaseEntry fieldsEntry() const;
    void showError(const QString& text, MessageKind kind = MessageKind::Failure);
    bool startTest(std::vector<DatabaseEntry> entries);

    Services services_;
    QComboBox* kind_ = nullptr;
    QLineEdit* host_ = nullptr;
    QLineEdit* port_ = nullptr;
    QLineEdit* database_ = nullptr;
    QLineEdit* user_ = nullptr;
    QLineEdit* password_ = nullptr;
    QPushButton* find_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QTreeWidgetItem* clicked_ = nullptr;
    QString fileFilter_;
    bool checkNextRow_ = false;
    bool loadedWhole_ = true;
    bool edited_ = false;
    // The test under way: the stored rows' on opening, or the entry "Add" offers.
    // The page takes no input meanwhile, so the rows stay as they were asked about.
    enum class Testing { Nothing, StoredRows, NewRow };
    Testing testing_ = Testing::Nothing;
    std::vector<int> testedRows_;
    DatabaseEntry offered_;
};

}  // namespace kestrova
