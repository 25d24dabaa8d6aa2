#pragma once

#include "JobEvents.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>

#include <functional>

class QWidget;

namespace kestrova {

// The progress dialog while one of the session's long jobs runs: "Cancel"
// asks the job to end; the window stays usable behind it.
class JobProgress final {
    Q_DECLARE_TR_FUNCTIONS(JobProgress)

public:
    // cancel null: no "Cancel" button (the job cannot be stopped).
    JobProgress(QWidget* owner, const QString& title, const QString& label, const QString& name,
                std::function<void()> cancel);
    ~JobProgress();
    JobProgress(const JobProgress&) = delete;
    JobProgress& operator=(const JobProgress&) = delete;

    void show(const job_event::Progress& progress);
    QProgressDialog* dialog() const { return dialog_; }

private:
    QPointer<QProgressDialog> dialog_;
};

}  // namespace kestrova
