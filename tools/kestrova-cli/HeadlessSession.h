#pragma once

#include "ClientChoice.h"
#include "Session.h"
#include "SessionListener.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <vector>

namespace kestrova::cli {

// A session driven from the command line: events queue up while a pass runs
// on the worker and are handled here once it has ended; messages go to
// standard error and count as failure. Nothing ever waits for a click.
class HeadlessSession final : public SessionListener {
public:
    // The session of a lobby command: the client and glyph tables `options`
    // name, the companion files and settings of `directory`. Null after telling
    // err why it cannot run, a start-up problem with those files included.
    static std::unique_ptr<HeadlessSession> open(const ClientOptions& options,
                                                 const std::filesystem::path& directory,
                                                 std::ostream& err);

    // The session of a command on the user's files and databases: no client,
    // no glyph tables, and messages told as their bare text.
    static std::unique_ptr<HeadlessSession> openFiles(const std::filesystem::path& directory,
                                                      const std::filesystem::path& settingsFile,
                                                      std::ostream& err);
    // settingsFile: empty for the user's own.
    // keepFoundFont: the user's own tables are read (no --glyphs), so a font a
    // pass finds is kept for the next run.
    HeadlessSession(Client client, GlyphTable glyphs, const std::filesystem::path& directory,
                    std::ostream& err, bool bareMessages = false,
                    const std::filesystem::path& settingsFile = {}, bool keepFoundFont = false);

    Session& session() { return *session_; }
    // Waits for the pass a session command just started (`started` is what the
    // command returned) and handles every event it sent. False when the pass
    // was refused or a message was told.
    bool finishPass(bool started);
    // The same for a job (Session::jobs()); its events go to `events`.
    bool finishJob(bool started, std::function<void(const JobEvent&)> events);
    // Handles what the worker and the history handed over, until both are idle.
    void settle();
    bool failed() const { return failed_; }
    // The last pass ended with the client no longer answering, or the user
    // cancelled it: what it read is partial, and is shown all the same.
    bool partial() const {
        return lastEnd_ == PassEnd::ClientStopped || lastEnd_ == PassEnd::Cancelled;
    }
    int messageCount() const { return messages_; }
    // The tracking databases the last scan left out after telling why, once each.
    const std::vector<scan_event::LeftOutDatabase>& leftOut() const { return leftOut_; }

    void showMessage(const Message& message) override;
    void jobEvent(const JobEvent& event) override;
    // The font a pass found for a lobby the glyph tables could not read: a note.
    void fontFound(const std::string& description) override;
    void passFinished(const scan_event::Finished& done) override;
    // A warning on standard error: the command's own work goes on and counts.
    void historyUnavailable(const std::string& problem) override;

private:
    void post(std::function<void()> work);

    std::ostream& err_;
    bool bareMessages_;
    bool failed_ = false;
    std::optional<PassEnd> lastEnd_;
    int messages_ = 0;
    std::vector<scan_event::LeftOutDatabase> leftOut_;
    std::function<void(const JobEvent&)> jobEvents_;
    std::mutex mutex_;
    std::vector<std::function<void()>> queue_;
    // The session's worker drives the client: the client goes after it.
    Client client_;
    std::unique_ptr<Session> session_;
};

}  // namespace kestrova::cli
