#pragma once

#include "scan/ScanObserver.h"

#include <QPointer>
#include <QProgressDialog>

#include <functional>

class QWidget;

// The progress dialog of a pass, seen by the core as its observer.
class ScanProgress final : public kestrova::ScanObserver {
public:
    using MessageHandler = std::function<void(const QString& title, const QString& text)>;

    // The dialog opens at the owner's position plus (50, 50), 400 x 150.
    ScanProgress(QWidget* owner, MessageHandler messages);
    ~ScanProgress() override;

    void showMessage(const std::string& title, const std::string& text) override;
    void lobbyFound(const kestrova::Rect& lobbyRect) override;
    void processEvents() override;
    bool cancelled() const override;
    void cancel() override;

    void playerFound(const std::shared_ptr<kestrova::PlayerStats>& record) override;
    void tableScanned(const kestrova::ScannedTable& table,
                      const kestrova::TableRowTexts& row) override;

    void close();

    // Where the scan's results go: the main window's lists.
    std::function<void(const std::shared_ptr<kestrova::PlayerStats>&)> onPlayerFound;
    std::function<void(const kestrova::ScannedTable&, const kestrova::TableRowTexts&)>
        onTableScanned;

private:
    QPointer<QProgressDialog> dialog_;
    MessageHandler messages_;
    bool cancelled_ = false;
};
