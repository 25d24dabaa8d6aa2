#include "gui/options/CloseTab.h"

#include "common/Text.h"
#include "gui/options/OptionsWriter.h"
#include "gui/widgets/QtText.h"
#include "settings/CloseConf.h"
#include "settings/CompanionFile.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

namespace kestrova {

namespace {

QLineEdit* makeNumberField(const char* name, int lowest, int highest, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setValidator(new QIntValidator(lowest, highest, field));
    return field;
}

}  // namespace

CloseTab::CloseTab(const SettingsStore& settings, const std::filesystem::path& directory,
                   QWidget* parent)
    : QWidget(parent) {
    close_ = makeCheck(QStringLiteral("Close table if number of player below:"), "close",
                       settings.read(keys::close) != 0, this, QString(), QString());
    minClosePlayer_ = makeCountBox(10, settings.read(keys::mincloseplayer), "mincloseplayer", this);

    potRule_ = makeCheck(QStringLiteral("Close table if Avr. Pot not between (BB):"), "potRule",
                         false, this, QString(), QString());
    lowerPot_ = makeNumberField("lowerPot", 0, 100, this);
    upperPot_ = makeNumberField("upperPot", 0, 100, this);
    // Without the file the bounds stay empty.
    if (const auto bytes = readCompanionFile(directory, CloseConf::kFileName)) {
        const CloseConf conf = CloseConf::fromBytes(*bytes, CloseConf{});
        potRule_->setChecked(conf.flag == 1);
        lowerPot_->setText(QString::number(conf.lowerPotBb));
        upperPot_->setText(QString::number(conf.upperPotBb));
    }

    closeHands_ = makeCheck(QStringLiteral("Close table if more than "), "closeHands",
                            settings.read(keys::closeHands) == 1, this, QString(), QString());
    closeHandsPlayers_ =
        makeCountBox(10, settings.read(keys::closeHandsNumPlayer), "closeHandsNumPlayer", this);
    closeHandsCount_ = makeNumberField("closeHandsCount", 1, 10000, this);
    closeHandsCount_->setText(toQString(settings.readText(keys::closeHandsCountClosePage)));

    auto* grid = new QGridLayout(this);
    grid->addWidget(close_, 0, 0, 1, 3);
    grid->addWidget(minClosePlayer_, 0, 3);
    grid->addWidget(potRule_, 1, 0);
    grid->addWidget(lowerPot_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("and"), this), 1, 2);
    grid->addWidget(upperPot_, 1, 3);
    grid->addWidget(closeHands_, 2, 0);
    grid->addWidget(closeHandsPlayers_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("player with"), this), 2, 2);
    grid->addWidget(closeHandsCount_, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("hands on it"), this), 2, 4);
    grid->addWidget(new QLabel(QStringLiteral("Automatic closing by Potsize and player hands is "
                                              "currently only available for Party-/Empire Poker."),
                               this),
                    3, 0, 1, 5);
}

void CloseTab::write(OptionsWriter& out) const {
    out.flag(keys::close, close_);
    out.count(keys::mincloseplayer, minClosePlayer_);
    CloseConf conf;
    conf.flag = potRule_->isChecked() ? 1 : 0;
    conf.lowerPotBb = leadingInteger(lowerPot_->text().toStdString());
    conf.upperPotBb = leadingInteger(upperPot_->text().toStdString());
    out.file(conf.write(out.directory()), CloseConf::kFileName);
    out.flag(keys::closeHands, closeHands_);
    out.count(keys::closeHandsNumPlayer, closeHandsPlayers_);
    out.text(keys::closeHandsCount.name, closeHandsCount_);
}

}  // namespace kestrova
