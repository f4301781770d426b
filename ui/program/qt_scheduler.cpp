// Qt timers and the window's animations as the game flow's scheduler.
#include "ui/program/qt_scheduler.h"

#include <QTimer>
#include <cmath>
#include <vector>

namespace corvane::ui {

QtScheduler::QtScheduler(QObject* parent) : QObject(parent) {}

QtScheduler::~QtScheduler() {
    for (auto& [id, w] : m_waiting)
        delete w.timer;
}

void QtScheduler::after(int ms, std::coroutine_handle<> waiter, const void* owner) {
    const std::uint64_t id = m_nextId++;
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    const double scaled = std::max(0.0, ms * m_timeScale);
    timer->setInterval(static_cast<int>(std::lround(scaled)));
    connect(timer, &QTimer::timeout, this, [this, id] { wake(id); });
    m_waiting.emplace(id, Waiting{waiter, owner, timer});
    timer->start();
}

void QtScheduler::animate(const Movement& movement, std::coroutine_handle<> waiter,
                          const void* owner) {
    if (!animates()) {
        after(0, waiter, owner);
        return;
    }
    const std::uint64_t id = m_nextId++;
    m_waiting.emplace(id, Waiting{waiter, owner, nullptr});
    // The animator may finish at once; waking through the event loop keeps the flow's resumption
    // off the animator's stack either way.
    m_animator->startMovement(
        movement, [this, id] { QTimer::singleShot(0, this, [this, id] { wake(id); }); });
}

void QtScheduler::cancel(const void* owner) {
    std::vector<std::uint64_t> gone;
    for (auto& [id, w] : m_waiting)
        if (w.owner == owner)
            gone.push_back(id);
    for (std::uint64_t id : gone) {
        delete m_waiting[id].timer;
        m_waiting.erase(id);
    }
}

void QtScheduler::wake(std::uint64_t id) {
    auto it = m_waiting.find(id);
    if (it == m_waiting.end())
        return; // cancelled: the flow that waited is gone
    Waiting w = it->second;
    m_waiting.erase(it);
    if (w.timer)
        w.timer->deleteLater();
    w.waiter.resume();
    emit stepped();
}

} // namespace corvane::ui
