#pragma once

#include "AppSettings.h"
#include "update/UpdateCheck.h"
#include "update/UpdateCheckRunner.h"
#include "update/UpdateSite.h"

#include <functional>
#include <memory>

namespace kestrova {

// The question to the update server whether a newer version exists, asked at
// the start on a thread of its own: a slow or silent server never holds up
// the window, and the question never waits behind a pass.
class UpdateCheckJob final {
public:
    // False in a build whose updates come from a package manager.
    static constexpr bool kBuiltIn = update_check::kBuiltIn;
    using ClientFactory = UpdateCheckRunner::ClientFactory;

    explicit UpdateCheckJob(const AppSettings& settings);
    // Stops a check still running (a second at most); its answer is dropped.
    ~UpdateCheckJob();
    UpdateCheckJob(const UpdateCheckJob&) = delete;
    UpdateCheckJob& operator=(const UpdateCheckJob&) = delete;

    // The program's web site: the update server named in the settings, or the build's.
    const UpdateSite& site() const { return site_; }

    // When the build has the check and the user wants it, asks and returns at
    // once; `newVersion` runs on the check's own thread when the server
    // offers a newer version. False, asking nothing, otherwise.
    bool start(std::function<void()> newVersion,
               ClientFactory makeClient = UpdateCheckRunner::w3Client());

private:
    UpdateSite site_;
    bool wanted_;
    std::unique_ptr<UpdateCheckRunner> runner_;
};

}  // namespace kestrova
