#include "HeadlessSession.h"

#include "Commands.h"

namespace kestrova::cli {

std::unique_ptr<HeadlessSession> HeadlessSession::open(const ClientOptions& options,
                                                       const std::filesystem::path& directory,
                                                       std::ostream& err) {
    std::optional<GlyphTable> glyphs = loadGlyphs(options.glyphFile, err);
    if (!glyphs)
        return nullptr;
    std::optional<Client> client = openClient(options, err);
    if (!client)
        return nullptr;
    auto headless =
        std::make_unique<HeadlessSession>(std::move(*client), std::move(*glyphs), directory, err);
    if (headless->failed())
        return nullptr;
    return headless;
}

HeadlessSession::HeadlessSession(Client client, GlyphTable glyphs,
                                 const std::filesystem::path& directory, std::ostream& err)
    : err_(err), client_(std::move(client)) {
    SessionServices services;
    services.platform = client_.platform.get();
    services.clock = client_.clock.get();
    services.glyphs = std::move(glyphs);
    services.workingDir = directory;
    services.post = [this](std::function<void()> work) { post(std::move(work)); };
    services.headless = true;
    session_ = std::make_unique<Session>(std::move(services));
    session_->setListener(this);
}

void HeadlessSession::post(std::function<void()> work) {
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(work));
}

bool HeadlessSession::finishPass(bool started) {
    if (!started)
        return false;
    session_->scans().waitUntilIdle();
    std::vector<std::function<void()>> work;
    {
        const std::lock_guard lock(mutex_);
        work.swap(queue_);
    }
    for (const std::function<void()>& step : work)
        step();
    return !failed_;
}

void HeadlessSession::showMessage(const std::string& title, const std::string& text) {
    err_ << title << ": " << text << '\n';
    failed_ = true;
}

}  // namespace kestrova::cli
