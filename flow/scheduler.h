// What the game flow waits on: a clock for its pauses and an animator for its movements. The
// program drives it from Qt timers and the window's animations; tests and the simulator drive a
// virtual clock, on which a whole game takes milliseconds and replays exactly.
#pragma once

#include "table/layout.h"

#include <coroutine>
#include <cstdint>
#include <vector>

namespace corvane {

// A card that moves on the table while the flow waits. The model already holds the final place;
// the movement tells the window where the card comes from.
struct Movement {
    enum class Kind { Glide, Spin };
    Kind kind = Kind::Glide;
    int picture = 0;
    int seat = 0; // for a spin: the seat whose card spins off
    Point from;
    Point to;
};

class Scheduler {
public:
    virtual ~Scheduler() = default;

    // Resumes `waiter` after `ms` milliseconds of this scheduler's clock. `owner` tags the entry
    // so that a table can cancel everything it started.
    virtual void after(int ms, std::coroutine_handle<> waiter, const void* owner) = 0;

    // Forgets every pending wake-up of `owner` (its flows have been destroyed).
    virtual void cancel(const void* owner) = 0;

    // A pause that may end at once: true when nothing else can happen during the pause, so the
    // scheduler has moved its clock on instead of suspending the flow.
    virtual bool elapseAtOnce(int ms) {
        (void)ms;
        return false;
    }

    // Whether movements take time. When false, a movement ends the moment it starts.
    virtual bool animates() const { return false; }

    // Starts a movement and resumes `waiter` when it has ended (only called when animates()).
    virtual void animate(const Movement& movement, std::coroutine_handle<> waiter,
                         const void* owner) {
        (void)movement;
        after(0, waiter, owner);
    }
};

// A clock that only moves when told to: every pause ends in the order of its due time, at once.
class VirtualClock final : public Scheduler {
public:
    void after(int ms, std::coroutine_handle<> waiter, const void* owner) override;
    void cancel(const void* owner) override;

    // With nothing else pending, a pause cannot be overtaken by anything, so it may simply move
    // the clock on. Off by default, so that tests can hold a flow in the middle of a pause.
    void setPassIdlePauses(bool on) { m_passIdlePauses = on; }
    bool elapseAtOnce(int ms) override {
        if (!m_passIdlePauses || !m_queue.empty())
            return false;
        m_now += ms > 0 ? ms : 0;
        return true;
    }

    // Runs the earliest pending wake-up, moving the clock to its time. False when none is left.
    bool runNext();
    // Runs wake-ups until none is pending.
    void runUntilIdle();
    // Runs the wake-ups due within the next `ms` milliseconds and moves the clock by `ms`.
    void advance(std::int64_t ms);

    std::int64_t now() const { return m_now; }
    size_t pending() const { return m_queue.size(); }

private:
    struct Entry {
        std::int64_t due;
        std::uint64_t sequence;
        std::coroutine_handle<> waiter;
        const void* owner;
    };
    static bool later(const Entry& a, const Entry& b) {
        return a.due != b.due ? a.due > b.due : a.sequence > b.sequence;
    }
    std::vector<Entry> m_queue; // a min-heap on (due, sequence)
    std::int64_t m_now = 0;
    std::uint64_t m_sequence = 0;
    bool m_passIdlePauses = false;
};

// Awaitable pause on a scheduler.
struct Pause {
    Scheduler& scheduler;
    int ms;
    const void* owner;
    bool await_ready() const { return scheduler.elapseAtOnce(ms); }
    void await_suspend(std::coroutine_handle<> h) { scheduler.after(ms, h, owner); }
    void await_resume() const noexcept {}
};

// Awaitable movement: ends at once unless the scheduler animates.
struct MovementAwaiter {
    Scheduler& scheduler;
    Movement movement;
    const void* owner;
    bool await_ready() const { return !scheduler.animates(); }
    void await_suspend(std::coroutine_handle<> h) { scheduler.animate(movement, h, owner); }
    void await_resume() const noexcept {}
};

} // namespace corvane
