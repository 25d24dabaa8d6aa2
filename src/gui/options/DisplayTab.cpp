#include "gui/options/DisplayTab.h"

#include "AppSettings.h"
#include "PlayerColumns.h"
#include "TableColumns.h"
#include "gui/options/OptionControls.h"
#include "gui/widgets/QtText.h"
#include "settings/SettingKeys.h"

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

constexpr int kBoxesPerRow = 4;

}  // namespace

DisplayTab::DisplayTab(const DisplaySettings& display, QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    int row = 0;
    const auto add = [&](std::string_view label, const IntKey& key, int at, int span = 1) {
        const bool* shown = displayFlag(display, key);
        QCheckBox* box = makeCheck(toQString(label), key.name.data(), shown && *shown, this,
                                   QString(), QString());
        grid->addWidget(box, row + at / kBoxesPerRow, at % kBoxesPerRow, 1, span);
        boxes_.push_back({&key, box});
    };
    const auto section = [&](const char* heading, const std::vector<Labelled>& labelled) {
        grid->addWidget(new QLabel(QString::fromLatin1(heading), this), row++, 0, 1, kBoxesPerRow);
        int at = 0;
        for (const auto& [label, key] : labelled) {
            add(label, *key, at);
            ++at;
        }
        row += (at + kBoxesPerRow - 1) / kBoxesPerRow;
    };
    section("Display for tables:", boxesOf(tableColumns()));
    section("Display for players:", boxesOf(playerColumns()));
    add("Show whole playerlist in MainWindow", keys::cbPlayerList, 0, kBoxesPerRow);
    ++row;
    grid->addWidget(new QLabel(QStringLiteral("Doubleclick left mousebutton on a table:"), this),
                    row++, 0, 1, kBoxesPerRow);
    add("Join waitinglist", keys::tdblclick, 0);
    add("Open table", keys::tdblclickopen, 1);
    grid->setRowStretch(++row, 1);
}

void DisplayTab::store(DisplaySettings& display) const {
    for (const Box& box : boxes_) {
        if (bool* shown = displayFlag(display, *box.key))
            *shown = box.box->isChecked();
    }
}

}  // namespace kestrova
