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

void RelayStats::recordLag(Clock::duration lag) {
    if (m_measuring) {
        const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(lag).count();
        m_lagMicros.push_back(static_cast<std::uint32_t>(std::max<long long>(micros, 0)));
    }
}

namespace {

std::string percentiles(std::vector<std::uint32_t>& micros) {
    if (micros.empty()) {
        return "nothing measured";
    }
    std::sort(micros.begin(), micros.end());
    auto at = [&](double q) {
        const auto index = static_cast<std::size_t>(q * static_cast<double>(micros.size() - 1));
        return micros[index] / 1000.0;
    };
    char text[160];
    std::snprintf(text, sizeof text, "p50 %.3f ms, p99 %.3f ms, p99.9 %.3f ms, max %.3f ms",
                  at(0.50), at(0.99), at(0.999), micros.back() / 1000.0);
    return text;
}

} // namespace

std::string RelayStats::summary() {
    return percentiles(m_micros);
}

std::string RelayStats::lagSummary() {
    return percentiles(m_lagMicros);
}

} // namespace corvane::load
