// The game flow's clock in the program: pauses are Qt single-shot timers and movements are
// handed to the window's animator, which reports when each has ended. Nothing waits by looping:
// between wake-ups the program sleeps in Qt's event loop.
#pragma once

#include "flow/scheduler.h"

#include <QObject>
#include <coroutine>
#include <cstdint>
#include <functional>
#include <unordered_map>

class QTimer;

namespace corvane::ui {

// Whoever shows movements: it animates one and calls `done` when the card has arrived. The
// scheduler drops a `done` whose flow has been abandoned in the meantime.
class Animator {
public:
    virtual ~Animator() = default;
    virtual void startMovement(const Movement& movement, std::function<void()> done) = 0;
};

class QtScheduler final : public QObject, public Scheduler {
    Q_OBJECT
public:
    explicit QtScheduler(QObject* parent = nullptr);
    ~QtScheduler() override;

    void setAnimator(Animator* animator) { m_animator = animator; }

    // Multiplies every pause: 1 in play, 0 in tests that play whole games at once. On a clock
    // sped up more than twice the movements end at once.
    void setTimeScale(double scale) { m_timeScale = scale; }
    double timeScale() const { return m_timeScale; }

    void after(int ms, std::coroutine_handle<> waiter, const void* owner) override;
    void cancel(const void* owner) override;
    bool animates() const override { return m_animator != nullptr && m_timeScale >= 0.5; }
    void animate(const Movement& movement, std::coroutine_handle<> waiter,
                 const void* owner) override;

    std::size_t pending() const { return m_waiting.size(); }

signals:
    // A flow has run a step: the table may have changed.
    void stepped();

private:
    struct Waiting {
        std::coroutine_handle<> waiter;
        const void* owner = nullptr;
        QTimer* timer = nullptr; // null for a movement
    };
    void wake(std::uint64_t id);

    std::unordered_map<std::uint64_t, Waiting> m_waiting;
    std::uint64_t m_nextId = 1;
    Animator* m_animator = nullptr;
    double m_timeScale = 1.0;
};

} // namespace corvane::ui
