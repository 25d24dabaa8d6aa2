#pragma once

#include <string>
#include <utility>

namespace kestrova {

// What a message to the user is about. Whether it shows as a failure and
// what the user is advised to do follow from the kind alone, so rewording a
// text never changes them.
enum class MessageKind {
    Notice,                  // tells something; nothing failed
    Failure,                 // failed, and the text says all there is to say
    LobbyNotFound,           // the client's lobby is not on the desktop
    LobbyUnreadable,         // the lobby could not be captured
    TableNotFound,           // a table to open is not in the lobby's list
    DatabaseUnreachable,     // a tracker database refused the connection
    DatabaseFileUnreadable,  // a tracker's database file cannot be read
    DatabaseUnusable,        // a tracker database's server cannot be used
    DatabaseListNotSaved,    // "db.conf" could not be written
    SettingsNotSaved,        // the settings could not be written
    FileNotWritten,          // another of the user's files could not be written
    PassRunning,             // refused while a pass runs
};

// A message for the user: its kind, its title and its text, both English and
// translated where they are shown.
struct Message {
    MessageKind kind = MessageKind::Failure;
    std::string title;
    std::string text;

    bool failure() const { return kind != MessageKind::Notice; }
    friend bool operator==(const Message&, const Message&) = default;
};

// Where a failure is told to the user: a modal box with one "OK" button in the
// main window, standard error on the command line, a list in tests.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const Message& message) = 0;

    // A failure titled "Error".
    void showError(MessageKind kind, std::string text) {
        showMessage(Message{kind, "Error", std::move(text)});
    }
};

}  // namespace kestrova
