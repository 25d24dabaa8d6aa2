#include "HeadlessSession.h"

namespace kestrova::cli {

std::unique_ptr<HeadlessSession> HeadlessSession::openFiles(
    const std::filesystem::path& directory, const std::filesystem::path& settingsFile,
    std::ostream& err) {
    auto headless = std::make_unique<HeadlessSession>(Client{}, GlyphTable{}, directory, err,
                                                      /*bareMessages=*/true, settingsFile);
    if (headless->failed())
        return nullptr;
    return headless;
}

HeadlessSession::HeadlessSession(Client client, GlyphTable glyphs,
                                 const std::filesystem::path& directory, std::ostream& err,
                                 bool bareMessages, const std::filesystem::path& settingsFile,
                                 bool keepFoundFont)
    : err_(err), bareMessages_(bareMessages), client_(std::move(client)) {
    SessionServices services;
    services.platform = client_.platform.get();
    services.clock = client_.clock.get();
    services.glyphs = std::move(glyphs);
    services.workingDir = directory;
    services.keepFoundFont = keepFoundFont;
    if (!settingsFile.empty())
        services.settingsFile = settingsFile;
    services.post = [this](std::function<void()> work) { post(std::move(work)); };
    services.headless = true;
    session_ = std::make_unique<Session>(std::move(services));
    session_->setListener(this);
}

void HeadlessSession::post(std::function<void()> work) {
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(work));
}

bool HeadlessSession::finishJob(bool started, std::function<void(const JobEvent&)> events) {
    jobEvents_ = std::move(events);
    const bool finished = finishPass(started);
    jobEvents_ = nullptr;
    return finished;
}

void HeadlessSession::jobEvent(const JobEvent& event) {
    if (jobEvents_)
        jobEvents_(event);
}

bool HeadlessSession::finishPass(bool started) {
    if (!started)
        return false;
    settle();
    return !failed_;
}

void HeadlessSession::settle() {
    // Handling the pass's events hands its tables to the history, whose
    // answers (alerts) come back as events in turn.
    for (;;) {
        session_->passes().scans().waitUntilIdle();
        session_->history().waitUntilIdle();
        std::vector<std::function<void()>> work;
        {
            const std::lock_guard lock(mutex_);
            work.swap(queue_);
        }
        if (work.empty())
            return;
        for (const std::function<void()>& step : work)
            step();
    }
}

void HeadlessSession::fontFound(const std::string& description) {
    err_ << "font found: " << description << '\n';
}

void HeadlessSession::passFinished(const scan_event::Finished& done) {
    lastEnd_ = done.end;
    leftOut_ = done.leftOut;
    // Esc pressed while the pass ran: what it read is shown, and that it is not all.
    if (done.end == PassEnd::Cancelled) {
        err_ << "The scan was cancelled; what it read before is shown.\n";
        failed_ = true;
    }
}

void HeadlessSession::historyUnavailable(const std::string& problem) {
    err_ << "warning: " << problem << '\n';
}

void HeadlessSession::showMessage(const Message& message) {
    if (!bareMessages_)
        err_ << message.title << ": ";
    const std::string& text = message.text;
    err_ << text;
    if (text.empty() || text.back() != '\n')
        err_ << '\n';
    failed_ = true;
    ++messages_;
}

}  // namespace kestrova::cli
