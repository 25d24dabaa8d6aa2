#include "HeadlessSession.h"

namespace kestrova::cli {

HeadlessSession::HeadlessSession(SessionServices services, std::ostream& err) : err_(err) {
    services.post = [this](std::function<void()> work) { post(std::move(work)); };
    services.headless = true;
    session_ = std::make_unique<Session>(std::move(services));
    session_->setListener(this);
}

void HeadlessSession::post(std::function<void()> work) {
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(work));
}

void HeadlessSession::finishPass() {
    session_->scans().waitUntilIdle();
    std::vector<std::function<void()>> work;
    {
        const std::lock_guard lock(mutex_);
        work.swap(queue_);
    }
    for (const std::function<void()>& step : work)
        step();
}

void HeadlessSession::showMessage(const std::string& title, const std::string& text) {
    err_ << title << ": " << text << '\n';
    failed_ = true;
}

}  // namespace kestrova::cli
