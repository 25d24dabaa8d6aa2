#pragma once

#include <QObject>
#include <QUrl>

#include <functional>
#include <memory>

#include "update/UpdateCheckRunner.h"
#include "update/UpdateSite.h"

class QWidget;

namespace kestrova {
class SettingsStore;
}

// The "Update" side of the main window: the check at start-up with its offer
// of the new version, and the download page.
class UpdateOffer final : public QObject {
    Q_OBJECT

public:
    // Hands an address to the browser; by default the desktop's own way.
    using UrlOpener = std::function<void(const QUrl&)>;

    explicit UpdateOffer(QWidget* window, kestrova::UpdateSite site, UrlOpener openUrl = {});
    ~UpdateOffer() override;

    // When key checkupdate is 1, asks the update server on a thread of its own
    // and returns at once; the offer appears when the answer says a newer
    // version exists. False, asking nothing, when the key is off.
    bool checkAtStartup(const kestrova::SettingsStore& settings,
                        kestrova::UpdateCheckRunner::ClientFactory makeClient =
                            kestrova::UpdateCheckRunner::w3Client());

    // The "New Version Available!" box, Yes and No; Yes opens the offer's
    // download page. Does not wait for the answer.
    void offerNewVersion();

    // "Visit Download Page".
    void visitDownloadPage();

private:
    QWidget* window_;
    kestrova::UpdateSite site_;
    UrlOpener openUrl_;
    std::unique_ptr<kestrova::UpdateCheckRunner> runner_;
};
