#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QDBusPendingCallWatcher;
class QSystemTrayIcon;

namespace kestrova {

// Tells the user of an alert: a desktop notification through the
// freedesktop Notifications service on the session bus, with "Open" as its
// action, or the tray icon's message where no such service answers. Nothing
// here waits on the bus.
class DesktopNotifier final : public QObject {
    Q_OBJECT

public:
    // `tray` may be null (no system tray): then only the bus is tried.
    explicit DesktopNotifier(QSystemTrayIcon* tray, QObject* parent = nullptr);

    void notify(const QString& text, const QString& table);

signals:
    // The user clicked the notification: the table's row should be selected.
    void selectRequested(const QString& table);
    // The user chose its "Open" action.
    void openRequested(const QString& table);
    // Neither the bus nor the tray could show it; the text goes elsewhere.
    void unshown(const QString& text);

private slots:
    void actionInvoked(uint id, const QString& action);
    void notificationClosed(uint id, uint reason);

private:
    void sent(QDBusPendingCallWatcher* call, const QString& text, const QString& table);
    void showInTray(const QString& text, const QString& table);

    QPointer<QSystemTrayIcon> tray_;
    QHash<uint, QString> tables_;  // notification id -> table
    QString trayTable_;            // the table of the tray's last message
};

}  // namespace kestrova
