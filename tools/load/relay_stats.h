// What the load tool counts: relayed messages and their latencies from the moment the sender
// wrote them to the moment the receiver decoded them.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane::load {

using Clock = std::chrono::steady_clock;

class RelayStats {
public:
    void record(Clock::time_point sent, Clock::time_point received);
    // How late the tool itself woke for a scheduled step: when this grows, the tool and not
    // the server is what the latency figures measure.
    void recordLag(Clock::duration lag);
    std::string lagSummary();
    void startMeasuring() { m_measuring = true; }
    void stopMeasuring() { m_measuring = false; }
    std::uint64_t relayed() const { return m_relayed; }
    std::uint64_t lost = 0;
    // Percentiles and maximum of the measured latencies, in microseconds.
    std::string summary();

private:
    bool m_measuring = false;
    std::uint64_t m_relayed = 0;
    std::vector<std::uint32_t> m_micros;
    std::vector<std::uint32_t> m_lagMicros;
};

} // namespace corvane::load
