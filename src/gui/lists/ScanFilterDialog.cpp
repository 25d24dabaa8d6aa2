#include "gui/lists/ScanFilterDialog.h"

#include "gui/widgets/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace kestrova {

namespace {

constexpr int kPlayerEditWidthPx = 40;
constexpr int kPercentTop = 100;
constexpr int kStackTop = 1000000;
constexpr int kMaxPlayerCount = 10;
QComboBox* countCombo(const IntKey& key, int index, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(key.name.data(), static_cast<qsizetype>(key.name.size())));
    for (int i = 0; i <= kMaxPlayerCount; ++i) {
        combo->addItem(QString::number(i));
    }
    combo->setCurrentIndex(std::clamp(index, 0, kMaxPlayerCount));
    return combo;
}

std::string latin1(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace

QStringList ScanFilterDialog::stakesItems(ClientKind clientKind) {
    if (clientKind != ClientKind::PokerStars) {
        return {};
    }
    return {QStringLiteral("$0.01/$0.02"), QStringLiteral("$0.02/$0.04"),
            QStringLiteral("$0.02/$0.05"), QStringLiteral("$0.05/$0.10"),
            QStringLiteral("$0.10/$0.20"), QStringLiteral("$0.10/$0.25"),
            QStringLiteral("$0.25/$0.50"), QStringLiteral("$0.50/$1"),
            QStringLiteral("$1/$2"),       QStringLiteral("$2/$4"),
            QStringLiteral("$3/$6"),       QStringLiteral("$5/$10"),
            QStringLiteral("$10/$20"),     QStringLiteral("$15/$30"),
            QStringLiteral("$25/$50"),     QStringLiteral("$30/$60"),
            QStringLiteral("$50/$100"),    QStringLiteral("$100/$200"),
            QStringLiteral("$200/$400"),   QStringLiteral("$500/$1000"),
            QStringLiteral("$1000/$2000")};
}

ScanFilterDialog::ScanFilterDialog(const ScanFilterSettings& current, ClientKind clientKind,
                                   QWidget* parent)
    : QDialog(parent), edited_(current) {
    setWindowTitle(tr("Scanfilter"));
    setModal(true);
    resize(250, 600);
    auto* grid = new QGridLayout(this);

    const LobbyFilter& lobby = current.lobby;
    fullRing_ =
        keyCheckBox(tr("Scan Fullring tables"), keys::c_fullring.name, lobby.fullRing, this);
    sixMax_ = keyCheckBox(tr("Scan 6-Max tables"), keys::c_sixmax.name, lobby.sixMax, this);
    headsUp_ = keyCheckBox(tr("Scan Heads Up tables"), keys::c_headsup.name, lobby.headsUp, this);
    limit_ = keyCheckBox(tr("Scan Limit tables"), keys::Lim.name, lobby.limit, this);
    noLimit_ = keyCheckBox(tr("Scan No Limit tables"), keys::NLim.name, lobby.noLimit, this);
    potLimit_ =
        keyCheckBox(tr("Scan Pot Limit tables"), keys::PLim.name, lobby.potLimit == 1, this);
    int row = 0;
    for (QCheckBox* box : {fullRing_, sixMax_, headsUp_, limit_, noLimit_, potLimit_}) {
        grid->addWidget(box, row++, 0, 1, 4);
    }

    // Stored but not applied by any pass, so not shown.
    playerCount_ = FilterRangeRow::add(grid, row++, tr("Number of player between"), keys::fpc,
                                       keys::fpcmin, keys::fpcmax, current.playerCount, kPercentTop,
                                       this, kPlayerEditWidthPx);
    playerCount_.minimum->setMaxLength(3);
    playerCount_.maximum->setMaxLength(3);
    playerCount_.setVisible(false);

    const TableFilterSettings& table = current.table;
    auto* advanced = new QGroupBox(tr("Advanced table filter"), this);
    advanced->setObjectName(QStringLiteral("advancedGroup"));
    auto* advancedGrid = new QGridLayout(advanced);
    tfact_ = keyCheckBox(tr("Active"), keys::tfact.name, table.playerCountActive, advanced);
    advancedGrid->addWidget(tfact_, 0, 0, 1, 4);
    tfnum_ = countCombo(keys::tfnum, table.requiredPlayers, advanced);
    advancedGrid->addWidget(tfnum_, 1, 0);
    advancedGrid->addWidget(new QLabel(tr("Player with :"), advanced), 1, 1, 1, 3);
    tfvpip_ =
        FilterRangeRow::add(advancedGrid, 2, tr("VPIP between "), keys::tfvpip, keys::tfvpipmin,
                            keys::tfvpipmax, table.vpip, kPercentTop, advanced);
    tfpfr_ = FilterRangeRow::add(advancedGrid, 3, tr("PFR between "), keys::tfpfr, keys::tfpfrmin,
                                 keys::tfpfrmax, table.pfr, kPercentTop, advanced);
    tfaf_ = FilterRangeRow::add(advancedGrid, 4, tr("AF between "), keys::tfaf, keys::tfafmin,
                                keys::tfafmax, table.af, kPercentTop, advanced);
    tfstack_ =
        FilterRangeRow::add(advancedGrid, 5, tr("Stack between (BB)"), keys::tfstack,
                            keys::tfstackmin, keys::tfstackmax, table.stack, kStackTop, advanced);
    tfloser_ = keyCheckBox(tr("Overall Losing Player"), keys::tfloser.name, table.loser, advanced);
    advancedGrid->addWidget(tfloser_, 6, 0, 1, 4);
    grid->addWidget(advanced, row++, 0, 1, 4);

    auto* overall = new QGroupBox(tr("Overall table filter"), this);
    overall->setObjectName(QStringLiteral("overallGroup"));
    auto* overallGrid = new QGridLayout(overall);
    ofact_ = keyCheckBox(tr("Active"), keys::ofact.name, table.overallActive, overall);
    overallGrid->addWidget(ofact_, 0, 0, 1, 4);
    ofvpip_ = FilterRangeRow::add(overallGrid, 1, tr("Overall VPIP between"), keys::ofvpip,
                                  keys::ofvpipmin, keys::ofvpipmax, table.overallVpip, kPercentTop,
                                  overall);
    ofpfr_ =
        FilterRangeRow::add(overallGrid, 2, tr("Overall PFR between"), keys::ofpfr, keys::ofpfrmin,
                            keys::ofpfrmax, table.overallPfr, kPercentTop, overall);
    ofreads_ = keyCheckBox(tr("Minimum number of reads"), keys::ofreads.name,
                           table.minimumReadsActive, overall);
    overallGrid->addWidget(ofreads_, 3, 0);
    ofnum_ = countCombo(keys::ofnum, table.minimumReads, overall);
    overallGrid->addWidget(ofnum_, 3, 1, 1, 3);
    grid->addWidget(overall, row++, 0, 1, 4);

    // A table whose waiting list is longer will not give the user a seat soon.
    tfwait_ = keyCheckBox(tr("At most"), keys::tfwait.name, table.waitingLimited, this);
    grid->addWidget(tfwait_, row, 0);
    tfwaitmax_ = countCombo(keys::tfwaitmax, table.maximumWaiting, this);
    grid->addWidget(tfwaitmax_, row, 1);
    grid->addWidget(new QLabel(tr("waiting"), this), row++, 2, 1, 2);

    // The stakes selection is stored but applied by no pass: built, not shown.
    stakesBox_ =
        keyCheckBox(tr("Selected stakes:"), keys::tf_stakes.name, current.stakesFilterOn, this);
    stakesBox_->setVisible(false);
    grid->addWidget(stakesBox_, row++, 0, 1, 4);
    stakesList_ = new QListWidget(this);
    stakesList_->setObjectName(QStringLiteral("stakes"));
    stakesList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    stakesList_->addItems(stakesItems(clientKind));
    for (int i = 0; i < stakesList_->count(); ++i) {
        QListWidgetItem* item = stakesList_->item(i);
        const std::string label = latin1(item->text());
        if (std::find(current.stakes.begin(), current.stakes.end(), label) !=
            current.stakes.end()) {
            item->setSelected(true);
        }
    }
    stakesList_->setVisible(false);
    grid->addWidget(stakesList_, row++, 0, 1, 4);

    auto* save = new QPushButton(tr("Save"), this);
    save->setObjectName(QStringLiteral("save"));
    grid->addWidget(save, row, 0, 1, 4);
    connect(save, &QPushButton::clicked, this, &ScanFilterDialog::slot_scanok);
}

void ScanFilterDialog::slot_scanok() {
    LobbyFilter& lobby = edited_.lobby;
    lobby.fullRing = fullRing_->isChecked();
    lobby.sixMax = sixMax_->isChecked();
    lobby.headsUp = headsUp_->isChecked();
    lobby.limit = limit_->isChecked();
    lobby.noLimit = noLimit_->isChecked();
    lobby.potLimit = potLimit_->isChecked() ? 1 : 0;
    edited_.playerCount = playerCount_.range();

    TableFilterSettings& table = edited_.table;
    table.playerCountActive = tfact_->isChecked();
    table.requiredPlayers = tfnum_->currentIndex();
    table.vpip = tfvpip_.range();
    table.pfr = tfpfr_.range();
    table.af = tfaf_.range();
    table.stack = tfstack_.range();
    table.loser = tfloser_->isChecked();
    table.overallActive = ofact_->isChecked();
    table.overallVpip = ofvpip_.range();
    table.overallPfr = ofpfr_.range();
    table.minimumReadsActive = ofreads_->isChecked();
    table.minimumReads = ofnum_->currentIndex();
    table.waitingLimited = tfwait_->isChecked();
    table.maximumWaiting = tfwaitmax_->currentIndex();

    // With nothing selected the file keeps its stakes.
    edited_.stakes.clear();
    for (int i = 0; i < stakesList_->count(); ++i) {
        if (stakesList_->item(i)->isSelected()) {
            edited_.stakes.push_back(latin1(stakesList_->item(i)->text()));
        }
    }
    edited_.stakesFilterOn = stakesBox_->isChecked();
    emit scanFilterSaved();
    accept();
}

}  // namespace kestrova
