#include "gui/buddies/ImportPlayersDialog.h"

#include "gui/widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kestrova {

namespace {

constexpr int kLargestNumber = 99999999;

}  // namespace

ImportPlayersDialog::ImportPlayersDialog(StartImport startImport, QWidget* parent)
    : QDialog(parent), startImport_(std::move(startImport)) {
    setObjectName(QStringLiteral("importPlayersDialog"));
    setWindowTitle(tr("Import player from databases"));
    setModal(true);

    auto* layout = new QGridLayout(this);
    vpip_ = addRangeRow(tr("VPIP between :"), "vpip", 0);
    pfr_ = addRangeRow(tr("PFR between :"), "pfr", 1);
    af_ = addRangeRow(tr("AF between :"), "af", 2);
    layout->addWidget(new QLabel(tr("Minimum number of Hands :"), this), 3, 0);
    minimumHands_ = makeNumberField(QStringLiteral("minimumHands"), 0, kLargestNumber, this);
    layout->addWidget(minimumHands_, 3, 1);

    auto* pbSearch = new QPushButton(tr("Search"), this);
    pbSearch->setObjectName(QStringLiteral("pbSearch"));
    auto* pbCancel = new QPushButton(tr("Cancel"), this);
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
    range.minimum = makeNumberField(base + QStringLiteral("Min"), 0, kLargestNumber, this);
    range.maximum = makeNumberField(base + QStringLiteral("Max"), 0, kLargestNumber, this);
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
    if (startImport_ && startImport_(filter()))
        accept();
}

void ImportPlayersDialog::slot_bdcancel() {
    reject();
}

}  // namespace kestrova
