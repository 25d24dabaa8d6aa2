#include "common/AtomicFile.h"

#include "common/AtomicFileNames.h"

#include <windows.h>

#include <algorithm>
#include <random>

namespace kestrova {

namespace {

bool fail(std::string* error, const std::filesystem::path& file, DWORD code) {
    if (error != nullptr) {
        char text[256] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text, sizeof(text), nullptr);
        std::string reason(text);
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
            reason.pop_back();
        *error = file.string() + ": " + (reason.empty() ? "error " + std::to_string(code) : reason);
    }
    return false;
}

// A new, unused name beside the file; CREATE_NEW refuses one that exists.
HANDLE createTemporary(const std::filesystem::path& file, std::filesystem::path& temporary) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(kLetters) - 2);
    std::filesystem::path directory = file.parent_path();
    if (directory.empty())
        directory = ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = temporaryPrefix(file);
        for (std::size_t i = 0; i < kTemporarySuffixLength; ++i)
            name += kLetters[pick(random)];
        temporary = directory / name;
        HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return handle;
    }
    return INVALID_HANDLE_VALUE;
}

bool writeAll(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk =
            bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr))
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

// Windows keeps permissions in the folder's access lists, which the new file
// inherits; the requested mode has nothing to map onto.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::filesystem::perms /*permissions*/, std::string* error) {
    return writeFileAtomically(file, bytes, error);
}

bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string* error) {
    return writeFileAtomically(file, {bytes}, error);
}

bool writeFileAtomically(const std::filesystem::path& file,
                         std::initializer_list<std::string_view> parts, std::string* error) {
    if (file.filename().empty())
        return fail(error, file, ERROR_DIRECTORY);
    std::filesystem::path temporary;
    HANDLE handle = createTemporary(file, temporary);
    if (handle == INVALID_HANDLE_VALUE)
        return fail(error, file, GetLastError());
    bool ok = std::all_of(parts.begin(), parts.end(),
                          [&](std::string_view part) { return writeAll(handle, part); }) &&
              FlushFileBuffers(handle);
    DWORD failure = ok ? 0 : GetLastError();
    CloseHandle(handle);
    if (ok && !MoveFileExW(temporary.c_str(), file.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        failure = GetLastError();
    }
    if (!ok) {
        DeleteFileW(temporary.c_str());
        return fail(error, file, failure);
    }
    return true;
}

}  // namespace kestrova
