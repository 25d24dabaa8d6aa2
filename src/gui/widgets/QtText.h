#pragma once

#include "SessionTypes.h"

#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <string_view>

namespace kestrova {

// The core keeps texts as UTF-8 bytes; widgets want QString.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor toQColor(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The contexts under which the core and the session mark the fixed English
// texts the window shows (KESTROVA_TEXT), and the window's own texts that go
// where those go.
namespace text_context {
// The lists' column titles and header tips.
inline constexpr const char* kColumns = "Columns";
// What the program tells the user: message titles and texts, their advice,
// progress labels and the titles of the buddy files' dialogs.
inline constexpr const char* kMessages = "Messages";
// The HUD's statistics, as the layout manager names them.
inline constexpr const char* kHudStats = "HudStats";
}  // namespace text_context

// A text of the core or the session in the user's language. A fixed text is
// looked up whole; one composed with values inside is not in the catalogue and
// shows as it is, in English.
inline QString translated(const char* context, std::string_view text) {
    const QByteArray source(text.data(), static_cast<qsizetype>(text.size()));
    return QCoreApplication::translate(context, source.constData());
}

// Message boxes are handed English titles and texts, so that whether a message
// is a failure and what to advise are judged on the program's own words
// (MessageAdvice.h); the box shows them translated. A text composed of fixed
// lines and what a library or the user said ("Connection to database failed:
// FATAL: ...\nUsername: bob") is not in the catalogue whole: each of its lines
// is, or the line's label up to its first ": ".
inline QString messageText(const QString& text) {
    const auto lookUp = [](const QString& source) {
        return QCoreApplication::translate(text_context::kMessages, source.toUtf8().constData());
    };
    if (const QString whole = lookUp(text); whole != text)
        return whole;
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        if (const QString alone = lookUp(line); alone != line) {
            line = alone;
        } else if (const qsizetype colon = line.indexOf(QLatin1String(": ")); colon > 0) {
            line = lookUp(line.left(colon + 2)) + line.mid(colon + 2);
        }
    }
    return lines.join(u'\n');
}

inline QString messageText(std::string_view text) {
    return messageText(toQString(text));
}

// The title of the window's own failure messages, English like the session's.
inline QString errorTitle() {
    return QString::fromLatin1(QT_TRANSLATE_NOOP("Messages", "Error"));
}

}  // namespace kestrova
