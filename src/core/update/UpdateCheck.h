#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrova {

class HttpClient;
class SettingsStore;

// Asking the update server whether a newer version exists.
namespace update_check {

inline constexpr std::string_view kVersion = "1.30";
inline constexpr std::string_view kAgent = "Mozilla/4.0 (compatible; )";
inline constexpr std::size_t kChunkBytes = 32;
// The answer is one version number; a longer body is cut here.
inline constexpr std::size_t kMaxAnswerBytes = 1024;
// Pages on the web site: the one the offer opens, the one the menu opens.
inline constexpr std::string_view kOfferPage = "/tdownload.php";
inline constexpr std::string_view kDownloadPage = "/vdownload.php";

// False in a build whose updates come from a package manager.
inline constexpr bool kBuiltIn = KESTROVA_UPDATE_CHECK != 0;

// The build has the check and key checkupdate reads exactly 1.
bool enabled(const SettingsStore& settings);

// "/vversion.php?v=1.30".
std::string versionPath();

// Connects to server, GETs the version path and reads the body in chunks of
// kChunkBytes, at most kMaxAnswerBytes; closes the client. "0" when the
// connection fails, empty or the body so far when the request fails.
std::string fetchAnswer(HttpClient& client, std::string_view server);

// The server says a newer version exists: the answer begins with "9".
bool offersNewVersion(std::string_view answer);

}  // namespace update_check
}  // namespace kestrova
