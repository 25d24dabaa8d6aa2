#include "gui/options/DisplayTab.h"

#include "AppSettings.h"
#include "PlayerColumns.h"
#include "SessionTypes.h"
#include "TableColumns.h"
#include "gui/options/OptionControls.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

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
    const auto add = [&](const QString& label, const IntKey& key, int at, int span = 1) {
        const bool* shown = displayFlag(display, key);
        QCheckBox* box =
            makeCheck(label, key.name.data(), shown && *shown, this, QString(), QString());
        grid->addWidget(box, row + at / kBoxesPerRow, at % kBoxesPerRow, 1, span);
        boxes_.push_back({&key, box});
    };
    const auto section = [&](const QString& heading, const std::vector<Labelled>& labelled) {
        grid->addWidget(new QLabel(heading, this), row++, 0, 1, kBoxesPerRow);
        int at = 0;
        for (const auto& [label, key] : labelled) {
            add(translated(text_context::kColumns, label), *key, at);
            ++at;
        }
        row += (at + kBoxesPerRow - 1) / kBoxesPerRow;
    };
    section(tr("Display for tables:"), boxesOf(tableColumns()));
    section(tr("Display for players:"), boxesOf(playerColumns()));
    add(tr("Show whole playerlist in MainWindow"), keys::cbPlayerList, 0, kBoxesPerRow);
    ++row;
    grid->addWidget(new QLabel(tr("Doubleclick left mousebutton on a table:"), this), row++, 0, 1,
                    kBoxesPerRow);
    add(tr("Join waitinglist"), keys::tdblclick, 0);
    add(tr("Open table"), keys::tdblclickopen, 1);
    ++row;

    // The score: how many weak players a table holds.
    grid->addWidget(new QLabel(tr("Table score (the expected number of weak players):"), this),
                    row++, 0, 1, kBoxesPerRow);
    const ScoreSettings& score = display.score;
    const auto field = [&](const QString& label, const char* name, const QString& text,
                           QValidator* validator) {
        auto* edit = new QLineEdit(text, this);
        edit->setObjectName(QLatin1String(name));
        edit->setValidator(validator);
        auto* caption = new QLabel(label, this);
        caption->setBuddy(edit);
        grid->addWidget(caption, row, 0, 1, kBoxesPerRow - 1);
        grid->addWidget(edit, row++, kBoxesPerRow - 1);
        return edit;
    };
    weakVpip_ = field(tr("A player is weak when his VPIP is above (%):"), "weakvpip",
                      QString::number(score.weakVpipPercent), new QIntValidator(1, 99, this));
    priorVpip_ = field(tr("A player without hands is taken to play a VPIP of (%):"), "priorvpip",
                       QString::number(score.priorVpipPercent), new QIntValidator(1, 99, this));
    priorHands_ = field(tr("That guess counts as many hands as:"), "priorhands",
                        QString::number(score.priorHands), new QIntValidator(1, 100000, this));
    auto* decimal = new QDoubleValidator(0, 10, 1, this);
    decimal->setLocale(QLocale::c());
    decimal->setNotation(QDoubleValidator::StandardNotation);
    goodScore_ = field(tr("Tint a table from a score of:"), "goodscore",
                       QString::number(score.goodScore, 'f', 1), decimal);
    grid->setRowStretch(++row, 1);
}

void DisplayTab::store(DisplaySettings& display) const {
    for (const Box& box : boxes_) {
        if (bool* shown = displayFlag(display, *box.key))
            *shown = box.box->isChecked();
    }
    // An empty or incomplete field keeps what was there.
    ScoreSettings& score = display.score;
    const auto whole = [](const QLineEdit* edit, int& value) {
        bool ok = false;
        const int typed = edit->text().toInt(&ok);
        if (ok)
            value = typed;
    };
    whole(weakVpip_, score.weakVpipPercent);
    whole(priorVpip_, score.priorVpipPercent);
    whole(priorHands_, score.priorHands);
    bool ok = false;
    const double good = QLocale::c().toDouble(goodScore_->text(), &ok);
    if (ok)
        score.goodScore = good;
    score = score.validated();
}

}  // namespace kestrova
