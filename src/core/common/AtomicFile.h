#pragma once

#include <filesystem>
#include <string_view>

namespace kestrova {

// Replaces `file` with `bytes` so that a crash or power cut at any moment leaves
// either the old file or the new one, never a mixture: the bytes go to a
// temporary file in the same directory, are flushed to disk, and the temporary
// file is then renamed over the old one. The directory must exist.
//
// Returns false when any step fails; the old file is then untouched and the
// temporary file is removed.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// The same, but the new file has exactly `permissions` from the moment its
// temporary file exists, whatever the mode of the file it replaces (for files
// holding secrets, such as passwords).
bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::filesystem::perms permissions);

}  // namespace kestrova
