// One line per connection event on standard error, with the time.
#pragma once

#include <string_view>

namespace corvane::lobby {

void setLogEnabled(bool enabled);
void logLine(std::string_view line);

} // namespace corvane::lobby
