#pragma once

class QWidget;

namespace kestrova::sim {

// Gives a top-level window the WM_CLASS Wine gives every window of the client
// ("everestclient.exe" as instance and class), so that the lobby and its tables
// are told apart on X11 as the real client's are: by title alone. Does nothing
// where there is no X11.
void setWineWindowClass(QWidget& window);

}  // namespace kestrova::sim
