#include "AggregateCommand.h"

#include "HeadlessSession.h"

namespace kestrova {

int runAggregateCommand(const std::filesystem::path& directory, const SettingsStore& settings,
                        std::ostream& out, std::ostream& err) {
    const auto headless = cli::HeadlessSession::openFiles(directory, settings.path(), err);
    if (!headless)
        return 1;
    job_event::AggregatorDone result;
    const bool finished = headless->finishJob(
        headless->session().passes().jobs().buildAggregator(), [&result](const JobEvent& event) {
            if (const auto* done = std::get_if<job_event::AggregatorDone>(&event))
                result = *done;
        });
    if (!finished || !result.built)
        return 1;
    out << result.completionText << '\n';
    return 0;
}

}  // namespace kestrova
