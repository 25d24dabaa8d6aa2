#include "gui/history/WatchEntryDialog.h"

#include "gui/widgets/UserPrompts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrova {

WatchEntryDialog::WatchEntryDialog(Kind kind, Save save, QWidget* parent)
    : QDialog(parent), save_(std::move(save)) {
    const bool rule = kind == Kind::Rule;
    setObjectName(rule ? QStringLiteral("addRuleDialog") : QStringLiteral("watchPlayerDialog"));
    setWindowTitle(rule ? tr("Add Rule") : tr("Watch Player"));
    entry_ = new QLineEdit;
    entry_->setObjectName(QStringLiteral("entry"));
    note_ = new QLineEdit;
    note_->setObjectName(QStringLiteral("note"));
    note_->setPlaceholderText(tr("may stay empty"));
    problem_ = new QLabel;
    problem_->setObjectName(QStringLiteral("problem"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));
    problem_->hide();

    auto* form = new QFormLayout;
    if (rule) {
        auto* explained = new QLabel(
            tr("Conditions on vpip, pfr, af, wtsd, hands, weak (a player's) or score, seated (a "
               "table's), such as \"vpip >= 45 and hands >= 200\" or \"score >= 2.5\":"));
        explained->setWordWrap(true);
        form->addRow(explained);
        form->addRow(tr("&Rule:"), entry_);
    } else {
        form->addRow(tr("&Screen name:"), entry_);
    }
    form->addRow(tr("&Note:"), note_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // An explanation stays until the text it explains is changed.
    connect(entry_, &QLineEdit::textChanged, this, [this](const QString& text) {
        ok_->setEnabled(!text.trimmed().isEmpty());
        problem_->hide();
    });
    resize(rule ? 480 : 360, sizeHint().height());
    fitTitle(*this);
}

void WatchEntryDialog::accept() {
    const QString entry = entry_->text().trimmed();
    if (entry.isEmpty())
        return;
    if (const std::optional<QString> refused = save_(entry, note_->text())) {
        problem_->setText(*refused);
        problem_->show();
        entry_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace kestrova
