#include "gui/history/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QSystemTrayIcon>
#include <QVariantMap>

namespace kestrova {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr int kCallTimeoutMs = 3000;

}  // namespace

DesktopNotifier::DesktopNotifier(QSystemTrayIcon* tray, QObject* parent)
    : QObject(parent), tray_(tray) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                    SLOT(actionInvoked(uint, QString)));
        bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                    SLOT(notificationClosed(uint, uint)));
    }
    if (tray_)
        connect(tray_, &QSystemTrayIcon::messageClicked, this, [this] {
            if (!trayTable_.isEmpty())
                emit selectRequested(trayTable_);
        });
}

void DesktopNotifier::notify(const QString& text, const QString& table) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        showInTray(text, table);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    const QStringList actions{QStringLiteral("default"), tr("Select"), QStringLiteral("open"),
                              tr("Open")};
    call << QStringLiteral("Kestrova Everest") << 0u << QStringLiteral("kestrova")
         << tr("Kestrova Everest: watch list") << text << actions << QVariantMap() << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, text, table](QDBusPendingCallWatcher* done) { sent(done, text, table); });
}

void DesktopNotifier::sent(QDBusPendingCallWatcher* call, const QString& text,
                           const QString& table) {
    const QDBusPendingReply<uint> reply = *call;
    call->deleteLater();
    if (reply.isError()) {
        showInTray(text, table);
        return;
    }
    tables_.insert(reply.value(), table);
}

void DesktopNotifier::showInTray(const QString& text, const QString& table) {
    if (tray_ && tray_->isVisible() && QSystemTrayIcon::supportsMessages()) {
        trayTable_ = table;
        tray_->showMessage(tr("Kestrova Everest: watch list"), text);
        return;
    }
    emit unshown(text);
}

void DesktopNotifier::actionInvoked(uint id, const QString& action) {
    const auto found = tables_.constFind(id);
    if (found == tables_.constEnd())
        return;
    if (action == QLatin1String("open"))
        emit openRequested(*found);
    else
        emit selectRequested(*found);
}

void DesktopNotifier::notificationClosed(uint id, uint reason) {
    Q_UNUSED(reason);
    tables_.remove(id);
}

}  // namespace kestrova
