#include "gui/options/OpenTab.h"

#include "SessionTypes.h"
#include "gui/options/OptionControls.h"
#include "gui/widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace kestrova {

OpenTab::OpenTab(const OpenOptions& options, QWidget* parent) : QWidget(parent) {
    const QString openTip = tr("If checked, then tables gets opened automatically");
    open_ =
        makeCheck(tr("Open tables automatically"), "open", options.open, this, openTip, openTip);
    const QString sixmaxTip = tr("if checked, only shorthanded tables are opened");
    sixmax_ = makeCheck(tr("Open 6-max tables only (FR only if unchecked)"), "sixmax",
                        options.sixMaxOnly, this, sixmaxTip, sixmaxTip);
    both_ = makeCheck(tr("Open 6-max AND fullring tables"), "both", options.both, this, QString(),
                      QString());
    tables_ = makeCountBox(16, options.tablesToOpen, "tablesToOpen", this);
    minPlayer_ = makeCountBox(10, options.minimumPlayers, "minplayer", this);
    exc_ = makeCheck(tr("Exclude Jackpot tables (Party)"), "exc", options.excludeJackpot, this,
                     QString(), QString());

    auto* grid = new QGridLayout(this);
    grid->addWidget(open_, 0, 0, 1, 2);
    grid->addWidget(sixmax_, 1, 0, 1, 2);
    grid->addWidget(both_, 2, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Number of tables to open: "), this), 3, 0);
    grid->addWidget(tables_, 3, 1);
    grid->addWidget(
        new QLabel(tr("Minimum number of player a table must have to get opened: "), this), 4, 0);
    grid->addWidget(minPlayer_, 4, 1);
    grid->addWidget(exc_, 5, 0, 1, 2);
}

void OpenTab::store(OpenOptions& options) const {
    options.open = open_->isChecked();
    options.sixMaxOnly = sixmax_->isChecked();
    options.both = both_->isChecked();
    options.excludeJackpot = exc_->isChecked();
    options.tablesToOpen = countOf(tables_);
    options.minimumPlayers = countOf(minPlayer_);
}

}  // namespace kestrova
