#include "flow/scheduler.h"

#include <algorithm>

namespace corvane {

void VirtualClock::after(int ms, std::coroutine_handle<> waiter, const void* owner) {
    m_queue.push_back({m_now + std::max(ms, 0), m_sequence++, waiter, owner});
    std::push_heap(m_queue.begin(), m_queue.end(), later);
}

void VirtualClock::cancel(const void* owner) {
    std::erase_if(m_queue, [owner](const Entry& e) { return e.owner == owner; });
    std::make_heap(m_queue.begin(), m_queue.end(), later);
}

bool VirtualClock::runNext() {
    if (m_queue.empty())
        return false;
    std::pop_heap(m_queue.begin(), m_queue.end(), later);
    const Entry entry = m_queue.back();
    m_queue.pop_back();
    m_now = std::max(m_now, entry.due);
    entry.waiter.resume();
    return true;
}

void VirtualClock::runUntilIdle() {
    while (runNext()) {
    }
}

void VirtualClock::advance(std::int64_t ms) {
    const std::int64_t until = m_now + ms;
    while (!m_queue.empty() && m_queue.front().due <= until)
        runNext();
    m_now = until;
}

} // namespace corvane
