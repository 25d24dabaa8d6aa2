#include "gui/options/DBTab.h"

#include "SessionTypes.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace kestrova {

namespace {

enum Column { kHost, kPort, kDb, kUser, kType, kPassword, kActive, kColumns };

struct KindName {
    const char* choice;  // the "Type: " choice
    const char* column;  // the "Type" column
};
// By kind code, 0 to 6.
constexpr std::array<KindName, 7> kKinds{{
    {"Pokertracker 2 (PostgreSQL)", "PostgreSQL"},
    {"Pokermanager (Firebird)", "Firebird"},
    {"PokerOffice (mySQL)", "mySQL"},
    {"Pokertracker 2 (Access)", "Access"},
    {"Holdem Manager", "Holdem Manager"},
    {"Pokertracker 3", "PokerTracker 3"},
    {"Elephant", "Elephant"},
}};

// The kinds whose login is tried before a row is added.
bool testedKind(int kind) {
    return kind == static_cast<int>(DatabaseKind::PokerTracker2Postgres) ||
           kind == static_cast<int>(DatabaseKind::HoldemManager) ||
           kind == static_cast<int>(DatabaseKind::PokerTracker3);
}

// The kind code of a "Type" column text; nothing when unknown.
std::optional<int> kindOfColumnText(const QString& text) {
    for (std::size_t k = 0; k < kKinds.size(); ++k) {
        if (text == QLatin1String(kKinds[k].column))
            return static_cast<int>(k);
    }
    return std::nullopt;
}

std::string utf8(const QLineEdit* field) {
    return field->text().toUtf8().toStdString();
}

}  // namespace

DBTab::DBTab(Services services, QWidget* parent) : QWidget(parent), services_(std::move(services)) {
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("kind"));
    for (const KindName& kind : kKinds)
        kind_->addItem(QLatin1String(kind.choice));
    host_ = makeField(QString(), "host", this);
    port_ = makeField(QString(), "port", this);
    database_ = makeField(QString(), "database", this);
    user_ = makeField(QString(), "user", this);
    password_ = makeField(QString(), "password", this);
    password_->setEchoMode(QLineEdit::Password);
    find_ = makeButton(tr("Find"), "pbFind", this);
    find_->setMaximumWidth(std::max(60, find_->sizeHint().width()));
    find_->setEnabled(false);
    auto* help = makeButton(tr("Help"), "pbHelp", this);
    help->setToolTip(tr("What the user guide says about the databases"));
    if (!services_.help)
        help->hide();
    auto* add = makeButton(tr("Add Database"), "pbAdd", this);
    auto* remove = makeButton(tr("Remove Database"), "pbRemove", this);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("databases"));
    list_->setColumnCount(kColumns);
    list_->setHeaderLabels(
        {tr("Host"), tr("Port"), tr("DB"), tr("User"), tr("Type"), QString(), tr("Active")});
    list_->setColumnHidden(kPassword, true);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setDragEnabled(false);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(new QLabel(tr("Type: "), this), row, 0);
    grid->addWidget(kind_, row++, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Host (default \"localhost\"):"), this), row, 0);
    grid->addWidget(host_, row++, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Port (default \"5432\"): "), this), row, 0);
    grid->addWidget(port_, row++, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Database : "), this), row, 0);
    grid->addWidget(database_, row, 1);
    grid->addWidget(find_, row++, 2);
    grid->addWidget(help, row++, 2);
    grid->addWidget(new QLabel(tr("Username: "), this), row, 0);
    grid->addWidget(user_, row++, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Password: "), this), row, 0);
    grid->addWidget(password_, row++, 1, 1, 2);
    grid->addWidget(add, row, 0);
    grid->addWidget(remove, row++, 1);
    grid->addWidget(
        new QLabel(
            tr("Attention: Do not forget to activate the added database.\nJust check the last "
               "column (active) to do so.\nOtherwise the added database will not be used."),
            this),
        row++, 0, 1, 3);
    grid->addWidget(list_, row, 0, 1, 3);

    connect(kind_, &QComboBox::currentIndexChanged, this, &DBTab::slot_sel);
    connect(find_, &QPushButton::clicked, this, &DBTab::slot_search);
    connect(help, &QPushButton::clicked, this, &DBTab::slot_pbHelp);
    connect(add, &QPushButton::clicked, this, &DBTab::slot_pbAdd);
    connect(remove, &QPushButton::clicked, this, &DBTab::slot_pbRemove);
    connect(list_, &QTreeWidget::itemClicked, this, &DBTab::Database_Clicked);

    if (const std::string& problem = services_.storedProblem; !problem.empty()) {
        loadedWhole_ = false;
        showError(tr("%1\nThe list shows the databases before the damage; the file is rewritten "
                     "only when you change the list.")
                      .arg(toQString(problem)));
    }
    std::vector<DatabaseEntry> tested;
    std::vector<int> testedRows;
    for (const DatabaseEntry& entry : services_.stored) {
        appendRow(entry, entry.active);
        if (testedKind(entry.kind)) {
            tested.push_back(entry);
            testedRows.push_back(list_->topLevelItemCount() - 1);
        }
    }
    if (!tested.empty() && startTest(std::move(tested))) {
        testing_ = Testing::StoredRows;
        testedRows_ = std::move(testedRows);
    }
    checkNextRow_ = true;
    connect(list_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int column) {
        if (column == kActive)
            edited_ = true;
    });
}

DBTab::~DBTab() = default;

void DBTab::showError(const QString& text, MessageKind kind) {
    if (services_.prompts.showMessage)
        services_.prompts.showMessage(this, guiMessage(kind, errorTitle(), text));
}

bool DBTab::startTest(std::vector<DatabaseEntry> entries) {
    if (!services_.testConnections ||
        !services_.testConnections(std::move(entries), services_.connectTimeout))
        return false;
    // Nothing may change the list until the answer is in; the window stays usable.
    setEnabled(false);
    setCursor(Qt::WaitCursor);
    return true;
}

void DBTab::connectionsTested(const std::vector<std::optional<std::string>>& failures) {
    const Testing testing = std::exchange(testing_, Testing::Nothing);
    if (testing == Testing::Nothing)
        return;
    setEnabled(true);
    unsetCursor();
    if (testing == Testing::StoredRows) {
        for (std::size_t i = 0; i < failures.size() && i < testedRows_.size(); ++i) {
            // A server that is down today keeps its row: dropping it would take the
            // database out of "db.conf" at the next "OK".
            if (const std::optional<std::string>& failure = failures[i]) {
                showError(toQString(*failure), MessageKind::DatabaseUnreachable);
                list_->topLevelItem(testedRows_[i])
                    ->setToolTip(kHost, tr("No connection when the options opened"));
            }
        }
        testedRows_.clear();
        return;
    }
    if (!failures.empty() && failures.front()) {
        showError(toQString(*failures.front()), MessageKind::DatabaseUnreachable);
        return;
    }
    addRow(offered_);
}

void DBTab::appendRow(const DatabaseEntry& entry, bool checked) {
    auto* item = new QTreeWidgetItem;
    item->setText(kHost, toQString(entry.host));
    item->setText(kPort, toQString(entry.port));
    item->setText(kDb, toQString(entry.database));
    item->setText(kUser, toQString(entry.user));
    if (entry.kind >= 0 && entry.kind < static_cast<int>(kKinds.size()))
        item->setText(kType, QLatin1String(kKinds[static_cast<std::size_t>(entry.kind)].column));
    else
        item->setText(kType, QString::number(entry.kind));
    // The column is hidden, and the text stays empty so that nothing can show it.
    item->setData(kPassword, Qt::UserRole, toQString(entry.password));
    item->setCheckState(kActive, checked ? Qt::Checked : Qt::Unchecked);
    list_->addTopLevelItem(item);
}

DatabaseEntry DBTab::fieldsEntry() const {
    DatabaseEntry entry;
    entry.kind = kind_->currentIndex();
    entry.host = utf8(host_);
    entry.port = utf8(port_);
    entry.database = utf8(database_);
    entry.user = utf8(user_);
    entry.password = utf8(password_);
    return entry;
}

void DBTab::slot_sel(int index) {
    const bool file = index == static_cast<int>(DatabaseKind::PokermanagerFirebird) ||
                      index == static_cast<int>(DatabaseKind::PokerTracker2Access);
    find_->setEnabled(file);
    if (index == static_cast<int>(DatabaseKind::PokermanagerFirebird))
        fileFilter_ = QStringLiteral("*.fdb");
    else if (index == static_cast<int>(DatabaseKind::PokerTracker2Access))
        fileFilter_ = QStringLiteral("*.mdb");
}

void DBTab::slot_search() {
    if (!services_.prompts.askOpenFile)
        return;
    const QString path =
        services_.prompts.askOpenFile(this, tr("Choose a Database file"), fileFilter_);
    if (!path.isEmpty())
        database_->setText(path);
}

void DBTab::slot_pbAdd() {
    if (testing_ != Testing::Nothing)
        return;
    const DatabaseEntry entry = fieldsEntry();
    // "db.conf" cannot hold longer texts; refused here rather than at "OK".
    if (const std::string why = DatabaseList::textProblem(entry); !why.empty()) {
        showError(toQString(why));
        return;
    }
    if (!testedKind(entry.kind)) {
        addRow(entry);
        return;
    }
    if (startTest({entry})) {
        testing_ = Testing::NewRow;
        offered_ = entry;
    }
}

void DBTab::addRow(const DatabaseEntry& entry) {
    appendRow(entry, checkNextRow_);
    edited_ = true;
    host_->clear();
    database_->clear();
    user_->clear();
    password_->clear();
    checkNextRow_ = false;
    for (int c = 0; c < kColumns; ++c)
        list_->resizeColumnToContents(c);
}

void DBTab::Database_Clicked(QTreeWidgetItem* item, int) {
    if (item == nullptr)
        return;
    for (int c = kHost; c <= kUser; ++c) {
        if (clicked_ != nullptr)
            clicked_->setBackground(c, Qt::white);
        item->setBackground(c, Qt::red);
    }
    clicked_ = item;
    host_->setText(item->text(kHost));
    port_->setText(item->text(kPort));
    database_->setText(item->text(kDb));
    user_->setText(item->text(kUser));
    password_->setText(item->data(kPassword, Qt::UserRole).toString());
    if (const std::optional<int> kind = kindOfColumnText(item->text(kType)))
        kind_->setCurrentIndex(*kind);
}

void DBTab::slot_pbRemove() {
    if (clicked_ == nullptr)
        return;
    delete clicked_;
    clicked_ = nullptr;
    edited_ = true;
    host_->clear();
    database_->clear();
    user_->clear();
    kind_->setCurrentIndex(0);
    password_->clear();
}

void DBTab::slot_pbHelp() {
    services_.help();
}

DatabaseList DBTab::rows() const {
    DatabaseList rows;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list_->topLevelItem(i);
        DatabaseEntry entry;
        entry.host = item->text(kHost).toUtf8().toStdString();
        entry.port = item->text(kPort).toUtf8().toStdString();
        entry.database = item->text(kDb).toUtf8().toStdString();
        entry.user = item->text(kUser).toUtf8().toStdString();
        entry.password = item->data(kPassword, Qt::UserRole).toString().toUtf8().toStdString();
        entry.kind = kindOfColumnText(item->text(kType)).value_or(item->text(kType).toInt());
        entry.active = item->checkState(kActive) == Qt::Checked;
        rows.append(std::move(entry));
    }
    return rows;
}

std::optional<DatabaseList> DBTab::toSave() const {
    if (!loadedWhole_ && !edited_)
        return std::nullopt;
    return rows();
}

}  // namespace kestrova
