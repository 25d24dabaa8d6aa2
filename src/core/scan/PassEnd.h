#pragma once

namespace kestrova {

// Why a pass over the lobby ended. Every reason but EndOfList and Cancelled
// has been told to the user through the observer.
enum class PassEnd {
    EndOfList,       // the walk reached the end of the list (or the opener its maximum)
    Cancelled,       // the user cancelled
    ClientNotFound,  // no lobby window
    CaptureFailed,   // the lobby could not be captured
    DatabaseFailed,  // the tracking databases could not be reached
    UnreadableText,  // no glyph table or installed font reads the lobby
    ClientStopped,   // the client stopped answering mid-list: what was read is partial
};

}  // namespace kestrova
