#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "AppSettings.h"
#include "HttpTestServer.h"
#include "TempDir.h"
#include "gui/update/UpdateOffer.h"
#include "settings/SettingsStore.h"
#include "update/W3Client.h"

using namespace kestrova;
using test::HttpTestServer;

class UpdateOfferTest : public QObject {
    Q_OBJECT

    test::TempDir dir_;
    SettingsStore settings_{dir_ / "Velloran.ini"};
    std::vector<QUrl> opened_;
    std::string site_;

    std::unique_ptr<UpdateOffer> makeOffer(QWidget* window) {
        return std::make_unique<UpdateOffer>(window, AppSettings::load(settings_, dir_.path()),
                                             [this](const QUrl& url) { opened_.push_back(url); });
    }

    // Runs the start-up check against a server answering "9.99" and presses
    // the given button in the offer; the server's address is the whole site.
    void answerOffer(QMessageBox::StandardButton button) {
        HttpTestServer server(HttpTestServer::Mode::Answer, "9.99");
        settings_.writeText(keys::updateserver, server.url());
        site_ = server.url();
        QWidget window;
        const auto offer = makeOffer(&window);
        QVERIFY(offer->checkAtStartup());
        QTRY_VERIFY_WITH_TIMEOUT(window.findChild<QMessageBox*>() != nullptr, 10000);
        auto* box = window.findChild<QMessageBox*>();
        QCOMPARE(box->windowTitle(), QStringLiteral("New Version Available!"));
        QVERIFY(box->text().contains(QStringLiteral("(support@127.0.0.1)")));
        box->button(button)->click();
        QCOMPARE(server.requests().size(), 1u);
    }

private slots:
    void initTestCase() { ::setenv("no_proxy", "127.0.0.1", 1); }
    void init() {
        opened_.clear();
        std::filesystem::remove(settings_.path());
    }

    // "Yes" opens the offer page, "No" nothing; the menu opens the download
    // page. Every address is on the site key updateserver names.
    void theOfferOpensItsPageOnlyOnYes() {
        answerOffer(QMessageBox::No);
        QVERIFY(opened_.empty());
        answerOffer(QMessageBox::Yes);
        QWidget window;
        makeOffer(&window)->visitDownloadPage();
        const QString site = QString::fromStdString(site_);
        QCOMPARE(opened_, (std::vector<QUrl>{QUrl(site + QStringLiteral("/tdownload.php")),
                                             QUrl(site + QStringLiteral("/vdownload.php"))}));
    }

    void checkupdateZeroAsksNothing() {
        settings_.writeText(keys::checkupdate, "0");
        bool asked = false;
        {
            QWidget window;
            const auto offer = makeOffer(&window);
            QVERIFY(!offer->checkAtStartup([&](std::stop_token stop) {
                asked = true;
                return std::make_unique<W3Client>(W3Client::Limits{}, stop);
            }));
        }  // a started check would have made its client before the offer is gone
        QVERIFY(!asked);
    }
};

QTEST_MAIN(UpdateOfferTest)
#include "UpdateOfferTest.moc"
