#include "MessageAdvice.h"

#include "common/TranslatableText.h"

namespace kestrova {

std::string adviceFor(MessageKind kind) {
    switch (kind) {
        case MessageKind::LobbyNotFound:
            return KESTROVA_TEXT("Messages",
                                 "Start the Everest client, log in and leave its lobby open (it "
                                 "may lie behind other windows, but not minimized), then try "
                                 "again.");
        case MessageKind::LobbyUnreadable:
            return KESTROVA_TEXT("Messages",
                                 "The lobby could not be read from the screen: keep it open and "
                                 "not minimized while the scan runs, and try again.");
        case MessageKind::TableNotFound:
            return KESTROVA_TEXT("Messages",
                                 "Get the table list again: the table may have closed.");
        case MessageKind::DatabaseUnreachable:
            return KESTROVA_TEXT("Messages",
                                 "Check the database's host, port, user and password under Main "
                                 "> Options > Databases, and that its server runs.");
        case MessageKind::DatabaseFileUnreadable:
            return KESTROVA_TEXT("Messages",
                                 "Check the database file under Main > Options > Databases; the "
                                 "other databases were asked all the same.");
        case MessageKind::DatabaseUnusable:
            return KESTROVA_TEXT("Messages",
                                 "Check that the database's server runs; the other databases "
                                 "were asked all the same.");
        case MessageKind::DatabaseListNotSaved:
            return KESTROVA_TEXT("Messages",
                                 "Free some disk space or make the data folder writable, then "
                                 "press OK in the Options again.");
        case MessageKind::SettingsNotSaved:
            return KESTROVA_TEXT(
                "Messages",
                "Free some disk space or make the settings file writable, then save again.");
        case MessageKind::FileNotWritten:
            return KESTROVA_TEXT("Messages",
                                 "Free some disk space or make the folder writable; nothing "
                                 "written before was lost.");
        case MessageKind::PassRunning:
            return KESTROVA_TEXT("Messages", "The running scan ends by itself, or with Esc.");
        case MessageKind::Notice:
        case MessageKind::Failure:
            break;
    }
    return {};
}

}  // namespace kestrova
