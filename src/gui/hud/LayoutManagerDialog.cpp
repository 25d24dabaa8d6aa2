#include "gui/hud/LayoutManagerDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>

#include "gui/hud/LayoutCanvas.h"
#include "gui/widgets/MessageHandlerSink.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/WidgetHelpers.h"

namespace kestrova {

int LayoutManagerDialog::sizeOfChoice(int choice) {
    switch (choice) {
        case 0:
            return 1;  // "6 max"
        case 1:
            return 0;  // "9 max"
        default:
            return 2;  // "2 max"
    }
}

LayoutManagerDialog::LayoutManagerDialog(std::filesystem::path workingDir, QWidget* parent,
                                         UserPrompts::Message showMessage)
    : QDialog(parent),
      showMessage_(showMessage ? std::move(showMessage) : UserPrompts::standard().showMessage),
      layouts_(std::move(workingDir)) {
    setObjectName(QStringLiteral("layoutManager"));
    setWindowTitle(tr("Layout Manager"));
    setModal(true);

    roomBox_ = new QComboBox(this);
    roomBox_->setObjectName(QStringLiteral("room"));
    roomBox_->addItems({QStringLiteral("FullTiltPoker"), QStringLiteral("PartyPoker")});
    sizeBox_ = new QComboBox(this);
    sizeBox_->setObjectName(QStringLiteral("tableSize"));
    sizeBox_->addItems({tr("6 max"), tr("9 max"), tr("2 max")});

    using Slot = void (LayoutManagerDialog::*)();
    constexpr std::array<Slot, hud::kKindCount> kCheckSlots = {
        &LayoutManagerDialog::slot_vpip,  &LayoutManagerDialog::slot_pfr,
        &LayoutManagerDialog::slot_hands, &LayoutManagerDialog::slot_af,
        &LayoutManagerDialog::slot_wsd,   &LayoutManagerDialog::slot_att,
        &LayoutManagerDialog::slot_sb,    &LayoutManagerDialog::slot_bb,
        &LayoutManagerDialog::slot_3bet,  &LayoutManagerDialog::slot_conti,
    };
    for (hud::StatKind kind : hud::allKinds()) {
        auto* box =
            new QCheckBox(translated(text_context::kHudStats, hud::info(kind).checkLabel), this);
        checkBoxes_[hud::indexOf(kind)] = box;
        // clicked, not toggled: setting a box from a flag must not change the flag.
        connect(box, &QCheckBox::clicked, this, kCheckSlots[hud::indexOf(kind)]);
    }

    for (int room = 0; room < hud::kRoomCount; ++room) {
        for (int size = 0; size < hud::kSizeCount; ++size) {
            const int index = hud::layoutIndex(room, size);
            const auto picture = layouts_.picture(index);
            auto* canvas = new LayoutCanvas(layouts_.layout(room, size),
                                            QString::fromStdString(picture.string()), this);
            canvas->setObjectName(QStringLiteral("layout%1").arg(index));
            canvases_[static_cast<std::size_t>(index)] = canvas;
        }
    }

    QPushButton* pbDefault = makeButton(tr("Load Default"), "pbDefault", this);
    QPushButton* pbSave = makeButton(tr("Save"), "pbSave", this);
    QPushButton* pbReload = makeButton(tr("Reload"), "pbReload", this);
    QPushButton* pbClose = makeButton(tr("Close"), "pbClose", this);

    connect(sizeBox_, &QComboBox::currentIndexChanged, this,
            &LayoutManagerDialog::slot_currentTableChanged);
    connect(roomBox_, &QComboBox::currentIndexChanged, this,
            &LayoutManagerDialog::slot_currentRoomChanged);
    connect(pbSave, &QPushButton::clicked, this, &LayoutManagerDialog::slot_pbSave);
    connect(pbClose, &QPushButton::clicked, this, &LayoutManagerDialog::slot_pbCancel);
    connect(pbDefault, &QPushButton::clicked, this, &LayoutManagerDialog::slot_pbDefault);
    connect(pbReload, &QPushButton::clicked, this, &LayoutManagerDialog::load);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addWidget(roomBox_, 0, 0);
    grid->addWidget(sizeBox_, 0, 1);
    for (std::size_t i = 0; i < hud::kKindCount; ++i) {
        grid->addWidget(checkBoxes_[i], 1 + static_cast<int>(i / 4), static_cast<int>(i % 4));
    }
    for (LayoutCanvas* canvas : canvases_) {
        grid->addWidget(canvas, 4, 0, 3, 4);
    }
    grid->addWidget(pbDefault, 7, 0);
    grid->addWidget(pbSave, 7, 1);
    grid->addWidget(pbReload, 7, 2);
    grid->addWidget(pbClose, 7, 3);

    showChosenLayout();
    // No layout holds positions of its own: start from the shipped defaults so
    // that a room without a file of the user's shows sensible boxes.
    loadLayouts(true, false);
    loadLayouts(false, true);
}

LayoutManagerDialog::~LayoutManagerDialog() {
    // The canvases edit layouts_, a member that dies before the children do.
    for (LayoutCanvas*& canvas : canvases_) {
        delete canvas;
        canvas = nullptr;
    }
}

LayoutCanvas* LayoutManagerDialog::canvas(int room, int size) const {
    return canvases_[static_cast<std::size_t>(hud::layoutIndex(room, size))];
}

LayoutCanvas* LayoutManagerDialog::shownCanvas() const {
    return canvas(room_, sizeOfChoice(sizeChoice_));
}

void LayoutManagerDialog::tell(const Message& message) {
    showMessage_(this, message);
}

void LayoutManagerDialog::loadLayouts(bool defaults, bool report) {
    MessageHandlerSink sink([this](const Message& message) { tell(message); });
    MessageSink* failures = report ? &sink : nullptr;
    if (defaults)
        layouts_.loadDefaults(failures);
    else
        layouts_.loadSaved(failures);
    for (LayoutCanvas* canvas : canvases_) {
        canvas->syncFromModel();
    }
    syncCheckBoxes();
    update();
}

void LayoutManagerDialog::showChosenLayout() {
    LayoutCanvas* chosen = shownCanvas();
    for (LayoutCanvas* canvas : canvases_) {
        if (canvas != chosen) {
            canvas->hide();
        }
    }
    chosen->show();
    syncCheckBoxes();
}

void LayoutManagerDialog::syncCheckBoxes() {
    const hud::HudLayout& shown = shownCanvas()->model();
    for (hud::StatKind kind : hud::allKinds()) {
        checkBox(kind)->setChecked(shown.isShown(kind));
    }
}

void LayoutManagerDialog::applyCheckBox(hud::StatKind kind) {
    shownCanvas()->setVisibility(kind, checkBox(kind)->isChecked());
    shownCanvas()->update();
}

void LayoutManagerDialog::slot_currentTableChanged(int choice) {
    sizeChoice_ = choice < 0 ? 0 : choice;
    showChosenLayout();
}

void LayoutManagerDialog::slot_currentRoomChanged(int room) {
    room_ = room == 1 ? 1 : 0;
    showChosenLayout();
}

void LayoutManagerDialog::slot_vpip() {
    applyCheckBox(hud::StatKind::VPip);
}
void LayoutManagerDialog::slot_pfr() {
    applyCheckBox(hud::StatKind::PFR);
}
void LayoutManagerDialog::slot_hands() {
    applyCheckBox(hud::StatKind::Hands);
}
void LayoutManagerDialog::slot_af() {
    applyCheckBox(hud::StatKind::AF);
}
void LayoutManagerDialog::slot_wsd() {
    applyCheckBox(hud::StatKind::WentToShowdown);
}
void LayoutManagerDialog::slot_att() {
    applyCheckBox(hud::StatKind::AttemptToSteal);
}
void LayoutManagerDialog::slot_sb() {
    applyCheckBox(hud::StatKind::FoldSmallBlind);
}
void LayoutManagerDialog::slot_bb() {
    applyCheckBox(hud::StatKind::FoldBigBlind);
}
void LayoutManagerDialog::slot_3bet() {
    applyCheckBox(hud::StatKind::ThreeBet);
}
void LayoutManagerDialog::slot_conti() {
    applyCheckBox(hud::StatKind::ContinuationBet);
}

void LayoutManagerDialog::slot_pbSave() {
    MessageHandlerSink sink([this](const Message& message) { tell(message); });
    layouts_.save(sink);
}

void LayoutManagerDialog::slot_pbCancel() {
    reject();
}

void LayoutManagerDialog::slot_pbDefault() {
    loadLayouts(true, true);
}

void LayoutManagerDialog::load() {
    loadLayouts(false, true);
}

}  // namespace kestrova
