// One pending time limit on a scheduler: start() arms it (replacing one already armed), stop()
// forgets it, and when it runs out its action runs once. The action may start or stop the same
// limit: the frame that runs it is kept until the limit is next armed, stopped or destroyed.
#pragma once

#include "flow/scheduler.h"
#include "flow/task.h"

#include <functional>

namespace corvane::online {

class TimeLimit {
public:
    explicit TimeLimit(Scheduler& scheduler) : m_scheduler(scheduler) {}
    ~TimeLimit() { stop(); }
    TimeLimit(const TimeLimit&) = delete;
    TimeLimit& operator=(const TimeLimit&) = delete;

    void start(int ms, std::function<void()> action) {
        stop();
        m_action = std::move(action);
        m_pending = wait(ms);
    }
    void stop() {
        m_scheduler.cancel(this);
        m_pending = {};
        if (!m_running)
            m_ran = {};
    }
    bool armed() const { return !m_pending.done(); }

private:
    // Always suspends, even on a clock that could let the time pass at once: the task must be
    // stored before its action can run.
    struct Wake {
        Scheduler& scheduler;
        int ms;
        const void* owner;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> h) { scheduler.after(ms, h, owner); }
        void await_resume() const noexcept {}
    };

    Task wait(int ms) {
        co_await Wake{m_scheduler, ms, this};
        m_ran = std::move(m_pending);
        m_running = true;
        auto action = std::move(m_action);
        action();
        m_running = false;
    }

    Scheduler& m_scheduler;
    std::function<void()> m_action;
    Task m_pending;
    Task m_ran;
    bool m_running = false;
};

} // namespace corvane::online
