#include "update/UpdateCheck.h"

#include <algorithm>
#include <array>
#include <span>

#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "update/HttpClient.h"

namespace kestrova::update_check {

bool enabled(const SettingsStore& settings) {
    return kBuiltIn && settings.read(keys::checkupdate) == 1;
}

std::string versionPath() {
    return "/vversion.php?v=" + std::string(kVersion);
}

std::string fetchAnswer(HttpClient& client, std::string_view server) {
    std::string answer = "0";
    if (!client.connect(server, "", "", kAgent)) {
        return answer;
    }
    answer.clear();
    if (client.request(versionPath())) {
        std::array<char, kChunkBytes> chunk{};
        while (answer.size() < kMaxAnswerBytes) {
            const std::size_t wanted = std::min(chunk.size(), kMaxAnswerBytes - answer.size());
            const std::size_t got = client.read(std::span(chunk.data(), wanted));
            if (got == 0) {
                break;
            }
            answer.append(chunk.data(), std::min(got, wanted));
        }
    }
    client.close();
    return answer;
}

bool offersNewVersion(std::string_view answer) {
    return !answer.empty() && answer.front() == '9';
}

}  // namespace kestrova::update_check
