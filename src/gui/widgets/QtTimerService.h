#pragma once

#include "TimerService.h"

#include <QObject>

#include <map>

class QTimer;

// The session's timers on the window's event loop.
class QtTimerService final : public QObject, public kestrova::TimerService {
public:
    explicit QtTimerService(QObject* parent = nullptr) : QObject(parent) {}

    void start(kestrova::TimerId id, int intervalMs, std::function<void()> tick) override;
    void stop(kestrova::TimerId id) override;
    bool running(kestrova::TimerId id) const override;

private:
    std::map<kestrova::TimerId, QTimer*> timers_;
};
