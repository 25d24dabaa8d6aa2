#pragma once

#include <QObject>
#include <QUrl>

#include <functional>
#include <memory>

#include "UpdateCheckJob.h"

class QWidget;

namespace kestrova {

// The "Update" side of the main window: the check at start-up with its offer
// of the new version, and the download page.
class UpdateOffer final : public QObject {
    Q_OBJECT

public:
    // Hands an address to the browser; by default the desktop's own way.
    using UrlOpener = std::function<void(const QUrl&)>;

    UpdateOffer(QWidget* window, const AppSettings& settings, UrlOpener openUrl = {});
    ~UpdateOffer() override;

    // When the user wants it, asks the update server on a thread of its own
    // and returns at once; the offer appears when the answer says a newer
    // version exists. False, asking nothing, when the setting is off.
    bool checkAtStartup(UpdateCheckJob::ClientFactory makeClient = UpdateCheckRunner::w3Client());
    const UpdateSite& site() const { return check_.site(); }

    // The "New Version Available!" box, Yes and No; Yes opens the offer's
    // download page. Does not wait for the answer.
    void offerNewVersion();

    // "Visit Download Page".
    void visitDownloadPage();

private:
    QWidget* window_;
    UrlOpener openUrl_;
    UpdateCheckJob check_;
};

}  // namespace kestrova
