#include "gui/options/OpenTab.h"

#include "gui/options/OptionsWriter.h"
#include "settings/OpenCountConf.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace kestrova {

OpenTab::OpenTab(const SettingsStore& settings, const std::filesystem::path& directory,
                 QWidget* parent)
    : QWidget(parent) {
    const QString openTip = QStringLiteral("If checked, then tables gets opened automatically");
    open_ = makeCheck(QStringLiteral("Open tables automatically"), "open",
                      settings.read(keys::open) != 0, this, openTip, openTip);
    const QString sixmaxTip = QStringLiteral("if checked, only shorthanded tables are opened");
    sixmax_ = makeCheck(QStringLiteral("Open 6-max tables only (FR only if unchecked)"), "sixmax",
                        settings.read(keys::sixmax) != 0, this, sixmaxTip, sixmaxTip);
    both_ = makeCheck(QStringLiteral("Open 6-max AND fullring tables"), "both",
                      settings.read(keys::both) != 0, this, QString(), QString());
    tables_ = makeCountBox(16, OpenCountConf::read(directory), "tablesToOpen", this);
    minPlayer_ = makeCountBox(10, settings.read(keys::minplayer), "minplayer", this);
    exc_ = makeCheck(QStringLiteral("Exclude Jackpot tables (Party)"), "exc",
                     settings.read(keys::exc) != 0, this, QString(), QString());

    auto* grid = new QGridLayout(this);
    grid->addWidget(open_, 0, 0, 1, 2);
    grid->addWidget(sixmax_, 1, 0, 1, 2);
    grid->addWidget(both_, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Number of tables to open: "), this), 3, 0);
    grid->addWidget(tables_, 3, 1);
    grid->addWidget(
        new QLabel(QStringLiteral("Minimum number of player a table must have to get opened: "),
                   this),
        4, 0);
    grid->addWidget(minPlayer_, 4, 1);
    grid->addWidget(exc_, 5, 0, 1, 2);
}

void OpenTab::writeFlags(OptionsWriter& out) const {
    out.flag(keys::open, open_);
    out.flag(keys::sixmax, sixmax_);
    out.flag(keys::both, both_);
    out.flag(keys::exc, exc_);
}

void OpenTab::writeCounts(OptionsWriter& out) const {
    out.file(OpenCountConf::write(out.directory(), countOf(tables_)), OpenCountConf::kFileName);
    out.count(keys::minplayer, minPlayer_);
}

}  // namespace kestrova
