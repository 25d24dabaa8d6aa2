#include "update/UpdateCheckRunner.h"

#include <utility>

#include "update/UpdateCheck.h"
#include "update/W3Client.h"

namespace kestrova {

UpdateCheckRunner::ClientFactory UpdateCheckRunner::w3Client() {
    return [](std::stop_token stop) -> std::unique_ptr<HttpClient> {
        W3Client::Limits limits;
        limits.maxBodyBytes = update_check::kMaxAnswerBytes;
        return std::make_unique<W3Client>(limits, std::move(stop));
    };
}

UpdateCheckRunner::UpdateCheckRunner(std::string server, ClientFactory makeClient, Callback done)
    : worker_([server = std::move(server), makeClient = std::move(makeClient),
               done = std::move(done)](std::stop_token stop) {
          const std::unique_ptr<HttpClient> client = makeClient(stop);
          const bool newVersion =
              client && update_check::offersNewVersion(update_check::fetchAnswer(*client, server));
          if (!stop.stop_requested()) {
              done(newVersion);
          }
      }) {}

}  // namespace kestrova
