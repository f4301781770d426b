// The lobby server's event log.
#include "server/event_log.h"

#include "server/log_text.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

namespace corvane::lobby {

namespace {
bool g_enabled = true;
}

void setLogEnabled(bool enabled) {
    g_enabled = enabled;
}

void logLine(std::string_view line) {
    if (!g_enabled) {
        return;
    }
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &utc);
    std::string text = stamp;
    text += '.';
    text += static_cast<char>('0' + millis / 100);
    text += static_cast<char>('0' + millis / 10 % 10);
    text += static_cast<char>('0' + millis % 10);
    text += "Z ";
    // Whatever a caller passed, one call is one line: wire text cannot break it.
    text += escapeControls(line);
    text += '\n';
    // One write per line, so lines of a busy server never interleave mid-line.
    std::fwrite(text.data(), 1, text.size(), stderr);
}

} // namespace corvane::lobby
