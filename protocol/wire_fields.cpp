// Field writers and the bounded field reader of the lobby protocol.
#include "protocol/wire_fields.h"

#include "protocol/utf8_cut.h"

#include <algorithm>

namespace corvane::protocol {

namespace {

int maxForWidth(int width) {
    int limit = 1;
    for (int i = 0; i < width; ++i) {
        limit *= 10;
    }
    return limit - 1;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

void putDigits(std::string& out, int value, int width) {
    value = std::clamp(value, 0, maxForWidth(width));
    std::string text(static_cast<std::size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out += text;
}

void putText2(std::string& out, std::string_view text) {
    text = utf8Prefix(text, static_cast<std::size_t>(kMaxShortText));
    putDigits(out, static_cast<int>(text.size()), 2);
    out += text;
}

void putText3(std::string& out, std::string_view text) {
    text = text.substr(0, kMaxLongText);
    putDigits(out, static_cast<int>(text.size()), 3);
    out += text;
}

void putBid(std::string& out, const Bid& bid) {
    if (bid.pass) {
        out += "Pa";
    } else {
        putDigits(out, bid.value, 2);
    }
}

void putPairList(std::string& out, std::span<const int> values) {
    for (int value : values) {
        putDigits(out, value, 2);
    }
}

void putPairs(std::string& out, const std::vector<int>& values, int lengthWidth) {
    std::string list;
    putPairList(list, values);
    if (lengthWidth == 3) {
        putText3(out, list);
    } else {
        // Keep whole pairs only when a list would not fit its prefix.
        list.resize(std::min<std::size_t>(list.size(), kMaxShortText - 1));
        putText2(out, list);
    }
}

void FieldReader::setState(State state) {
    if (m_state == State::Ok) {
        m_state = state;
    }
}

bool FieldReader::take(std::size_t width, std::string_view& out) {
    if (!ok()) {
        return false;
    }
    if (remaining() < width) {
        setState(State::Incomplete);
        return false;
    }
    out = m_input.substr(m_pos, width);
    m_pos += width;
    return true;
}

bool FieldReader::availableAreDigits(std::size_t width) {
    const std::size_t available = std::min(width, remaining());
    for (std::size_t i = 0; i < available; ++i) {
        if (!isDigit(m_input[m_pos + i])) {
            setState(State::Bad);
            return false;
        }
    }
    return true;
}

char FieldReader::code() {
    std::string_view c;
    return take(1, c) ? c[0] : '\0';
}

std::string_view FieldReader::fixed(std::size_t width) {
    std::string_view out;
    take(width, out);
    return out;
}

int FieldReader::digits(std::size_t width) {
    if (!ok() || !availableAreDigits(width)) {
        return 0;
    }
    std::string_view text;
    if (!take(width, text)) {
        return 0;
    }
    int value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

int FieldReader::digitInRange(int low, int high) {
    const int value = digits(1);
    if (ok() && (value < low || value > high)) {
        m_outOfRange = true;
        return low;
    }
    return value;
}

int FieldReader::twoDigitsAtMost(int high) {
    const int value = digits(2);
    if (ok() && value > high) {
        m_outOfRange = true;
        return 0;
    }
    return value;
}

Bid FieldReader::bid() {
    if (!ok()) {
        return {};
    }
    if (remaining() > 0 && m_input[m_pos] == 'P') {
        if (remaining() > 1 && m_input[m_pos + 1] != 'a') {
            setState(State::Bad);
            return {};
        }
        std::string_view text;
        take(2, text);
        return Bid::passed();
    }
    const int value = digits(2);
    return ok() ? Bid::of(value) : Bid{};
}

std::string_view FieldReader::lengthPrefixed(std::size_t lengthWidth) {
    const int length = digits(lengthWidth);
    return fixed(static_cast<std::size_t>(length));
}

std::vector<int> FieldReader::pairs(std::size_t lengthWidth, int high) {
    const std::string_view list = lengthPrefixed(lengthWidth);
    std::vector<int> values;
    if (!ok()) {
        return values;
    }
    if (list.size() % 2 != 0) {
        setState(State::Bad);
        return values;
    }
    values.reserve(list.size() / 2);
    for (std::size_t i = 0; i < list.size(); i += 2) {
        if (!isDigit(list[i]) || !isDigit(list[i + 1])) {
            setState(State::Bad);
            return {};
        }
        const int value = (list[i] - '0') * 10 + (list[i + 1] - '0');
        if (value > high) {
            m_outOfRange = true;
            return {};
        }
        values.push_back(value);
    }
    return values;
}

} // namespace corvane::protocol
