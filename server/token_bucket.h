// A token bucket: an allowance that holds at most a burst and refills at a steady rate. The
// lobby's input and table-list limits, per connection and per address, are all one of these.
#pragma once

#include <algorithm>
#include <chrono>

namespace corvane::lobby {

class TokenBucket {
public:
    using Clock = std::chrono::steady_clock;

    // Starts full.
    TokenBucket(double burst, double perSecond, Clock::time_point now)
        : m_burst(burst), m_perSecond(perSecond), m_tokens(burst), m_refilled(now) {}

    // Takes `amount` when that much is left; otherwise takes nothing and returns false.
    bool take(double amount, Clock::time_point now) {
        if (!holds(amount, now)) {
            return false;
        }
        m_tokens -= amount;
        return true;
    }

    // Whether `amount` is left, taking nothing.
    bool holds(double amount, Clock::time_point now) {
        refill(now);
        return m_tokens >= amount;
    }

    // Whether it would be full by `now`: a full bucket remembers nothing worth keeping.
    bool fullAt(Clock::time_point now) const {
        return m_tokens + elapsed(now) * m_perSecond >= m_burst;
    }

private:
    double elapsed(Clock::time_point now) const {
        return std::chrono::duration<double>(now - m_refilled).count();
    }

    void refill(Clock::time_point now) {
        if (now > m_refilled) {
            m_tokens = std::min(m_burst, m_tokens + elapsed(now) * m_perSecond);
            m_refilled = now;
        }
    }

    double m_burst;
    double m_perSecond;
    double m_tokens;
    Clock::time_point m_refilled;
};

} // namespace corvane::lobby
