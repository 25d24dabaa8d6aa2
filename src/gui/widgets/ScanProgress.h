#pragma once

#include "SessionTypes.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>

#include <functional>

class QWidget;

// The progress dialog while a pass runs: "Cancel" asks the pass to end.
class ScanProgress final {
    Q_DECLARE_TR_FUNCTIONS(ScanProgress)

public:
    // The dialog opens at the owner's position plus (50, 50), 400 x 150.
    ScanProgress(QWidget* owner, std::function<void()> cancel);
    ~ScanProgress();
    ScanProgress(const ScanProgress&) = delete;
    ScanProgress& operator=(const ScanProgress&) = delete;

    // The lobby was brought up: the dialog moves to its top-left corner.
    void lobbyFound(const kestrova::Rect& lobbyRect);
    // A row of the lobby's table list was read; the number of rows is not known yet.
    void rowRead(int rows);
    // A table was scanned: "Table 12 of 38: Aconcagua", and the bar moves;
    // "Table 12: Aconcagua" over a busy bar while the count is not known (0).
    void tableScanned(int scanned, int tables, const std::string& name);

private:
    QPointer<QProgressDialog> dialog_;
};
