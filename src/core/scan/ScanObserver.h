#pragma once

#include "common/MessageSink.h"
#include "common/Rect.h"

#include <string>

namespace kestrova {

// What a pass reports to whoever drives it (the main window, the command line,
// tests). The pass checks cancelled() between rows; cancelling ends the walk
// after the current row.
class ScanObserver : public MessageSink {
public:
    // The lobby was brought up; the progress display moves to its top-left corner.
    virtual void lobbyFound(const Rect& lobbyRect) { (void)lobbyRect; }
    // Between rows: keep the window responsive.
    virtual void processEvents() {}
    virtual bool cancelled() const = 0;
    virtual void cancel() = 0;
};

}  // namespace kestrova
