#include "MessageAdvice.h"

#include "client/lobby/EverestLobby.h"
#include "client/lobby/TableOpener.h"
#include "common/TranslatableText.h"

#include <array>
#include <utility>

namespace kestrova {

namespace {

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

std::string adviceFor(std::string_view title, std::string_view text) {
    // The first part found in the message's text gives the advice.
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kAdvice{{
        {kLobbyNotFoundMessage,
         KESTROVA_TEXT("Messages",
                       "Start the Everest client, log in and leave its lobby open (it may lie "
                       "behind other windows, but not minimized), then try again.")},
        {"Error Capturing",
         KESTROVA_TEXT(
             "Messages",
             "The lobby could not be read from the screen: keep it open and not minimized "
             "while the scan runs, and try again.")},
        {"Connection to database failed",
         KESTROVA_TEXT("Messages",
                       "Check the database's host, port, user and password under Main > Options > "
                       "Databases, and that its server runs.")},
        {"cannot be read in this pass",
         KESTROVA_TEXT("Messages",
                       "Check the database file under Main > Options > Databases; the other "
                       "databases were asked all the same.")},
        {"cannot be used in this pass", KESTROVA_TEXT("Messages",
                                                      "Check that the database's server runs; the "
                                                      "other databases were asked all the same.")},
        {"Could not save the database list",
         KESTROVA_TEXT("Messages",
                       "Free some disk space or make the data folder writable, then press OK in "
                       "the Options again.")},
        {"Could not write the settings file",
         KESTROVA_TEXT(
             "Messages",
             "Free some disk space or make the settings file writable, then save again.")},
        {"Unable to",
         KESTROVA_TEXT(
             "Messages",
             "Free some disk space or make the folder writable; nothing written before was lost.")},
        {"Please wait", KESTROVA_TEXT("Messages", "The running scan ends by itself, or with Esc.")},
    }};
    for (const auto& [part, advice] : kAdvice)
        if (contains(text, part))
            return std::string(advice);
    if (title == kTableNotFoundTitle)
        return KESTROVA_TEXT("Messages", "Get the table list again: the table may have closed.");
    return {};
}

bool isFailure(std::string_view title) {
    return title.starts_with("Error") || title == kTableNotFoundTitle ||
           title == kLobbyNotFoundTitle || title == kLobbyListNotFoundTitle;
}

}  // namespace kestrova
