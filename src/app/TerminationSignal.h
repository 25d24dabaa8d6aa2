#pragma once

class QApplication;

// A desktop logging out asks the program to end (SIGTERM on POSIX): the event
// loop is left as if the user had closed the window, so the window saves its
// size, column widths and interval as it does on a close. Boxes and dialogs
// open at that moment, or opened later on the way out, are closed unanswered:
// a modal box must not keep the program from ending.
void quitOnTerminationRequest(QApplication& app);

// True once the desktop asked the program to end; a request that came before
// the event loop ran (while the window was still being built) is not lost.
bool terminationRequested();
