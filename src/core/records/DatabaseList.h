#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "records/DatabaseEntry.h"

namespace kestrova {

// The configured tracking databases, in list order, with their two files in one
// directory (the working directory in the product):
//
// "db.conf", little-endian:
//   int32 entry count N, then N records of
//     counted text host, counted text database, counted text user,
//     int32 kind, counted text password,
//     1 byte active marker: '0' active, '1' inactive (any other byte reads as active)
//   A counted text is an int32 length and that many bytes, no terminator.
//
// "port<i>.conf" for the entry with 0-based index i: the port as one int32.
// A missing port file means "5432". Port files of removed entries stay on disk
// and are never read.
//
// A rewrite cannot replace "db.conf" and several port files in one step, and a
// writer killed between them (or a reader coming in between) would put an
// entry on another entry's port. So "db.conf" carries the ports as well, after
// the last record: the 4 bytes "PORT" and one int32 per entry. Programs that
// read only N records never look there; this reader takes the ports from
// there when the trailer matches the records, and from the port files (still
// written for those programs) otherwise, e.g. after another program rewrote
// "db.conf" without it. One rename of "db.conf" thus switches entries and
// ports together.
//
// Other programs read these files into 100-byte buffers, so a text may hold at
// most 99 bytes. Past that the file is treated as damaged, never cut: a cut host
// or password would connect somewhere else or fail for a reason the user cannot
// see. Reading stops at the first record with a longer text (or a negative or
// impossible length, or a short record), keeps the records before it and says
// why in the load problem; save() refuses to write such a text at all.
//
// "db.conf" holds passwords in plain text (other programs' files must still
// load), so both files are written readable and writable by their owner only.
class DatabaseList final {
public:
    static constexpr std::string_view kFileName = "db.conf";
    static constexpr std::string_view kDefaultPort = "5432";
    static constexpr std::size_t kMaxTextBytes = 99;
    static constexpr std::filesystem::perms kFilePermissions =
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;

    // "port<index>.conf".
    static std::string portFileName(std::size_t index);
    static std::filesystem::path lockTarget(const std::filesystem::path& directory) {
        return directory / kFileName;
    }

    // The list as stored in `directory`; empty when "db.conf" is missing. When
    // the file is damaged, the entries before the damage and, in `problem`, a
    // message saying where and why (empty when the whole file was read). A file
    // that exists but cannot be read (permissions, no regular file) gives an
    // empty list and a problem: it must never be taken for an empty list and
    // overwritten.
    //
    // A read-modify-write (load, change, save) holds a FileLock on
    // lockTarget(directory) throughout, so that concurrent writers do not lose
    // each other's changes.
    static DatabaseList load(const std::filesystem::path& directory,
                             std::string* problem = nullptr);

    // Rewrites "db.conf" and the port file of every entry. Writes nothing and
    // returns false when an entry cannot be stored (see textProblem) or a file
    // could not be written; `problem` then says why.
    bool save(const std::filesystem::path& directory, std::string* problem = nullptr) const;

    // Empty when every text of the entry fits the file, otherwise why not.
    static std::string textProblem(const DatabaseEntry& entry);

    // The number stored in a port file for a typed port: base 10, surrounding
    // blanks allowed; empty, non-numeric or out-of-range text gives 0.
    static std::int32_t portNumber(std::string_view portText);

    // The bytes of "db.conf" for these entries (texts are not checked here).
    std::string dbConfBytes() const;

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const DatabaseEntry& at(std::size_t index) const { return entries_.at(index); }
    DatabaseEntry& at(std::size_t index) { return entries_.at(index); }
    const std::vector<DatabaseEntry>& entries() const { return entries_; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

    // Appends and sets the entry's position text to the new list length.
    void append(DatabaseEntry entry);
    // Removes the entry at index (nothing when out of range) and renumbers the
    // position texts of the ones after it. False when out of range.
    bool remove(std::size_t index);
    void clear() { entries_.clear(); }

private:
    std::vector<DatabaseEntry> entries_;
};

}  // namespace kestrova
