#include "TerminationSignal.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

namespace {

// The handler may only write to a descriptor; the event loop reads it.
int signalPipe[2] = {-1, -1};
bool requested = false;

// Often enough that no one sees a box that is already being closed.
constexpr int kCloseBoxesEveryMs = 50;

void onTerminate(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

bool terminationRequested() {
    return requested;
}

void quitOnTerminationRequest(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    auto* closeBoxes = new QTimer(&app);
    closeBoxes->setInterval(kCloseBoxesEveryMs);
    // A modal box runs an event loop of its own: closing it lets the code that
    // opened it go on to the end instead of waiting for a click.
    QObject::connect(closeBoxes, &QTimer::timeout, &app, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        QCoreApplication::quit();
    });
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [closeBoxes] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[0], &byte, 1);
        requested = true;
        closeBoxes->start();
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}
