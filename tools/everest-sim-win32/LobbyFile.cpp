#include "LobbyFile.h"

#include "common/FileContents.h"

#include <nlohmann/json.hpp>

namespace kestrova::sim {

namespace {

using Json = nlohmann::json;

std::string text(const Json& object, const char* field, const char* fallback) {
    const auto it = object.find(field);
    if (it == object.end() || it->is_null())
        return fallback;
    return it->get<std::string>();
}

int count(const Json& object, const char* field, int fallback) {
    const auto it = object.find(field);
    if (it == object.end() || it->is_null())
        return fallback;
    const int value = it->get<int>();
    if (value < 0 || value > 1000)
        throw std::runtime_error(std::string("\"") + field + "\" must be from 0 to 1000");
    return value;
}

LobbyTable parseTable(const Json& object) {
    LobbyTable table;
    table.name = object.at("name").get<std::string>();
    if (table.name.find_first_not_of(' ') == std::string::npos)
        throw std::runtime_error("a table has an empty \"name\"");
    table.game = text(object, "game", "Hold'em");
    table.stakes = text(object, "stakes", "");
    table.extra = text(object, "extra", "");
    table.averagePot = text(object, "avgpot", "$0");
    for (const Json& player : object.value("players", Json::array()))
        table.players.push_back({player.at("name").get<std::string>(), text(player, "stack", "")});
    for (const Json& name : object.value("waitlist", Json::array()))
        table.waitlist.push_back(name.get<std::string>());
    table.seated = count(object, "seated", static_cast<int>(table.players.size()));
    table.seats = count(object, "seats", 10);
    table.waiting = count(object, "waiting", static_cast<int>(table.waitlist.size()));
    return table;
}

}  // namespace

std::vector<LobbyTable> loadLobbyFile(const std::string& path) {
    constexpr std::size_t kMaxBytes = 16 * 1024 * 1024;
    const FileContents file = readWholeFile(path, kMaxBytes);
    if (!file.read())
        throw std::runtime_error(file.failed() ? file.error : path + ": cannot open");
    std::vector<LobbyTable> tables;
    try {
        const Json document = Json::parse(file.bytes);
        for (const Json& table : document.at("tables"))
            tables.push_back(parseTable(table));
    } catch (const std::exception& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
    return tables;
}

}  // namespace kestrova::sim
