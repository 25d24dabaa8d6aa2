#include "history/HistoryRecords.h"

#include "common/NumberText.h"

#include <cstdio>

namespace kestrova {

int storedSeat(const PlayerSighting& player) {
    return player.waiting ? -player.seat : player.seat;
}

void readStoredSeat(PlayerSighting& player, int stored) {
    player.waiting = stored < 0;
    player.seat = stored < 0 ? -stored : stored;
}

std::optional<double> amountOf(const std::string& text) {
    std::string digits;
    for (const char c : text)
        if ((c >= '0' && c <= '9') || c == '.')
            digits += c;
        else if (c == '-' && digits.empty())
            digits += c;
    return parseNumber(digits);
}

std::string isoTime(HistoryTime at) {
    using namespace std::chrono;
    const sys_days day = floor<days>(at);
    const year_month_day date(day);
    const hh_mm_ss time(at - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text;
}

std::optional<HistoryTime> parseIsoTime(const std::string& text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char end = 0;
    int consumed = 0;
    const int fields = std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &consumed);
    if (fields != 3)
        return std::nullopt;
    std::string rest = text.substr(static_cast<std::size_t>(consumed));
    if (!rest.empty()) {
        if (std::sscanf(rest.c_str(), "T%2d:%2d:%2d%c", &hour, &minute, &second, &end) < 3 &&
            std::sscanf(rest.c_str(), "T%2d:%2d%c", &hour, &minute, &end) < 2)
            return std::nullopt;
        if (end != 0 && end != 'Z')
            return std::nullopt;
    }
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(year),
                              std::chrono::month(static_cast<unsigned>(month)),
                              std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok() || hour > 23 || minute > 59 || second > 60 || hour < 0 || minute < 0 ||
        second < 0)
        return std::nullopt;
    return sys_days(date) + hours(hour) + minutes(minute) + seconds(second);
}

}  // namespace kestrova
