#pragma once

class QCoreApplication;

// A desktop logging out asks the program to end (SIGTERM on POSIX): the event
// loop is left as if the user had closed the window, so the window saves its
// size, column widths and interval as it does on a close.
void quitOnTerminationRequest(QCoreApplication& app);
