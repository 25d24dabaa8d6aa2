#pragma once

#include <string>

namespace kestrova {

// Where a failure is told to the user: a modal box with one "OK" button in the
// main window, standard error on the command line, a list in tests.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const std::string& title, const std::string& text) = 0;
};

}  // namespace kestrova
