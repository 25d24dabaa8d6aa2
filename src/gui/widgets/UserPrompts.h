#pragma once

#include <QColor>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>

#include "SessionTypes.h"

class QWidget;

class QDialog;

namespace kestrova {

// Widens a small dialog so that the desktop can show its whole title.
void fitTitle(QDialog& dialog);

// How the profile page and the buddy commands ask the user and tell him
// things: modal boxes and file and colour dialogs normally, answers given by a
// test instead.
struct UserPrompts {
    // A box with one "OK" button (showMessageBox()); title and text are
    // English, as the session's messages are (messageText() in QtText.h).
    using Message = std::function<void(QWidget* parent, const kestrova::Message& message)>;
    // A one-line text; nothing when the user cancels.
    using TextQuestion = std::function<std::optional<QString>(QWidget* parent, const QString& title,
                                                              const QString& label)>;
    // A file name; empty when the user cancels.
    using FileQuestion =
        std::function<QString(QWidget* parent, const QString& title, const QString& filter)>;
    // A directory; empty when the user cancels.
    using DirectoryQuestion = std::function<QString(QWidget* parent, const QString& caption)>;
    // A colour; an invalid colour when the user cancels.
    using ColourQuestion = std::function<QColor(QWidget* parent, const QColor& initial)>;
    // "Yes" or "No"; true for "Yes".
    using YesNoQuestion =
        std::function<bool(QWidget* parent, const QString& title, const QString& text)>;

    Message showMessage;
    TextQuestion askText;
    FileQuestion askOpenFile;
    FileQuestion askSaveFile;
    DirectoryQuestion askDirectory;
    ColourQuestion askColour;
    YesNoQuestion askYesNo;

    // The toolkit's own boxes and dialogs.
    static UserPrompts standard();
};

// The box of a message: its icon and the advice under its text follow from its
// kind, the title names the program.
void showMessageBox(QWidget* parent, const Message& message);

// A message of the window's own, its texts English.
Message guiMessage(MessageKind kind, const QString& title, const QString& text);

// A file name from a dialog as the core's path.
std::filesystem::path toPath(const QString& fileName);

}  // namespace kestrova
