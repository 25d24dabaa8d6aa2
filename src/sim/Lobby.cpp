#include "sim/Lobby.h"

#include "common/FileContents.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace kestrova::sim {

namespace {

[[noreturn]] void fail(const QString& source, const QString& what) {
    throw LobbyError((source + QStringLiteral(": ") + what).toStdString());
}

QString where(int index, const QString& field) {
    return QStringLiteral("table %1: \"%2\"").arg(index + 1).arg(field);
}

std::string textField(const QJsonObject& object, const QString& field, const QString& source,
                      const QString& context, const char* fallback) {
    const QJsonValue value = object.value(field);
    if (value.isUndefined() || value.isNull()) {
        return fallback;
    }
    if (!value.isString()) {
        fail(source, context + QStringLiteral(" must be a text"));
    }
    return value.toString().toStdString();
}

int countField(const QJsonObject& object, const QString& field, const QString& source,
               const QString& context, int fallback) {
    const QJsonValue value = object.value(field);
    if (value.isUndefined() || value.isNull()) {
        return fallback;
    }
    const double number = value.toDouble(-1.0);
    if (!value.isDouble() || number < 0.0 || number > 1000.0 ||
        number != static_cast<double>(static_cast<int>(number))) {
        fail(source, context + QStringLiteral(" must be a whole number from 0 to 1000"));
    }
    return static_cast<int>(number);
}

LobbyTable parseTable(const QJsonValue& value, int index, const QString& source) {
    if (!value.isObject()) {
        fail(source, QStringLiteral("table %1 must be an object").arg(index + 1));
    }
    const QJsonObject object = value.toObject();
    LobbyTable table;
    const QJsonValue name = object.value(QStringLiteral("name"));
    if (!name.isString() || name.toString().trimmed().isEmpty()) {
        fail(source, where(index, QStringLiteral("name")) +
                         QStringLiteral(" is missing or not a non-empty text"));
    }
    table.name = name.toString().toStdString();
    table.game = textField(object, QStringLiteral("game"), source,
                           where(index, QStringLiteral("game")), "Hold'em");
    table.stakes = textField(object, QStringLiteral("stakes"), source,
                             where(index, QStringLiteral("stakes")), "");
    table.extra = textField(object, QStringLiteral("extra"), source,
                            where(index, QStringLiteral("extra")), "");
    table.averagePot = textField(object, QStringLiteral("avgpot"), source,
                                 where(index, QStringLiteral("avgpot")), "$0");

    const QJsonValue players = object.value(QStringLiteral("players"));
    if (!players.isUndefined() && !players.isArray()) {
        fail(source, where(index, QStringLiteral("players")) + QStringLiteral(" must be a list"));
    }
    const QJsonArray playerArray = players.toArray();
    for (qsizetype i = 0; i < playerArray.size(); ++i) {
        const QString context =
            where(index, QStringLiteral("players")) + QStringLiteral(" entry %1").arg(i + 1);
        if (!playerArray.at(i).isObject()) {
            fail(source, context + QStringLiteral(" must be an object"));
        }
        const QJsonObject player = playerArray.at(i).toObject();
        const QJsonValue playerName = player.value(QStringLiteral("name"));
        if (!playerName.isString() || playerName.toString().trimmed().isEmpty()) {
            fail(source, context + QStringLiteral(" needs a non-empty \"name\" text"));
        }
        table.players.push_back({playerName.toString().toStdString(),
                                 textField(player, QStringLiteral("stack"), source,
                                           context + QStringLiteral(" \"stack\""), "")});
    }

    const QJsonValue waitlist = object.value(QStringLiteral("waitlist"));
    if (!waitlist.isUndefined() && !waitlist.isArray()) {
        fail(source, where(index, QStringLiteral("waitlist")) + QStringLiteral(" must be a list"));
    }
    for (const QJsonValue& entry : waitlist.toArray()) {
        if (!entry.isString() || entry.toString().trimmed().isEmpty()) {
            fail(source, where(index, QStringLiteral("waitlist")) +
                             QStringLiteral(" must hold non-empty texts"));
        }
        table.waitlist.push_back(entry.toString().toStdString());
    }

    table.seated =
        countField(object, QStringLiteral("seated"), source, where(index, QStringLiteral("seated")),
                   static_cast<int>(table.players.size()));
    table.seats = countField(object, QStringLiteral("seats"), source,
                             where(index, QStringLiteral("seats")), 10);
    // The client's tables seat 2 to 10, and every filter rule is made for those.
    if (table.seats < 2 || table.seats > 10) {
        fail(source, where(index, QStringLiteral("seats")) +
                         QStringLiteral(" must be from 2 to 10, as at the client's tables"));
    }
    table.waiting = countField(object, QStringLiteral("waiting"), source,
                               where(index, QStringLiteral("waiting")),
                               static_cast<int>(table.waitlist.size()));
    return table;
}

}  // namespace

Lobby Lobby::loadFile(const QString& path) {
    // A lobby file is small; refuse anything absurd, and anything that is no
    // regular file (a device or FIFO may never end), rather than read it.
    constexpr std::size_t kMaxBytes = 16 * 1024 * 1024;
    const std::string name = path.toStdString();
    const FileContents file = readWholeFile(name, kMaxBytes);
    if (file.failed()) {
        // The error names the path first; fail() does that too.
        fail(path, QString::fromStdString(file.error.substr(name.size() + 2)));
    }
    if (!file.read()) {
        fail(path, QStringLiteral("cannot open: No such file or directory"));
    }
    return parse(QByteArray::fromStdString(file.bytes), path);
}

Lobby Lobby::parse(const QByteArray& json, const QString& sourceName) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        fail(sourceName, QStringLiteral("not valid JSON: %1 at offset %2")
                             .arg(error.errorString())
                             .arg(error.offset));
    }
    if (!document.isObject()) {
        fail(sourceName, QStringLiteral("the top level must be an object with a \"tables\" list"));
    }
    const QJsonValue tables = document.object().value(QStringLiteral("tables"));
    if (!tables.isArray()) {
        fail(sourceName, QStringLiteral("\"tables\" is missing or not a list"));
    }
    std::vector<LobbyTable> parsed;
    const QJsonArray array = tables.toArray();
    parsed.reserve(static_cast<std::size_t>(array.size()));
    // The name is a table's identity: the lobby walk takes a name read again
    // for the end of the list, so a second table of one name would hide tables.
    QHash<QString, int> firstOfName;
    for (qsizetype i = 0; i < array.size(); ++i) {
        parsed.push_back(parseTable(array.at(i), static_cast<int>(i), sourceName));
        const QString name = QString::fromStdString(parsed.back().name).trimmed();
        const int index = static_cast<int>(i);
        if (const auto first = firstOfName.constFind(name); first != firstOfName.cend()) {
            fail(sourceName, where(index, QStringLiteral("name")) +
                                 QStringLiteral(" is the name of table %1 too; table names must "
                                                "differ")
                                     .arg(*first + 1));
        }
        firstOfName.insert(name, index);
    }
    return Lobby(std::move(parsed));
}

}  // namespace kestrova::sim
