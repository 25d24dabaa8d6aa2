#include "client/ocr/SeatReader.h"

#include "client/ocr/SeatScan.h"
#include "common/Text.h"

#include <algorithm>

namespace kestrova {

void readSeats(const Image& capture, const GlyphTable& glyphs, SeatReading& seats) {
    readSeatsFrom(capture, glyphs, seats);
}

std::vector<std::string> waitingNamesOf(const SeatReading& seats) {
    std::vector<std::string> names;
    bool waiting = false;
    for (const std::string& name : seats.names) {
        if (name == kWaitingMarker)
            waiting = true;
        else if (waiting && !name.empty())
            names.push_back(name);
    }
    return names;
}

bool waitingListMayGoOn(const SeatReading& seats) {
    return seats.lastLineUsed &&
           std::find(seats.names.begin(), seats.names.end(), kWaitingMarker) != seats.names.end();
}

std::string normaliseChipText(std::string_view text) {
    std::string chips;
    chips.reserve(text.size());
    for (const char c : text) {
        if (c != ' ' && c != '$') {
            chips.push_back(c);
        }
    }
    const auto comma = chips.rfind(',');
    if (comma == std::string::npos) {
        return chips;
    }
    const auto dot = chips.rfind('.');
    const auto removeAll = [&chips](char c) {
        chips.erase(std::remove(chips.begin(), chips.end(), c), chips.end());
    };
    if (dot == std::string::npos) {
        // Three digits after the last comma: thousands; fewer: a decimal comma.
        if (static_cast<long>(comma) < static_cast<long>(chips.size()) - 3) {
            removeAll(',');
        } else {
            std::replace(chips.begin(), chips.end(), ',', '.');
        }
    } else if (comma < dot) {
        removeAll(',');
    } else {
        removeAll('.');
        std::replace(chips.begin(), chips.end(), ',', '.');
    }
    return chips;
}

}  // namespace kestrova
