#pragma once

#include "TimerService.h"

#include <QObject>

#include <map>

class QTimer;

namespace kestrova {

// The session's timers on the window's event loop.
class QtTimerService final : public QObject, public TimerService {
public:
    explicit QtTimerService(QObject* parent = nullptr) : QObject(parent) {}

    void start(TimerId id, int intervalMs, std::function<void()> tick) override;
    void stop(TimerId id) override;
    bool running(TimerId id) const override;

private:
    std::map<TimerId, QTimer*> timers_;
};

}  // namespace kestrova
