#include "gui/options/DisplayTab.h"

#include "gui/options/OptionsWriter.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

#include <utility>

namespace kestrova {

namespace {

using Labelled = std::pair<const char*, const IntKey*>;

const Labelled kTableBoxes[] = {
    {"Tablename", &keys::dtname},  {"Limit", &keys::dtlimit},       {"Player", &keys::dtplayer},
    {"Avg. Pot", &keys::dtavgpot}, {"Avg. VPIP", &keys::dtavgvpip}, {"Avg. PFR", &keys::dtavgpfr},
    {"# Reads", &keys::dtreads},   {"# Buddies", &keys::dtbuddies}, {"WL", &keys::dtwl},
    {"Avg. AF", &keys::dtavgaf},   {"Avg. WTSD", &keys::dtavgwtsd},
};

const Labelled kPlayerBoxes[] = {
    {"Seat", &keys::dpseat},       {"Screenname", &keys::dpname}, {"Buddy", &keys::dpbuddy},
    {"VPIP", &keys::dpvpip},       {"PFR", &keys::dppfr},         {"AF", &keys::dpaf},
    {"WTSD", &keys::dpwtsd},       {"Hands", &keys::dphands},     {"Stack", &keys::dpstack},
    {"Flop AF", &keys::dpflopaf},  {"Turn AF", &keys::dpturnaf},  {"River AF", &keys::dpriveraf},
    {"Won SD", &keys::dpwonsd},    {"Won", &keys::dpwon},         {"Autorate", &keys::dpicon},
    {"Att. Steal", &keys::dpatts}, {"Fold SB", &keys::dpfoldsb},  {"Fold BB", &keys::dpfoldbb},
    {"Conti Bet", &keys::dpcbet},
};

// The order "OK" writes the keys in.
const IntKey* const kWriteOrder[] = {
    &keys::dtname,    &keys::dtlimit,   &keys::dtplayer,      &keys::dtavgpot,     &keys::dtavgvpip,
    &keys::dtavgpfr,  &keys::dtreads,   &keys::dtbuddies,     &keys::dtwl,         &keys::dpseat,
    &keys::dpname,    &keys::dpbuddy,   &keys::dpvpip,        &keys::cbPlayerList, &keys::dppfr,
    &keys::dpaf,      &keys::dpwtsd,    &keys::dphands,       &keys::dpstack,      &keys::dpflopaf,
    &keys::dpturnaf,  &keys::dpriveraf, &keys::dpwonsd,       &keys::dpwon,        &keys::dpicon,
    &keys::dpatts,    &keys::dpfoldsb,  &keys::dpfoldbb,      &keys::dpcbet,       &keys::dtavgaf,
    &keys::dtavgwtsd, &keys::tdblclick, &keys::tdblclickopen,
};

constexpr int kBoxesPerRow = 4;

}  // namespace

DisplayTab::DisplayTab(const SettingsStore& settings, QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    int row = 0;
    // Checked as the window reads the key: a column shows only for exactly 1,
    // a double click opens unless the key is 0.
    const auto add = [&](const char* label, const IntKey& key, bool checked, int at, int span = 1) {
        QCheckBox* box = makeCheck(QString::fromLatin1(label), key.name.data(), checked, this,
                                   QString(), QString());
        grid->addWidget(box, row + at / kBoxesPerRow, at % kBoxesPerRow, 1, span);
        boxes_.push_back({&key, box});
    };
    const auto section = [&](const char* heading, const auto& labelled) {
        grid->addWidget(new QLabel(QString::fromLatin1(heading), this), row++, 0, 1, kBoxesPerRow);
        int at = 0;
        for (const auto& [label, key] : labelled) {
            add(label, *key, settings.read(*key) == 1, at);
            ++at;
        }
        row += (at + kBoxesPerRow - 1) / kBoxesPerRow;
    };
    section("Display for tables:", kTableBoxes);
    section("Display for players:", kPlayerBoxes);
    add("Show whole playerlist in MainWindow", keys::cbPlayerList,
        settings.read(keys::cbPlayerList) == 1, 0, kBoxesPerRow);
    ++row;
    grid->addWidget(new QLabel(QStringLiteral("Doubleclick left mousebutton on a table:"), this),
                    row++, 0, 1, kBoxesPerRow);
    add("Join waitinglist", keys::tdblclick, settings.read(keys::tdblclick) != 0, 0);
    add("Open table", keys::tdblclickopen, settings.read(keys::tdblclickopen) != 0, 1);
    grid->setRowStretch(++row, 1);
}

QCheckBox* DisplayTab::boxOf(const IntKey& key) const {
    for (const Box& box : boxes_) {
        if (box.key == &key)
            return box.box;
    }
    return nullptr;
}

void DisplayTab::write(OptionsWriter& out) const {
    for (const IntKey* key : kWriteOrder)
        out.flag(*key, boxOf(*key));
}

}  // namespace kestrova
