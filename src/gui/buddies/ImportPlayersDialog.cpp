#include "gui/buddies/ImportPlayersDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>

#include "common/MessageSink.h"
#include "gui/widgets/QtText.h"
#include "rating/BuddyList.h"
#include "records/ImportProgress.h"
#include "records/PlayerLookup.h"
#include "trackers/TrackerNameSource.h"

namespace kestrova {

namespace {

constexpr int kLargestNumber = 99999999;

// The progress dialog as the import sees it.
class DialogProgress final : public ImportProgress {
public:
    explicit DialogProgress(QProgressDialog& dialog) : dialog_(dialog) {}

    void setLabel(const std::string& text) override { dialog_.setLabelText(toQString(text)); }
    void setMaximum(int maximum) override { dialog_.setMaximum(maximum); }
    void setValue(int value) override { dialog_.setValue(value); }
    bool cancelled() override {
        QCoreApplication::processEvents();
        return dialog_.wasCanceled();
    }

private:
    QProgressDialog& dialog_;
};

class PromptMessages final : public MessageSink {
public:
    PromptMessages(const UserPrompts& prompts, QWidget* parent)
        : prompts_(prompts), parent_(parent) {}
    void showMessage(const std::string& title, const std::string& text) override {
        if (prompts_.showMessage)
            prompts_.showMessage(parent_, toQString(title), toQString(text));
    }

private:
    const UserPrompts& prompts_;
    QWidget* parent_;
};

QLineEdit* numberEdit(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(new QIntValidator(0, kLargestNumber, edit));
    return edit;
}

}  // namespace

ImportPlayersDialog::ImportPlayersDialog(std::vector<DatabaseEntry> databases, BuddyList& buddies,
                                         PlayerLookup& lookup, UserPrompts prompts, QWidget* parent,
                                         PlayerNameSource* names)
    : QDialog(parent),
      databases_(std::move(databases)),
      buddies_(buddies),
      lookup_(lookup),
      prompts_(std::move(prompts)),
      names_(names) {
    if (names_ == nullptr) {
        ownNames_ = std::make_unique<TrackerNameSource>();
        names_ = ownNames_.get();
    }
    setObjectName(QStringLiteral("importPlayersDialog"));
    setWindowTitle(QStringLiteral("Import player from databases"));
    setModal(true);

    auto* layout = new QGridLayout(this);
    vpip_ = addRangeRow(QStringLiteral("VPIP between :"), "vpip", 0);
    pfr_ = addRangeRow(QStringLiteral("PFR between :"), "pfr", 1);
    af_ = addRangeRow(QStringLiteral("AF between :"), "af", 2);
    layout->addWidget(new QLabel(QStringLiteral("Minimum number of Hands :"), this), 3, 0);
    minimumHands_ = numberEdit(this, QStringLiteral("minimumHands"));
    layout->addWidget(minimumHands_, 3, 1);

    auto* pbSearch = new QPushButton(QStringLiteral("Search"), this);
    pbSearch->setObjectName(QStringLiteral("pbSearch"));
    auto* pbCancel = new QPushButton(QStringLiteral("Cancel"), this);
    pbCancel->setObjectName(QStringLiteral("pbCancel"));
    layout->addWidget(pbSearch, 4, 1);
    layout->addWidget(pbCancel, 4, 3);
    connect(pbSearch, &QPushButton::clicked, this, &ImportPlayersDialog::slot_bdbok);
    connect(pbCancel, &QPushButton::clicked, this, &ImportPlayersDialog::slot_bdcancel);
}

ImportPlayersDialog::~ImportPlayersDialog() = default;

ImportPlayersDialog::RangeRow ImportPlayersDialog::addRangeRow(const QString& label,
                                                               const char* name, int row) {
    auto* grid = static_cast<QGridLayout*>(layout());
    RangeRow range;
    const QString base = QLatin1String(name);
    range.enabled = new QCheckBox(label, this);
    range.enabled->setObjectName(base + QStringLiteral("Enabled"));
    range.minimum = numberEdit(this, base + QStringLiteral("Min"));
    range.maximum = numberEdit(this, base + QStringLiteral("Max"));
    grid->addWidget(range.enabled, row, 0);
    grid->addWidget(range.minimum, row, 1);
    grid->addWidget(new QLabel(QStringLiteral(" - "), this), row, 2);
    grid->addWidget(range.maximum, row, 3);
    return range;
}

ImportRange ImportPlayersDialog::rangeOf(const RangeRow& row) {
    return ImportRange{row.enabled->isChecked(), row.minimum->text().toInt(),
                       row.maximum->text().toInt()};
}

ImportFilter ImportPlayersDialog::filter() const {
    ImportFilter filter;
    filter.vpip = rangeOf(vpip_);
    filter.pfr = rangeOf(pfr_);
    filter.af = rangeOf(af_);
    filter.minimumHands = minimumHands_->text().toInt();
    return filter;
}

void ImportPlayersDialog::slot_bdbok() {
    if (progress_)
        return;  // a second click while the import runs
    QProgressDialog progress(toQString(PlayerImport::kCollectingLabel), QStringLiteral("Cancel"), 0,
                             0, this);
    progress.setObjectName(QStringLiteral("importProgress"));
    progress.setWindowTitle(QStringLiteral("Please Wait..."));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.show();
    progress_ = &progress;

    DialogProgress shown(progress);
    PromptMessages messages(prompts_, parentWidget());
    const std::size_t before = buddies_.size();
    PlayerImport import(lookup_, *names_, messages);
    outcome_ = import.run(databases_, filter(), buddies_, shown);

    progress_ = nullptr;
    progress.close();
    if (buddies_.size() != before)
        emit buddiesChanged();
    accept();
}

void ImportPlayersDialog::slot_bdcancel() {
    reject();
}

}  // namespace kestrova
