// Escaping wire text for the log.
#include "server/log_text.h"

namespace corvane::lobby {

namespace {

void appendHex(std::string& out, unsigned char byte) {
    static constexpr char digits[] = "0123456789ABCDEF";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

// The length of the valid UTF-8 sequence that starts `text` at `i`, or 0 when it is not one
// (overlong forms, surrogates and values above U+10FFFF are not).
std::size_t sequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    if (byte(i + 1) < low || byte(i + 1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) {
            return 0;
        }
    }
    // U+0080 to U+009F are control codes too (a single-character CSI among them).
    if (lead == 0xC2 && byte(i + 1) <= 0x9F) {
        return 0;
    }
    return length;
}

std::string escape(std::string_view text, bool quotes) {
    std::string out;
    out.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F) {
                appendHex(out, c);
            } else if (quotes && (c == '"' || c == '\\')) {
                out += '\\';
                out += static_cast<char>(c);
            } else {
                out += static_cast<char>(c);
            }
            ++i;
            continue;
        }
        const std::size_t length = sequenceLength(text, i);
        if (length == 0) {
            appendHex(out, c);
            ++i;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

} // namespace

std::string escapeControls(std::string_view text) {
    return escape(text, false);
}

std::string quoted(std::string_view text) {
    return '"' + escape(text, true) + '"';
}

} // namespace corvane::lobby
