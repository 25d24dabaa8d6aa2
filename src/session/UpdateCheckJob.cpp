#include "UpdateCheckJob.h"

namespace kestrova {

UpdateCheckJob::UpdateCheckJob(const AppSettings& settings)
    : site_(UpdateSite::at(settings.updateServer.empty()
                               ? UpdateSite::kDefaultSite
                               : std::string_view(settings.updateServer))),
      wanted_(kBuiltIn && settings.checkUpdate) {}

UpdateCheckJob::~UpdateCheckJob() = default;

bool UpdateCheckJob::start(std::function<void()> newVersion, ClientFactory makeClient) {
    if (!wanted_)
        return false;
    runner_ = std::make_unique<UpdateCheckRunner>(site_.server, std::move(makeClient),
                                                  [done = std::move(newVersion)](bool offered) {
                                                      if (offered)
                                                          done();
                                                  });
    return true;
}

}  // namespace kestrova
