#pragma once

#include "Session.h"
#include "SessionListener.h"

#include <functional>
#include <mutex>
#include <ostream>
#include <vector>

namespace kestrova::cli {

// A session driven from the command line: events queue up while a pass runs
// on the worker and are handled here once it has ended; messages go to
// standard error and count as failure. Nothing ever waits for a click.
class HeadlessSession final : public SessionListener {
public:
    HeadlessSession(SessionServices services, std::ostream& err);

    Session& session() { return *session_; }
    // Waits for the pass started last and handles every event it sent.
    void finishPass();
    bool failed() const { return failed_; }

    void showMessage(const std::string& title, const std::string& text) override;

private:
    void post(std::function<void()> work);

    std::ostream& err_;
    bool failed_ = false;
    std::mutex mutex_;
    std::vector<std::function<void()>> queue_;
    std::unique_ptr<Session> session_;
};

}  // namespace kestrova::cli
