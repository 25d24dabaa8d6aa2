#pragma once

#include "SessionTypes.h"
#include "gui/widgets/QtText.h"

#include <functional>

namespace kestrova {

// Hands the core's messages to the window's message handler (a modal box, or
// the test's answer).
class MessageHandlerSink final : public MessageSink {
public:
    using Handler = std::function<void(const QString& title, const QString& text)>;

    explicit MessageHandlerSink(Handler handler) : handler_(std::move(handler)) {}

    void showMessage(const std::string& title, const std::string& text) override {
        handler_(toQString(title), toQString(text));
    }

private:
    Handler handler_;
};

}  // namespace kestrova
