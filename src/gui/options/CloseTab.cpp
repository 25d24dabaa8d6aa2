#include "gui/options/CloseTab.h"

#include "SessionTypes.h"
#include "gui/options/OptionControls.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace kestrova {

namespace {}  // namespace

CloseTab::CloseTab(const CloseOptions& options, QWidget* parent) : QWidget(parent) {
    close_ = makeCheck(tr("Close table if number of player below:"), "close", options.close, this,
                       QString(), QString());
    minClosePlayer_ = makeCountBox(10, options.minimumPlayers, "mincloseplayer", this);

    potRule_ = makeCheck(tr("Close table if Avr. Pot not between (BB):"), "potRule", false, this,
                         QString(), QString());
    lowerPot_ = makeNumberField("lowerPot", 0, 100, this);
    upperPot_ = makeNumberField("upperPot", 0, 100, this);
    // Without the file the bounds stay empty.
    if (options.potRule) {
        potRule_->setChecked(options.potRule->flag == 1);
        lowerPot_->setText(QString::number(options.potRule->lowerPotBb));
        upperPot_->setText(QString::number(options.potRule->upperPotBb));
    }

    closeHands_ = makeCheck(tr("Close table if more than "), "closeHands", options.closeByHands,
                            this, QString(), QString());
    closeHandsPlayers_ = makeCountBox(10, options.closeByHandsPlayers, "closeHandsNumPlayer", this);
    closeHandsCount_ = makeNumberField("closeHandsCount", 1, 10000, this);
    closeHandsCount_->setText(toQString(options.closeByHandsCount));

    auto* grid = new QGridLayout(this);
    grid->addWidget(close_, 0, 0, 1, 3);
    grid->addWidget(minClosePlayer_, 0, 3);
    grid->addWidget(potRule_, 1, 0);
    grid->addWidget(lowerPot_, 1, 1);
    grid->addWidget(new QLabel(tr("and"), this), 1, 2);
    grid->addWidget(upperPot_, 1, 3);
    grid->addWidget(closeHands_, 2, 0);
    grid->addWidget(closeHandsPlayers_, 2, 1);
    grid->addWidget(new QLabel(tr("player with"), this), 2, 2);
    grid->addWidget(closeHandsCount_, 2, 3);
    grid->addWidget(new QLabel(tr("hands on it"), this), 2, 4);
    grid->addWidget(new QLabel(tr("Automatic closing by Potsize and player hands is currently only "
                                  "available for Party-/Empire Poker."),
                               this),
                    3, 0, 1, 5);
}

void CloseTab::store(CloseOptions& options) const {
    options.close = close_->isChecked();
    options.minimumPlayers = countOf(minClosePlayer_);
    CloseConf conf;
    conf.flag = potRule_->isChecked() ? 1 : 0;
    conf.lowerPotBb = lowerPot_->text().toInt();
    conf.upperPotBb = upperPot_->text().toInt();
    options.potRule = conf;
    options.closeByHands = closeHands_->isChecked();
    options.closeByHandsPlayers = countOf(closeHandsPlayers_);
    options.closeByHandsCount = closeHandsCount_->text().toUtf8().toStdString();
}

}  // namespace kestrova
