#include "gui/history/WatchListWindow.h"

#include "gui/widgets/QtText.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kestrova {

namespace {

constexpr int kKeyRole = Qt::UserRole;  // the player's name, or the rule's id

QTreeWidget* list(const QStringList& headers) {
    auto* tree = new QTreeWidget;
    tree->setHeaderLabels(headers);
    tree->setRootIsDecorated(false);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return tree;
}

}  // namespace

WatchListWindow::WatchListWindow(ScanHistory& history, QWidget* parent)
    : QDialog(parent), history_(history) {
    setObjectName(QStringLiteral("watchListWindow"));
    setWindowTitle(tr("Watch List"));
    resize(560, 480);
    players_ = list({tr("Player"), tr("Note"), tr("Watched since")});
    rules_ = list({tr("Rule"), tr("Note")});
    alerts_ = list({tr("Alert")});
    alerts_->setSelectionMode(QAbstractItemView::NoSelection);
    auto* playersLabel = new QLabel(tr("&Players you watch:"));
    playersLabel->setBuddy(players_);
    auto* rulesLabel = new QLabel(tr("R&ules (a player or table that meets one raises an alert):"));
    rulesLabel->setWordWrap(true);
    rulesLabel->setBuddy(rules_);

    auto* watch = new QPushButton(tr("&Watch Player…"));
    auto* rule = new QPushButton(tr("&Add Rule…"));
    auto* remove = new QPushButton(tr("&Remove"));
    watch->setObjectName(QStringLiteral("watchPlayer"));
    rule->setObjectName(QStringLiteral("addRule"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(watch);
    buttons->addWidget(rule);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(playersLabel);
    layout->addWidget(players_, 2);
    layout->addWidget(rulesLabel);
    layout->addWidget(rules_, 1);
    layout->addLayout(buttons);
    auto* alertsLabel = new QLabel(tr("Alerts of the last &scan:"));
    alertsLabel->setBuddy(alerts_);
    layout->addWidget(alertsLabel);
    layout->addWidget(alerts_, 1);
    layout->addWidget(close);

    connect(watch, &QPushButton::clicked, this, &WatchListWindow::watchPlayer);
    connect(rule, &QPushButton::clicked, this, &WatchListWindow::addRule);
    connect(remove, &QPushButton::clicked, this, &WatchListWindow::removeSelected);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // One selection at a time, so that "Remove" knows what it removes.
    connect(players_, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!players_->selectedItems().isEmpty())
            rules_->clearSelection();
    });
    connect(rules_, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!rules_->selectedItems().isEmpty())
            players_->clearSelection();
    });
    refresh();
}

void WatchListWindow::refresh() {
    players_->clear();
    for (const WatchedPlayer& player : history_.watched()) {
        const QDateTime added =
            QDateTime::fromSecsSinceEpoch(player.added.time_since_epoch().count());
        auto* item = new QTreeWidgetItem(
            players_, {toQString(player.name), toQString(player.note),
                       QLocale().toString(added.toLocalTime(), QLocale::ShortFormat)});
        item->setData(0, kKeyRole, toQString(player.name));
    }
    rules_->clear();
    for (const StoredRule& stored : history_.rules()) {
        auto* item = new QTreeWidgetItem(rules_, {toQString(stored.rule), toQString(stored.note)});
        item->setData(0, kKeyRole, stored.id);
    }
}

void WatchListWindow::showAlerts(const std::vector<HistoryAlert>& alerts) {
    alerts_->clear();
    for (const HistoryAlert& alert : alerts)
        new QTreeWidgetItem(alerts_, {toQString(alert.text)});
}

void WatchListWindow::watchPlayer() {
    openEntryDialog(WatchEntryDialog::Kind::Player,
                    [this](const QString& name, const QString& note) -> std::optional<QString> {
                        history_.watch(name.toStdString(), note.toStdString());
                        return std::nullopt;
                    });
}

void WatchListWindow::addRule() {
    openEntryDialog(WatchEntryDialog::Kind::Rule,
                    [this](const QString& rule, const QString& note) -> std::optional<QString> {
                        std::string problem;
                        if (history_.addRule(rule.toStdString(), note.toStdString(), &problem))
                            return std::nullopt;
                        return tr("This is no rule: %1.").arg(toQString(problem));
                    });
}

void WatchListWindow::openEntryDialog(WatchEntryDialog::Kind kind, WatchEntryDialog::Save save) {
    auto* dialog = new WatchEntryDialog(kind, std::move(save), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void WatchListWindow::removeSelected() {
    if (const QList<QTreeWidgetItem*> players = players_->selectedItems(); !players.isEmpty()) {
        history_.unwatch(players.front()->data(0, kKeyRole).toString().toStdString());
        return;
    }
    if (const QList<QTreeWidgetItem*> rules = rules_->selectedItems(); !rules.isEmpty())
        history_.removeRule(rules.front()->data(0, kKeyRole).toInt());
}

}  // namespace kestrova
