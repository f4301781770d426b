// Cutting a UTF-8 text to fit a field without splitting a character.
#pragma once

#include <cstddef>
#include <limits>
#include <string_view>

namespace corvane::protocol {

// The longest start of `text` that has at most `maxBytes` bytes and `maxChars` characters and
// ends where a character ends. Bytes that are not valid UTF-8 count as one character each.
inline std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes,
                                   std::size_t maxChars = std::numeric_limits<std::size_t>::max()) {
    std::size_t end = 0;
    std::size_t chars = 0;
    while (end < text.size() && chars < maxChars) {
        std::size_t next = end + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
            ++next;
        if (next > maxBytes)
            break;
        end = next;
        ++chars;
    }
    return text.substr(0, end);
}

} // namespace corvane::protocol
