#include "gui/lists/PlayerFilterDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace kestrova {

namespace {

constexpr int kPercentTop = 100;
constexpr int kStackTop = 100000;

}  // namespace

PlayerFilterDialog::PlayerFilterDialog(const PlayerFilterSettings& current, QWidget* parent)
    : QDialog(parent), playerFilter_(current) {
    setWindowTitle(tr("Playerfilter"));
    setModal(true);
    resize(250, 200);
    auto* grid = new QGridLayout(this);
    buddy_ = keyCheckBox(tr("Is on Buddylist"), keys::low_buddy.name, current.buddiesOnly, this);
    grid->addWidget(buddy_, 0, 0, 1, 4);
    loser_ =
        keyCheckBox(tr("Overall Losing Player"), keys::low_looser.name, current.losersOnly, this);
    grid->addWidget(loser_, 1, 0, 1, 4);
    vpip_ = FilterRangeRow::add(grid, 2, tr("VPIP between "), keys::low_tfvpip, keys::low_tfvpipmin,
                                keys::low_tfvpipmax, current.vpip, kPercentTop, this);
    pfr_ = FilterRangeRow::add(grid, 3, tr("PFR between "), keys::low_tfpfr, keys::low_tfpfrmin,
                               keys::low_tfpfrmax, current.pfr, kPercentTop, this);
    af_ = FilterRangeRow::add(grid, 4, tr("AF between "), keys::low_tfaf, keys::low_tfafmin,
                              keys::low_tfafmax, current.af, kPercentTop, this);
    stack_ = FilterRangeRow::add(grid, 5, tr("Stack between (BB)"), keys::low_tfstack,
                                 keys::low_tfstackmin, keys::low_tfstackmax, current.stack,
                                 kStackTop, this);
    auto* save = new QPushButton(tr("Save"), this);
    save->setObjectName(QStringLiteral("save"));
    grid->addWidget(save, 6, 0, 1, 4);
    connect(save, &QPushButton::clicked, this, &PlayerFilterDialog::slot_pblowfilter_save);
}

void PlayerFilterDialog::slot_pblowfilter_save() {
    playerFilter_.buddiesOnly = buddy_->isChecked();
    playerFilter_.losersOnly = loser_->isChecked();
    playerFilter_.vpip = vpip_.range();
    playerFilter_.pfr = pfr_.range();
    playerFilter_.af = af_.range();
    playerFilter_.stack = stack_.range();
    emit playerFilterSaved();
    accept();
}

}  // namespace kestrova
