#include "gui/hud/CMgr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>

#include "gui/hud/Layout.h"
#include "gui/widgets/MessageHandlerSink.h"
#include "gui/widgets/QtText.h"

namespace kestrova {

namespace {

QPushButton* button(QWidget* parent, const QString& text, const char* name) {
    auto* pb = new QPushButton(text, parent);
    pb->setObjectName(QString::fromLatin1(name));
    return pb;
}

}  // namespace

int CMgr::sizeOfChoice(int choice) {
    switch (choice) {
        case 0:
            return 1;  // "6 max"
        case 1:
            return 0;  // "9 max"
        default:
            return 2;  // "2 max"
    }
}

CMgr::CMgr(std::filesystem::path workingDir, QWidget* parent, UserPrompts::Message showMessage)
    : QDialog(parent),
      workingDir_(std::move(workingDir)),
      showMessage_(showMessage ? std::move(showMessage) : UserPrompts::standard().showMessage) {
    setObjectName(QStringLiteral("layoutManager"));
    setWindowTitle(tr("Layout Manager"));
    setModal(true);

    roomBox_ = new QComboBox(this);
    roomBox_->setObjectName(QStringLiteral("room"));
    roomBox_->addItems({QStringLiteral("FullTiltPoker"), QStringLiteral("PartyPoker")});
    sizeBox_ = new QComboBox(this);
    sizeBox_->setObjectName(QStringLiteral("tableSize"));
    sizeBox_->addItems({tr("6 max"), tr("9 max"), tr("2 max")});

    using Slot = void (CMgr::*)();
    constexpr std::array<Slot, hud::kKindCount> kCheckSlots = {
        &CMgr::slot_vpip, &CMgr::slot_pfr, &CMgr::slot_hands, &CMgr::slot_af,   &CMgr::slot_wsd,
        &CMgr::slot_att,  &CMgr::slot_sb,  &CMgr::slot_bb,    &CMgr::slot_3bet, &CMgr::slot_conti,
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
            const auto picture = hud::findHudDataFile(workingDir_, hud::pictureFileName(index));
            auto* canvas = new Layout(layouts_.layout(room, size),
                                      QString::fromStdString(picture.string()), this);
            canvas->setObjectName(QStringLiteral("layout%1").arg(index));
            canvases_[static_cast<std::size_t>(index)] = canvas;
        }
    }

    QPushButton* pbDefault = button(this, tr("Load Default"), "pbDefault");
    QPushButton* pbSave = button(this, tr("Save"), "pbSave");
    QPushButton* pbReload = button(this, tr("Reload"), "pbReload");
    QPushButton* pbClose = button(this, tr("Close"), "pbClose");

    connect(sizeBox_, &QComboBox::currentIndexChanged, this, &CMgr::slot_currentTableChanged);
    connect(roomBox_, &QComboBox::currentIndexChanged, this, &CMgr::slot_currentRoomChanged);
    connect(pbSave, &QPushButton::clicked, this, &CMgr::slot_pbSave);
    connect(pbClose, &QPushButton::clicked, this, &CMgr::slot_pbCancel);
    connect(pbDefault, &QPushButton::clicked, this, &CMgr::slot_pbDefault);
    connect(pbReload, &QPushButton::clicked, this, &CMgr::load);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addWidget(roomBox_, 0, 0);
    grid->addWidget(sizeBox_, 0, 1);
    for (std::size_t i = 0; i < hud::kKindCount; ++i) {
        grid->addWidget(checkBoxes_[i], 1 + static_cast<int>(i / 4), static_cast<int>(i % 4));
    }
    for (Layout* canvas : canvases_) {
        grid->addWidget(canvas, 4, 0, 3, 4);
    }
    grid->addWidget(pbDefault, 7, 0);
    grid->addWidget(pbSave, 7, 1);
    grid->addWidget(pbReload, 7, 2);
    grid->addWidget(pbClose, 7, 3);

    showChosenLayout();
    // No layout holds positions of its own: start from the shipped defaults so
    // that a room without a file of the user's shows sensible boxes.
    loadFamily(hud::LayoutFamily::Default, false);
    loadFamily(hud::LayoutFamily::User, true);
}

CMgr::~CMgr() {
    // The canvases edit layouts_, a member that dies before the children do.
    for (Layout*& canvas : canvases_) {
        delete canvas;
        canvas = nullptr;
    }
}

Layout* CMgr::canvas(int room, int size) const {
    return canvases_[static_cast<std::size_t>(hud::layoutIndex(room, size))];
}

Layout* CMgr::shownCanvas() const {
    return canvas(room_, sizeOfChoice(sizeChoice_));
}

void CMgr::tell(const QString& title, const QString& text) {
    showMessage_(this, title, text);
}

void CMgr::loadFamily(hud::LayoutFamily family, bool report) {
    MessageHandlerSink sink(
        [this](const QString& title, const QString& text) { tell(title, text); });
    layouts_.load(workingDir_, family, report ? &sink : nullptr);
    for (Layout* canvas : canvases_) {
        canvas->syncFromModel();
    }
    syncCheckBoxes();
    update();
}

void CMgr::showChosenLayout() {
    Layout* chosen = shownCanvas();
    for (Layout* canvas : canvases_) {
        if (canvas != chosen) {
            canvas->hide();
        }
    }
    chosen->show();
    syncCheckBoxes();
}

void CMgr::syncCheckBoxes() {
    const hud::HudLayout& shown = shownCanvas()->model();
    for (hud::StatKind kind : hud::allKinds()) {
        checkBox(kind)->setChecked(shown.isShown(kind));
    }
}

void CMgr::applyCheckBox(hud::StatKind kind) {
    shownCanvas()->setVisibility(kind, checkBox(kind)->isChecked());
    shownCanvas()->update();
}

void CMgr::slot_currentTableChanged(int choice) {
    sizeChoice_ = choice < 0 ? 0 : choice;
    showChosenLayout();
}

void CMgr::slot_currentRoomChanged(int room) {
    room_ = room == 1 ? 1 : 0;
    showChosenLayout();
}

void CMgr::slot_vpip() {
    applyCheckBox(hud::StatKind::VPip);
}
void CMgr::slot_pfr() {
    applyCheckBox(hud::StatKind::PFR);
}
void CMgr::slot_hands() {
    applyCheckBox(hud::StatKind::Hands);
}
void CMgr::slot_af() {
    applyCheckBox(hud::StatKind::AF);
}
void CMgr::slot_wsd() {
    applyCheckBox(hud::StatKind::WentToShowdown);
}
void CMgr::slot_att() {
    applyCheckBox(hud::StatKind::AttemptToSteal);
}
void CMgr::slot_sb() {
    applyCheckBox(hud::StatKind::FoldSmallBlind);
}
void CMgr::slot_bb() {
    applyCheckBox(hud::StatKind::FoldBigBlind);
}
void CMgr::slot_3bet() {
    applyCheckBox(hud::StatKind::ThreeBet);
}
void CMgr::slot_conti() {
    applyCheckBox(hud::StatKind::ContinuationBet);
}

void CMgr::slot_pbSave() {
    MessageHandlerSink sink(
        [this](const QString& title, const QString& text) { tell(title, text); });
    layouts_.save(workingDir_, sink);
}

void CMgr::slot_pbCancel() {
    reject();
}

void CMgr::slot_pbDefault() {
    loadFamily(hud::LayoutFamily::Default, true);
}

void CMgr::load() {
    loadFamily(hud::LayoutFamily::User, true);
}

}  // namespace kestrova
