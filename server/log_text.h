// Text from the wire made safe for the log: nothing a client sends can end a log line, start
// a forged one, move a terminal's cursor or leave bytes that are not UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace corvane::lobby {

// Control bytes (C0, DEL and the C1 range) and bytes that are not part of valid UTF-8 become
// \xNN; everything else is kept as it is.
std::string escapeControls(std::string_view text);

// The same, with backslash and double quote escaped too, inside double quotes: how a name
// from the wire appears in the log.
std::string quoted(std::string_view text);

} // namespace corvane::lobby
