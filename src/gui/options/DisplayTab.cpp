#include "gui/options/DisplayTab.h"

#include "PlayerColumns.h"
#include "TableColumns.h"
#include "gui/options/OptionsWriter.h"
#include "gui/widgets/QtText.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrova {

namespace {

struct Labelled {
    std::string_view label;
    const IntKey* key;
};

// The boxes of the columns with a Display key, in their places on the page.
template <class Columns>
std::vector<Labelled> boxesOf(const Columns& columns) {
    std::vector<std::pair<int, Labelled>> placed;
    for (const auto& column : columns) {
        if (!column.displayKey)
            continue;
        std::string_view label = column.header;
        if constexpr (requires { column.boxLabel; }) {
            if (!column.boxLabel.empty())
                label = column.boxLabel;
        }
        placed.push_back({column.displayBox, {label, column.displayKey}});
    }
    std::sort(placed.begin(), placed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Labelled> boxes;
    for (const auto& [at, box] : placed)
        boxes.push_back(box);
    return boxes;
}

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
    const auto add = [&](std::string_view label, const IntKey& key, bool checked, int at,
                         int span = 1) {
        QCheckBox* box =
            makeCheck(toQString(label), key.name.data(), checked, this, QString(), QString());
        grid->addWidget(box, row + at / kBoxesPerRow, at % kBoxesPerRow, 1, span);
        boxes_.push_back({&key, box});
    };
    const auto section = [&](const char* heading, const std::vector<Labelled>& labelled) {
        grid->addWidget(new QLabel(QString::fromLatin1(heading), this), row++, 0, 1, kBoxesPerRow);
        int at = 0;
        for (const auto& [label, key] : labelled) {
            add(label, *key, settings.read(*key) == 1, at);
            ++at;
        }
        row += (at + kBoxesPerRow - 1) / kBoxesPerRow;
    };
    section("Display for tables:", boxesOf(tableColumns()));
    section("Display for players:", boxesOf(playerColumns()));
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
