// Latency percentiles for the load tool.
#include "tools/load/relay_stats.h"

#include <algorithm>
#include <cstdio>

namespace corvane::load {

void RelayStats::record(Clock::time_point sent, Clock::time_point received) {
    if (!m_measuring) {
        return;
    }
    ++m_relayed;
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(received - sent).count();
    m_micros.push_back(static_cast<std::uint32_t>(std::max<long long>(micros, 0)));
}

std::string RelayStats::summary() {
    if (m_micros.empty()) {
        return "no messages measured";
    }
    std::sort(m_micros.begin(), m_micros.end());
    auto at = [&](double q) {
        const auto index = static_cast<std::size_t>(q * static_cast<double>(m_micros.size() - 1));
        return m_micros[index] / 1000.0;
    };
    char text[160];
    std::snprintf(text, sizeof text, "p50 %.3f ms, p99 %.3f ms, p99.9 %.3f ms, max %.3f ms",
                  at(0.50), at(0.99), at(0.999), m_micros.back() / 1000.0);
    return text;
}

} // namespace corvane::load
