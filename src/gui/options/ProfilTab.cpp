#include "gui/options/ProfilTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "SessionTypes.h"
#include "gui/options/ProfileRangeDialog.h"
#include "gui/widgets/QtText.h"

namespace kestrova {

namespace {

constexpr int kMinColumn = 0;
constexpr int kMaxColumn = 1;
constexpr int kColourColumn = 2;
// The colour of a row, kept beside the cell's background.
constexpr int kColourRole = Qt::UserRole;

constexpr int kLargestHands = 99999999;
// The main window reads the own name through 128 bytes.
constexpr int kOwnNameMaxLength = 127;

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

Rgb toRgb(const QColor& colour) {
    return Rgb{colour.red(), colour.green(), colour.blue()};
}

}  // namespace

ProfilTab::ProfilTab(ColourRanges profiles, SaveProfile save, UserPrompts prompts, QWidget* parent)
    : QWidget(parent),
      profiles_(std::move(profiles)),
      save_(std::move(save)),
      prompts_(std::move(prompts)) {
    choice_ = new QComboBox(this);
    choice_->setObjectName(QStringLiteral("statChoice"));
    for (ProfileStat stat : kProfileStats)
        choice_->addItem(latin1(profileFileName(stat)));

    ranges_ = new QTreeWidget(this);
    ranges_->setObjectName(QStringLiteral("ranges"));
    ranges_->setColumnCount(3);
    ranges_->setHeaderLabels({tr("Min"), tr("Max"), tr("Color")});
    ranges_->setRootIsDecorated(false);
    ranges_->setSelectionMode(QAbstractItemView::NoSelection);

    auto* pbNew = new QPushButton(tr("New"), this);
    pbNew->setObjectName(QStringLiteral("pbNew"));
    auto* pbEdit = new QPushButton(tr("Edit"), this);
    pbEdit->setObjectName(QStringLiteral("pbEdit"));
    auto* pbDelete = new QPushButton(tr("Delete"), this);
    pbDelete->setObjectName(QStringLiteral("pbDelete"));
    auto* pbSave = new QPushButton(tr("Save"), this);
    pbSave->setObjectName(QStringLiteral("pbSave"));

    profilHands_ = new QLineEdit(this);
    profilHands_->setObjectName(QStringLiteral("profilhands"));
    profilHands_->setValidator(new QIntValidator(0, kLargestHands, profilHands_));
    profilMe_ = new QLineEdit(this);
    profilMe_->setObjectName(QStringLiteral("profilme"));
    profilMe_->setMaxLength(kOwnNameMaxLength);
    excludeMe_ = new QCheckBox(tr("Exclude myself from scan"), this);
    excludeMe_->setObjectName(QStringLiteral("excludeme"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(choice_, 0, 0, 1, 4);
    layout->addWidget(ranges_, 1, 0, 1, 4);
    layout->addWidget(pbNew, 2, 0);
    layout->addWidget(pbEdit, 2, 1);
    layout->addWidget(pbDelete, 2, 2);
    layout->addWidget(pbSave, 2, 3);
    layout->addWidget(new QLabel(tr("Activate profile/player if more than"), this), 3, 0, 1, 2);
    layout->addWidget(profilHands_, 3, 2);
    layout->addWidget(new QLabel(tr("hands available"), this), 3, 3);
    layout->addWidget(new QLabel(tr("My screenname : "), this), 4, 0);
    layout->addWidget(profilMe_, 4, 1, 1, 3);
    layout->addWidget(excludeMe_, 5, 0, 1, 4);

    connect(choice_, &QComboBox::currentTextChanged, this, &ProfilTab::slot_ValueChanged);
    connect(ranges_, &QTreeWidget::itemClicked, this, &ProfilTab::t_Clicked);
    connect(pbNew, &QPushButton::clicked, this, &ProfilTab::slot_New);
    connect(pbEdit, &QPushButton::clicked, this, &ProfilTab::slot_Edit);
    connect(pbDelete, &QPushButton::clicked, this, &ProfilTab::slot_Delete);
    connect(pbSave, &QPushButton::clicked, this, &ProfilTab::slot_Save);

    slot_ValueChanged(choice_->currentText());
}

ProfilTab::~ProfilTab() = default;

void ProfilTab::loadSettings(const ProfileOptions& options) {
    profilHands_->setText(toQString(options.minimumHands));
    profilMe_->setText(toQString(options.ownName));
    excludeMe_->setChecked(options.excludeMe);
}

void ProfilTab::store(ProfileOptions& options) const {
    options.minimumHands = profilHands_->text().toLatin1().toStdString();
    options.ownName = profilMe_->text().toUtf8().toStdString();
    options.excludeMe = excludeMe_->isChecked();
}

ProfileStat ProfilTab::currentStat() const {
    const int index = choice_->currentIndex();
    if (index < 0 || index >= static_cast<int>(kProfileStatCount))
        return ProfileStat::Vpip;
    return kProfileStats[static_cast<std::size_t>(index)];
}

StatProfile ProfilTab::shownProfile() const {
    StatProfile profile;
    for (int i = 0; i < ranges_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = ranges_->topLevelItem(i);
        profile.ranges().push_back(
            ProfileRange{item->text(kMinColumn).toLatin1().toStdString(),
                         item->text(kMaxColumn).toLatin1().toStdString(),
                         toRgb(item->data(kColourColumn, kColourRole).value<QColor>())});
    }
    return profile;
}

void ProfilTab::fillRow(QTreeWidgetItem* item, const QString& minimum, const QString& maximum,
                        const QColor& colour) {
    item->setText(kMinColumn, minimum);
    item->setText(kMaxColumn, maximum);
    item->setData(kColourColumn, kColourRole, colour);
    item->setBackground(kColourColumn, colour);
}

void ProfilTab::appendRow(const ProfileRange& range) {
    auto* item = new QTreeWidgetItem(ranges_);
    fillRow(item, latin1(range.minimumText), latin1(range.maximumText), toQColor(range.colour));
}

void ProfilTab::slot_ValueChanged(const QString& name) {
    ranges_->clear();
    selected_ = nullptr;
    for (ProfileStat stat : kProfileStats) {
        if (latin1(profileFileName(stat)) == name) {
            const StatProfile& profile = profiles_.profile(stat);
            for (const ProfileRange& range : profile.ranges())
                appendRow(range);
            return;
        }
    }
}

void ProfilTab::t_Clicked(QTreeWidgetItem* item, int /*column*/) {
    if (item == nullptr)
        return;
    if (selected_ != nullptr) {
        selected_->setBackground(kMinColumn, Qt::white);
        selected_->setBackground(kMaxColumn, Qt::white);
    }
    item->setBackground(kMinColumn, Qt::red);
    item->setBackground(kMaxColumn, Qt::red);
    selected_ = item;
}

void ProfilTab::runRangeDialog(bool editing) {
    ProfileRangeDialog dialog(
        editing ? ProfileRangeDialog::Mode::Edit : ProfileRangeDialog::Mode::Add, this);
    if (editing) {
        dialog.setTexts(selected_->text(kMinColumn), selected_->text(kMaxColumn));
        dialog.setColour(selected_->data(kColourColumn, kColourRole).value<QColor>());
    }
    connect(dialog.colourButton(), &QPushButton::clicked, this, &ProfilTab::slot_Color);
    connect(dialog.confirmButton(), &QPushButton::clicked, this,
            editing ? &ProfilTab::slot_EditDone : &ProfilTab::slot_Add);
    connect(dialog.cancelButton(), &QPushButton::clicked, this, &ProfilTab::slot_Cancel);
    dialog_ = &dialog;
    dialog.exec();
    dialog_ = nullptr;
}

void ProfilTab::slot_New() {
    runRangeDialog(false);
}

void ProfilTab::slot_Edit() {
    if (selected_ != nullptr)
        runRangeDialog(true);
}

// Only numbers the editor admits reach the file; the dialog stays open, saying
// which bound is wrong, until both texts are complete.
bool ProfilTab::boundsAccepted() {
    if (!dialog_)
        return false;
    const QString problem = dialog_->boundsProblem();
    if (!problem.isEmpty() && prompts_.showMessage)
        prompts_.showMessage(dialog_, guiMessage(MessageKind::Failure, errorTitle(), problem));
    return problem.isEmpty();
}

void ProfilTab::slot_Add() {
    if (!boundsAccepted())
        return;
    auto* item = new QTreeWidgetItem(ranges_);
    fillRow(item, dialog_->minimumText(), dialog_->maximumText(), dialog_->colour());
    dialog_->accept();
}

void ProfilTab::slot_EditDone() {
    if (!boundsAccepted())
        return;
    if (selected_ != nullptr)
        fillRow(selected_, dialog_->minimumText(), dialog_->maximumText(), dialog_->colour());
    dialog_->accept();
}

void ProfilTab::slot_Cancel() {
    if (dialog_)
        dialog_->reject();
}

void ProfilTab::slot_Color() {
    if (!dialog_ || !prompts_.askColour)
        return;
    const QColor colour = prompts_.askColour(dialog_, Qt::white);
    if (colour.isValid())
        dialog_->setColour(colour);
}

void ProfilTab::slot_Delete() {
    if (selected_ == nullptr)
        return;
    delete selected_;
    selected_ = nullptr;
    saveShownProfile();
}

void ProfilTab::slot_Save() {
    saveShownProfile();
}

bool ProfilTab::saveShownProfile() {
    const ProfileStat stat = currentStat();
    const StatProfile shown = shownProfile();
    if (!save_(stat, shown))
        return false;
    profiles_.profile(stat) = shown;
    emit profileSaved(stat);
    return true;
}

}  // namespace kestrova
