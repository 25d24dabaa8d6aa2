#include "gui/lists/ScanFilterDialog.h"

#include "gui/options/OptionsWriter.h"
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

#include "settings/SettingsStore.h"
#include "settings/StakesFile.h"

using kestrova::FilterRange;
using kestrova::SettingsStore;
namespace keys = kestrova::keys;

namespace {

constexpr int kPlayerEditWidthPx = 40;
constexpr int kPercentTop = 100;
constexpr int kStackTop = 1000000;
constexpr int kMaxPlayerCount = 10;
// Buffer for a bound read back as typed; bounds are a few digits.
constexpr std::size_t kTypedBufferBytes = 64;

QComboBox* countCombo(const kestrova::IntKey& key, int index, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(key.name.data(), static_cast<qsizetype>(key.name.size())));
    for (int i = 0; i <= kMaxPlayerCount; ++i) {
        combo->addItem(QString::number(i));
    }
    combo->setCurrentIndex(std::clamp(index, 0, kMaxPlayerCount));
    return combo;
}

QString typed(const SettingsStore& settings, const kestrova::IntKey& key) {
    const std::string text = settings.readText(kestrova::TypedNumberKey{key, kTypedBufferBytes});
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string latin1(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace

QStringList ScanFilterDialog::stakesItems(int clientKind) {
    if (clientKind != 5) {
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

ScanFilterDialog::ScanFilterDialog(SettingsStore& settings, std::filesystem::path workingDir,
                                   const kestrova::TableFilterSettings& current,
                                   const std::vector<std::string>& selectedStakes, int clientKind,
                                   QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      workingDir_(std::move(workingDir)),
      clientKind_(clientKind),
      tableFilter_(current),
      selectedStakes_(selectedStakes) {
    setWindowTitle(QStringLiteral("Scanfilter"));
    setModal(true);
    resize(250, 600);
    auto* grid = new QGridLayout(this);

    // The lobby filter, straight from the settings.
    fullRing_ = keyCheckBox(QStringLiteral("Scan Fullring tables"), keys::c_fullring.name,
                            settings.read(keys::c_fullring) == 1, this);
    sixMax_ = keyCheckBox(QStringLiteral("Scan 6-Max tables"), keys::c_sixmax.name,
                          settings.read(keys::c_sixmax) == 1, this);
    headsUp_ = keyCheckBox(QStringLiteral("Scan Heads Up tables"), keys::c_headsup.name,
                           settings.read(keys::c_headsup) == 1, this);
    limit_ = keyCheckBox(QStringLiteral("Scan Limit tables"), keys::Lim.name,
                         settings.read(keys::Lim) == 1, this);
    noLimit_ = keyCheckBox(QStringLiteral("Scan No Limit tables"), keys::NLim.name,
                           settings.read(keys::NLim) == 1, this);
    potLimit_ = keyCheckBox(QStringLiteral("Scan Pot Limit tables"), keys::PLim.name,
                            settings.read(keys::PLim) == 1, this);
    int row = 0;
    for (QCheckBox* box : {fullRing_, sixMax_, headsUp_, limit_, noLimit_, potLimit_}) {
        grid->addWidget(box, row++, 0, 1, 4);
    }

    // Stored but not applied by any pass, so not shown.
    playerCount_ = FilterRangeRow::add(
        grid, row++, QStringLiteral("Number of player between"), "fpc", "fpcmin", "fpcmax",
        settings.read(keys::fpcDialog) == 1, typed(settings, keys::fpcmin),
        typed(settings, keys::fpcmax), kPercentTop, kPlayerEditWidthPx, this);
    playerCount_.minimum->setMaxLength(3);
    playerCount_.maximum->setMaxLength(3);
    playerCount_.setVisible(false);

    auto* advanced = new QGroupBox(QStringLiteral("Advanced table filter"), this);
    advanced->setObjectName(QStringLiteral("advancedGroup"));
    auto* advancedGrid = new QGridLayout(advanced);
    tfact_ = keyCheckBox(QStringLiteral("Active"), keys::tfact.name, current.playerCountActive,
                         advanced);
    advancedGrid->addWidget(tfact_, 0, 0, 1, 4);
    tfnum_ = countCombo(keys::tfnum, current.requiredPlayers, advanced);
    advancedGrid->addWidget(tfnum_, 1, 0);
    advancedGrid->addWidget(new QLabel(QStringLiteral("Player with :"), advanced), 1, 1, 1, 3);
    tfvpip_ =
        FilterRangeRow::add(advancedGrid, 2, QStringLiteral("VPIP between "), keys::tfvpip,
                            keys::tfvpipmin, keys::tfvpipmax, current.vpip, kPercentTop, advanced);
    tfpfr_ =
        FilterRangeRow::add(advancedGrid, 3, QStringLiteral("PFR between "), keys::tfpfr,
                            keys::tfpfrmin, keys::tfpfrmax, current.pfr, kPercentTop, advanced);
    tfaf_ = FilterRangeRow::add(advancedGrid, 4, QStringLiteral("AF between "), keys::tfaf,
                                keys::tfafmin, keys::tfafmax, current.af, kPercentTop, advanced);
    tfstack_ =
        FilterRangeRow::add(advancedGrid, 5, QStringLiteral("Stack between (BB)"), keys::tfstack,
                            keys::tfstackmin, keys::tfstackmax, current.stack, kStackTop, advanced);
    tfloser_ = keyCheckBox(QStringLiteral("Overall Losing Player"), keys::tfloser.name,
                           current.loser, advanced);
    advancedGrid->addWidget(tfloser_, 6, 0, 1, 4);
    grid->addWidget(advanced, row++, 0, 1, 4);

    auto* overall = new QGroupBox(QStringLiteral("Overall table filter"), this);
    overall->setObjectName(QStringLiteral("overallGroup"));
    auto* overallGrid = new QGridLayout(overall);
    ofact_ =
        keyCheckBox(QStringLiteral("Active"), keys::ofact.name, current.overallActive, overall);
    overallGrid->addWidget(ofact_, 0, 0, 1, 4);
    ofvpip_ = FilterRangeRow::add(overallGrid, 1, QStringLiteral("Overall VPIP between"),
                                  keys::ofvpip, keys::ofvpipmin, keys::ofvpipmax,
                                  current.overallVpip, kPercentTop, overall);
    ofpfr_ = FilterRangeRow::add(overallGrid, 2, QStringLiteral("Overall PFR between"), keys::ofpfr,
                                 keys::ofpfrmin, keys::ofpfrmax, current.overallPfr, kPercentTop,
                                 overall);
    ofreads_ = keyCheckBox(QStringLiteral("Minimum number of reads"), keys::ofreads.name,
                           current.minimumReadsActive, overall);
    overallGrid->addWidget(ofreads_, 3, 0);
    ofnum_ = countCombo(keys::ofnum, current.minimumReads, overall);
    overallGrid->addWidget(ofnum_, 3, 1, 1, 3);
    grid->addWidget(overall, row++, 0, 1, 4);

    // The stakes selection is stored but applied by no pass: built, not shown.
    stakesBox_ = keyCheckBox(QStringLiteral("Selected stakes:"), keys::tf_stakes.name,
                             settings.read(keys::tf_stakes) == 1, this);
    stakesBox_->setVisible(false);
    grid->addWidget(stakesBox_, row++, 0, 1, 4);
    stakesList_ = new QListWidget(this);
    stakesList_->setObjectName(QStringLiteral("stakes"));
    stakesList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    stakesList_->addItems(stakesItems(clientKind));
    for (int i = 0; i < stakesList_->count(); ++i) {
        QListWidgetItem* item = stakesList_->item(i);
        const std::string label = latin1(item->text());
        if (std::find(selectedStakes.begin(), selectedStakes.end(), label) !=
            selectedStakes.end()) {
            item->setSelected(true);
        }
    }
    stakesList_->setVisible(false);
    grid->addWidget(stakesList_, row++, 0, 1, 4);

    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("save"));
    grid->addWidget(save, row, 0, 1, 4);
    connect(save, &QPushButton::clicked, this, &ScanFilterDialog::slot_scanok);
}

void ScanFilterDialog::writeRange(kestrova::OptionsWriter& out, const FilterRangeRow& range,
                                  const kestrova::IntKey& on, const kestrova::IntKey& minimum,
                                  const kestrova::IntKey& maximum) {
    out.flag(on, range.box);
    out.text(minimum.name, latin1(range.minimum->text()));
    out.text(maximum.name, latin1(range.maximum->text()));
}

void ScanFilterDialog::slot_scanok() {
    kestrova::OptionsWriter out(settings_, workingDir_);
    out.flag(keys::c_fullring, fullRing_);
    out.flag(keys::c_sixmax, sixMax_);
    out.flag(keys::c_headsup, headsUp_);
    out.flag(keys::Lim, limit_);
    out.flag(keys::NLim, noLimit_);
    out.flag(keys::PLim, potLimit_);
    writeRange(out, playerCount_, keys::fpc, keys::fpcmin, keys::fpcmax);

    out.flag(keys::tfact, tfact_);
    out.text(keys::tfnum.name, std::to_string(tfnum_->currentIndex()));
    writeRange(out, tfvpip_, keys::tfvpip, keys::tfvpipmin, keys::tfvpipmax);
    writeRange(out, tfpfr_, keys::tfpfr, keys::tfpfrmin, keys::tfpfrmax);
    writeRange(out, tfaf_, keys::tfaf, keys::tfafmin, keys::tfafmax);
    writeRange(out, tfstack_, keys::tfstack, keys::tfstackmin, keys::tfstackmax);
    out.flag(keys::tfloser, tfloser_);

    out.flag(keys::ofact, ofact_);
    writeRange(out, ofvpip_, keys::ofvpip, keys::ofvpipmin, keys::ofvpipmax);
    writeRange(out, ofpfr_, keys::ofpfr, keys::ofpfrmin, keys::ofpfrmax);
    out.flag(keys::ofreads, ofreads_);
    out.text(keys::ofnum.name, std::to_string(ofnum_->currentIndex()));

    // With nothing selected the file keeps its stakes; the list in memory empties.
    selectedStakes_.clear();
    for (int i = 0; i < stakesList_->count(); ++i) {
        if (stakesList_->item(i)->isSelected()) {
            selectedStakes_.push_back(latin1(stakesList_->item(i)->text()));
        }
    }
    out.file(kestrova::StakesFile::write(workingDir_, clientKind_, selectedStakes_),
             kestrova::StakesFile::fileName(clientKind_).value_or(""));
    stakesFilterOn_ = stakesBox_->isChecked();
    out.text(keys::tf_stakes.name, stakesFilterOn_ ? "1" : "0");

    tableFilter_ = kestrova::TableFilterSettings::fromSettings(settings_);
    if (!out.problem().empty())
        emit saveFailed(toQString(out.problem()));
    emit scanFilterSaved();
    accept();
}
