// A small coroutine task for the game flow. A task starts at once and runs until it waits (a
// pause, a movement, a message to be acknowledged); a task that co_awaits another resumes when the
// inner one finishes. Destroying a task destroys its suspended frame and every frame it awaits,
// which is how a new game abandons a flow in progress.
#pragma once

#include "flow/frame_pool.h"

#include <coroutine>
#include <exception>
#include <utility>

namespace corvane {

class [[nodiscard]] Task {
public:
    struct promise_type {
        std::coroutine_handle<> continuation;

        static void* operator new(std::size_t size) { return detail::allocateFrame(size); }
        static void operator delete(void* frame, std::size_t size) noexcept {
            detail::freeFrame(frame, size);
        }

        Task get_return_object() {
            return Task(std::coroutine_handle<promise_type>::from_promise(*this));
        }
        std::suspend_never initial_suspend() noexcept { return {}; }
        struct FinalAwaiter {
            bool await_ready() noexcept { return false; }
            std::coroutine_handle<> await_suspend(std::coroutine_handle<promise_type> h) noexcept {
                if (auto next = h.promise().continuation)
                    return next;
                return std::noop_coroutine();
            }
            void await_resume() noexcept {}
        };
        FinalAwaiter final_suspend() noexcept { return {}; }
        void return_void() {}
        void unhandled_exception() { std::terminate(); }
    };

    Task() = default;
    Task(Task&& other) noexcept : m_handle(std::exchange(other.m_handle, {})) {}
    Task& operator=(Task&& other) noexcept {
        if (this != &other) {
            reset();
            m_handle = std::exchange(other.m_handle, {});
        }
        return *this;
    }
    Task(const Task&) = delete;
    Task& operator=(const Task&) = delete;
    ~Task() { reset(); }

    bool done() const { return !m_handle || m_handle.done(); }

    // Awaiting a task resumes the awaiting coroutine when the task has finished.
    bool await_ready() const noexcept { return done(); }
    void await_suspend(std::coroutine_handle<> awaiting) noexcept {
        m_handle.promise().continuation = awaiting;
    }
    void await_resume() const noexcept {}

private:
    explicit Task(std::coroutine_handle<promise_type> h) : m_handle(h) {}
    void reset() {
        if (m_handle)
            m_handle.destroy();
        m_handle = {};
    }
    std::coroutine_handle<promise_type> m_handle;
};

} // namespace corvane
