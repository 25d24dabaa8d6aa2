#include "gui/JobProgress.h"

#include "gui/widgets/QtText.h"

#include <QWidget>

namespace kestrova {

JobProgress::JobProgress(QWidget* owner, const QString& title, const QString& label,
                         const QString& name, std::function<void()> cancel)
    : dialog_(new QProgressDialog(label, cancel ? tr("Cancel") : QString(), 0, 0, owner)) {
    dialog_->setObjectName(name);
    dialog_->setWindowTitle(title);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    if (cancel)
        QObject::connect(dialog_, &QProgressDialog::canceled, dialog_, std::move(cancel));
    dialog_->show();
}

JobProgress::~JobProgress() {
    if (dialog_) {
        dialog_->close();
        dialog_->deleteLater();
    }
}

void JobProgress::show(const job_event::Progress& progress) {
    if (!dialog_)
        return;
    if (!progress.label.empty())
        dialog_->setLabelText(messageText(progress.label));
    dialog_->setMaximum(progress.maximum);
    dialog_->setValue(progress.value);
}

}  // namespace kestrova
