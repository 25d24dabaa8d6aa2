#include "hud/LayoutSet.h"

#include <cassert>
#include <optional>
#include <system_error>

#include "common/AtomicFile.h"
#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "common/DataFiles.h"
#include "common/FileContents.h"
#include "common/MessageSink.h"

namespace kestrova::hud {

namespace {

constexpr std::array<std::array<std::string_view, 2>, kRoomCount> kFileNames = {{
    {"ftp.lo", "ftp.def"},
    {"pp.lo", "pp.def"},
}};

std::size_t checkedRoom(int room) {
    assert(room >= 0 && room < kRoomCount);
    return static_cast<std::size_t>(room);
}

std::size_t roomSeats(int room) {
    std::size_t seats = 0;
    for (int size = 0; size < kSizeCount; ++size) {
        seats += static_cast<std::size_t>(seatCountOf(layoutIndex(room, size)));
    }
    return seats;
}

}  // namespace

std::string_view roomFileName(int room, LayoutFamily family) {
    return kFileNames[checkedRoom(room)][family == LayoutFamily::User ? 0 : 1];
}

std::size_t roomFileBytes(int room) {
    return roomSeats(room) * kSeatRecordBytes;
}

std::filesystem::path findHudDataFile(const std::filesystem::path& directory,
                                      std::string_view name) {
    std::error_code ec;
    std::filesystem::path local = directory / name;
    if (std::filesystem::exists(local, ec)) {
        return local;
    }
    return findDataFile(name);
}

std::filesystem::path layoutFilePath(const std::filesystem::path& directory, int room,
                                     LayoutFamily family) {
    const std::string_view name = roomFileName(room, family);
    if (family == LayoutFamily::User) {
        return directory / name;
    }
    return findHudDataFile(directory, name);
}

LayoutSet::LayoutSet()
    : layouts_{HudLayout(0), HudLayout(1), HudLayout(2), HudLayout(3), HudLayout(4), HudLayout(5)} {
}

HudLayout& LayoutSet::layout(int room, int size) {
    return layouts_.at(static_cast<std::size_t>(layoutIndex(room, size)));
}

const HudLayout& LayoutSet::layout(int room, int size) const {
    return layouts_.at(static_cast<std::size_t>(layoutIndex(room, size)));
}

void LayoutSet::readRoom(int room, std::string_view bytes) {
    std::size_t offset = 0;
    for (int size = 0; size < kSizeCount; ++size) {
        HudLayout& target = layout(room, size);
        for (int seat = 0; seat < target.seatCount(); ++seat) {
            for (StatKind kind : fileOrder()) {
                if (bytes.size() - offset < kEntryBytes) {
                    return;
                }
                const auto flag = static_cast<std::uint8_t>(bytes[offset]);
                BinaryReader entry(bytes.substr(offset + 1, kEntryBytes - 1));
                const std::int32_t x = entry.readInt32().value_or(0);
                const std::int32_t y = entry.readInt32().value_or(0);
                offset += kEntryBytes;
                // The last seat record decides the flag.
                target.setFlag(kind, flag);
                target.setPosition(kind, seat, {x, y});
            }
        }
    }
}

std::string LayoutSet::roomBytes(int room) const {
    std::string bytes;
    bytes.reserve(roomFileBytes(room));
    for (int size = 0; size < kSizeCount; ++size) {
        const HudLayout& source = layout(room, size);
        for (int seat = 0; seat < source.seatCount(); ++seat) {
            for (StatKind kind : fileOrder()) {
                BinaryWriter entry;
                const BoxPosition position = source.position(kind, seat);
                entry.writeInt32(position.x);
                entry.writeInt32(position.y);
                bytes += static_cast<char>(source.flag(kind));
                bytes += entry.bytes();
            }
        }
    }
    return bytes;
}

void LayoutSet::load(const std::filesystem::path& directory, LayoutFamily family,
                     MessageSink* failures) {
    for (int room = 0; room < kRoomCount; ++room) {
        const std::filesystem::path file = layoutFilePath(directory, room, family);
        // Nothing past the room's size is read; a longer file is not ours to judge.
        const FileContents contents = readWholeFile(file, roomFileBytes(room), true);
        std::string problem = contents.error;
        if (contents.status == FileContents::Status::Missing) {
            // A user who never saved has no file of his own: the defaults
            // stand. The shipped defaults are always there.
            if (family == LayoutFamily::Default) {
                problem = file.string() + ": no such file";
            }
        } else if (contents.read()) {
            readRoom(room, contents.bytes);
            if (contents.bytes.empty() || contents.bytes.size() % kEntryBytes != 0) {
                problem = file.string() + ": damaged, " + std::to_string(contents.bytes.size()) +
                          " bytes is no whole number of entries";
            }
        }
        if (!problem.empty() && failures != nullptr) {
            failures->showMessage({MessageKind::Failure, std::string(kErrorTitle),
                                   std::string(kLoadErrorText) + ": " + problem});
        }
    }
}

bool LayoutSet::save(const std::filesystem::path& directory, MessageSink& failures) const {
    bool allWritten = true;
    for (int room = 0; room < kRoomCount; ++room) {
        const auto file = directory / roomFileName(room, LayoutFamily::User);
        if (!writeFileAtomically(file, roomBytes(room))) {
            failures.showMessage({MessageKind::FileNotWritten, std::string(kErrorTitle),
                                  std::string(kSaveErrorText)});
            allWritten = false;
        }
    }
    return allWritten;
}

}  // namespace kestrova::hud
