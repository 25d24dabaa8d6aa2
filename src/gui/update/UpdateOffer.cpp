#include "gui/update/UpdateOffer.h"

#include "gui/widgets/QtText.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <utility>

namespace kestrova {

UpdateOffer::UpdateOffer(QWidget* window, const AppSettings& settings, UrlOpener openUrl)
    : QObject(window), window_(window), openUrl_(std::move(openUrl)), check_(settings) {
    if (!openUrl_) {
        openUrl_ = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    }
}

// A check still running is stopped here, while this object can still take
// the answer it might post.
UpdateOffer::~UpdateOffer() = default;

bool UpdateOffer::checkAtStartup(UpdateCheckJob::ClientFactory makeClient) {
    return check_.start(
        [this] {
            QMetaObject::invokeMethod(this, &UpdateOffer::offerNewVersion, Qt::QueuedConnection);
        },
        std::move(makeClient));
}

void UpdateOffer::offerNewVersion() {
    const QString text =
        tr("Please visit %1 and download the new version of Velloran.\n\nFeel free to contact the "
           "Support via email (%2) if you need help.\n\nDo you want to visit the downloadpage now?")
            .arg(toQString(site().webSite), toQString(site().supportEmail));
    auto* box = new QMessageBox(QMessageBox::Question, tr("New Version Available!"), text,
                                QMessageBox::Yes | QMessageBox::No, window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::buttonClicked, this, [this, box](QAbstractButton* button) {
        if (box->standardButton(button) == QMessageBox::Yes) {
            openUrl_(QUrl(toQString(site().page(update_check::kOfferPage))));
        }
    });
    box->open();
}

void UpdateOffer::visitDownloadPage() {
    openUrl_(QUrl(toQString(site().page(update_check::kDownloadPage))));
}

}  // namespace kestrova
