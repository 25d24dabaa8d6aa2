#include "gui/options/LimitTab.h"

#include "gui/widgets/QtText.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace kestrova {

namespace {

std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace

LimitTab::LimitTab(const std::vector<LimitRecord>& chosen, SaveLimits save, QWidget* parent)
    : QWidget(parent), save_(std::move(save)) {
    tables_ = new QTreeWidget(this);
    tables_->setObjectName(QStringLiteral("tables"));
    tables_->setHeaderLabels({tr("Tables")});
    tables_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    chosen_ = new QTreeWidget(this);
    chosen_->setObjectName(QStringLiteral("chosen"));
    chosen_->setRootIsDecorated(false);
    chosen_->setHeaderLabels({tr("Type"), tr("Struct"), tr("Limit")});
    chosen_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* add = new QPushButton(tr("Add"), this);
    auto* remove = new QPushButton(tr("Remove"), this);
    connect(add, &QPushButton::clicked, this, &LimitTab::slot_Add);
    connect(remove, &QPushButton::clicked, this, &LimitTab::slot_Del);

    auto* grid = new QGridLayout(this);
    grid->addWidget(tables_, 0, 0, 2, 1);
    grid->addWidget(add, 0, 1);
    grid->addWidget(remove, 1, 1);
    grid->addWidget(chosen_, 0, 2, 2, 1);
    grid->addWidget(
        new QLabel(QStringLiteral(
                       "The Limit you specify here is only valid for datamining.\n Datamining is "
                       "only possible on Party/Empirepoker and FullTiltPoker.\n The available "
                       "limits are only displayed if Party/Empirepoker is running when entering "
                       "the options...\n \nKestrova mines the first specified limit.\n If no "
                       "tables on this limit meet the requirements it moves to the next limit "
                       "(and so on...)."),
                   this),
        2, 0, 1, 3);
    for (const LimitRecord& record : chosen)
        new QTreeWidgetItem(chosen_, {toQString(record.type), toQString(record.structure),
                                      toQString(record.limit)});
}

void LimitTab::writeChosen() const {
    std::vector<LimitRecord> records;
    for (int i = 0; i < chosen_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = chosen_->topLevelItem(i);
        records.push_back({utf8(row->text(0)), utf8(row->text(1)), utf8(row->text(2))});
    }
    if (save_)
        save_(records);
}

void LimitTab::slot_Add() {
    for (const QTreeWidgetItem* leaf : tables_->selectedItems()) {
        const QTreeWidgetItem* structure = leaf->parent();
        if (leaf->childCount() > 0 || structure == nullptr || structure->parent() == nullptr)
            continue;
        new QTreeWidgetItem(chosen_,
                            {structure->parent()->text(0), structure->text(0), leaf->text(0)});
        writeChosen();
    }
}

void LimitTab::slot_Del() {
    for (QTreeWidgetItem* row : chosen_->selectedItems()) {
        delete row;
        writeChosen();
    }
}

}  // namespace kestrova
