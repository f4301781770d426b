// The per-seat chat bucket.
#include "online/chat_limit.h"

#include <algorithm>

namespace corvane::online {

ChatLimit::Verdict ChatLimit::take(int seat, std::int64_t nowMs) {
    Bucket& b = m_seats[static_cast<std::size_t>(seat)];
    if (b.started && nowMs > b.since)
        b.lines = std::min(Burst, b.lines + static_cast<double>(nowMs - b.since) / 1000.0 *
                                                LinesPerSecond);
    b.since = nowMs;
    b.started = true;
    if (b.lines >= 1) {
        b.lines -= 1;
        b.told = false;
        return Verdict::Pass;
    }
    if (b.told)
        return Verdict::Drop;
    b.told = true;
    return Verdict::DropAndTell;
}

} // namespace corvane::online
