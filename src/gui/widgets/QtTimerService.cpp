#include "gui/widgets/QtTimerService.h"

#include <QTimer>

namespace kestrova {

void QtTimerService::start(TimerId id, int intervalMs, std::function<void()> tick) {
    stop(id);
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, std::move(tick));
    timer->start(intervalMs);
    timers_[id] = timer;
}

void QtTimerService::stop(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end())
        return;
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
}

bool QtTimerService::running(TimerId id) const {
    return timers_.count(id) != 0;
}

}  // namespace kestrova
