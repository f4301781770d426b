// The host's limit on each seat's chat: a burst of lines, then a few a second. A line past the
// limit is dropped, and the speaker is told once for each run of dropped lines. One chat line
// makes the host send up to four copies of about a hundred bytes, and the lobby closes a host
// channel that sends more than 32 KiB a second after a 128 KiB burst: at five lines of burst
// and two a second, four speaking seats stay far inside that however they flood.
#pragma once

#include <array>
#include <cstdint>

namespace corvane::online {

class ChatLimit {
public:
    static constexpr double Burst = 5;
    static constexpr double LinesPerSecond = 2;
    static constexpr const char* DroppedMessage =
        "(You sent lines too fast: some were not passed on.)";

    enum class Verdict { Pass, DropAndTell, Drop };
    // A line from `seat` at `nowMs` (any steady clock in milliseconds).
    Verdict take(int seat, std::int64_t nowMs);
    // A new person at the seat starts with a full burst.
    void reset(int seat) { m_seats[static_cast<std::size_t>(seat)] = {}; }

private:
    struct Bucket {
        double lines = Burst;
        std::int64_t since = 0;
        bool started = false;
        bool told = false;
    };
    std::array<Bucket, 4> m_seats{};
};

} // namespace corvane::online
