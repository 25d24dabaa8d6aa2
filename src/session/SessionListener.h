#pragma once

#include "AppSettings.h"
#include "JobEvents.h"
#include "PassProgress.h"
#include "ScanEvents.h"
#include "ScanHistory.h"

#include <string>
#include <vector>

namespace kestrova {

// The front end as the session sees it: the window, the command line, tests.
// Every call comes on the front end's own thread.
class SessionListener {
public:
    virtual ~SessionListener() = default;
    // A failure or notice for the user: a modal box, or standard error.
    virtual void showMessage(const Message& message) = 0;
    // What a pass did, told once the session's lists show it.
    virtual void passStarted(PassKind pass) { (void)pass; }
    // The pass found the lobby here on the desktop.
    virtual void lobbyFound(const Rect& lobby) { (void)lobby; }
    // "Get Table List" read these tables, in lobby order.
    virtual void tableListRead(const std::vector<LobbyEntry>& tables) { (void)tables; }
    // A scan put this table's figures into the table list.
    virtual void tableScanned(const std::string& table) { (void)table; }
    // The glyph tables could not read the lobby; this installed font does.
    virtual void fontFound(const std::string& description) { (void)description; }
    virtual void passFinished(const scan_event::Finished& finished) { (void)finished; }
    // How far the running pass is: at its start and at every row it reads.
    virtual void passProgress(const PassProgress& progress) { (void)progress; }
    // A long job (import, aggregator build, connection test) reported something.
    virtual void jobEvent(const JobEvent& event) { (void)event; }
    virtual void busyChanged(bool busy) { (void)busy; }
    // Session::update changed these parts of the settings.
    virtual void settingsChanged(const std::vector<SettingsPart>& parts) { (void)parts; }
    // The interval countdown moved, or the opener started or stopped.
    virtual void timersChanged() {}
    // The scan history cannot be used (any more); the passes go on without it.
    // Not a failure of what the user asked for: by default a message like any other.
    virtual void historyUnavailable(const std::string& problem) {
        showMessage({MessageKind::Notice, "Scan History", problem});
    }
    // A pass read watched players or tables that meet a rule; their rows are
    // marked, and Session::passAlerts() lists them. What to tell of them now.
    virtual void historyAlerts(const std::vector<AlertNotice>& notices) { (void)notices; }
    // The watch list or its rules changed (also once the history is opened).
    virtual void watchListChanged() {}
};

}  // namespace kestrova
