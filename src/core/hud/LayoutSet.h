#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/TranslatableText.h"
#include "hud/HudLayout.h"

namespace kestrova {
class MessageSink;
}

namespace kestrova::hud {

// The two families of layout files, one file per room in each: the user's
// ("ftp.lo", "pp.lo") and the shipped defaults ("ftp.def", "pp.def"), which
// are only ever read.
enum class LayoutFamily { User, Default };

inline constexpr std::string_view kErrorTitle = KESTROVA_TEXT("Messages", "Error");
inline constexpr std::string_view kLoadErrorText =
    KESTROVA_TEXT("Messages", "Error loading layout");
inline constexpr std::string_view kSaveErrorText = KESTROVA_TEXT("Messages", "Error saving layout");

// A room's file: the 9-max, 6-max and 2-max blocks in that order, each one
// seat record per seat; a seat record is ten 9-byte entries in file kind
// order: the kind's flag byte (repeated in every seat record of the layout),
// then x and y as little-endian int32. No header.
inline constexpr std::size_t kEntryBytes = 9;
inline constexpr std::size_t kSeatRecordBytes = kKindCount * kEntryBytes;

std::string_view roomFileName(int room, LayoutFamily family);
// 1530 bytes for FullTiltPoker, 1620 for PartyPoker.
std::size_t roomFileBytes(int room);

// Where a room's file of the family is: the user's files always in
// `directory`; a default file there when the user keeps one of his own,
// otherwise the shipped one.
std::filesystem::path layoutFilePath(const std::filesystem::path& directory, int room,
                                     LayoutFamily family);

// A shipped picture (or default file): `directory` first, then the data folders.
std::filesystem::path findHudDataFile(const std::filesystem::path& directory,
                                      std::string_view name);

// The six layouts, by layout index.
class LayoutSet final {
public:
    LayoutSet();

    HudLayout& layout(int room, int size);
    const HudLayout& layout(int room, int size) const;

    // Applies a room file's bytes to the room's three layouts as far as they
    // go: an entry cut short, and every entry after it, keeps its old values.
    // Bytes beyond the room's size are ignored.
    void readRoom(int room, std::string_view bytes);
    std::string roomBytes(int room) const;

    // Reads both rooms' files of the family. A missing file of the user's
    // leaves its room as it was, quietly (he has not saved one yet). A file
    // that cannot be read (or a missing shipped one) leaves its room as it was,
    // and a damaged one (empty, or ending inside an entry) loads what it holds;
    // when `failures` is given, both are told there once per room as "Error
    // loading layout: PATH: reason" (title "Error").
    void load(const std::filesystem::path& directory, LayoutFamily family, MessageSink* failures);

    // Rewrites "ftp.lo" and "pp.lo" whole and atomically, so a failed write
    // leaves the old file as it was; each failure is told as "Error saving
    // layout" and the next room is still written. True when both were written.
    bool save(const std::filesystem::path& directory, MessageSink& failures) const;

    friend bool operator==(const LayoutSet&, const LayoutSet&) = default;

private:
    std::array<HudLayout, kLayoutCount> layouts_;
};

}  // namespace kestrova::hud
