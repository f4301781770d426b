// The incremental decoder: bytes go in as they arrive, in any split, and whole messages come
// out in order. A malformed message stops the decoder for good with the reason, rather than
// letting it shift every later field; a reader that asks for it may instead skip a message
// whose only fault is the value of a field, since its end is known.
#pragma once

#include "protocol/decode.h"
#include "protocol/messages.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace corvane::protocol {

template <class Message> struct Decoded {
    Message message;
    // The message's bytes exactly as they arrived, for passing on unchanged.
    std::string raw;
};

template <class Message> class Decoder {
public:
    // No message is longer than a code, a few fixed fields and a 999-byte list, so a reader
    // that drains the decoder after each arrival never holds more than one partial message.
    // This cap only stops a caller that keeps feeding without draining.
    static constexpr std::size_t kMaxBuffered = 64 * 1024;

    // Messages malformed only in a field's value are skipped, counted in dropped(), rather than
    // failing the decoder.
    void setSkipsFramedFaults(bool skips) { m_skipsFramedFaults = skips; }
    int dropped() const { return m_dropped; }
    // Why the last skipped message was skipped.
    const std::string& lastDropped() const { return m_lastDropped; }

    // Adds the bytes that arrived. Returns false once the decoder has failed.
    bool feed(std::string_view bytes) {
        if (failed()) {
            return false;
        }
        if (buffered() + bytes.size() > kMaxBuffered) {
            fail("too much input without a whole message");
            return false;
        }
        m_buffer.append(bytes);
        return true;
    }

    // The next whole message, or nothing while more bytes are needed or after a failure.
    std::optional<Decoded<Message>> next() {
        if (failed()) {
            return std::nullopt;
        }
        const std::string_view pending = std::string_view(m_buffer).substr(m_start);
        ParseResult<Message> result = parseMessage(pending, std::type_identity<Message>{});
        if (m_skipsFramedFaults && result.status == ParseStatus::Malformed) {
            if (result.framePending) {
                result.status = ParseStatus::Incomplete;
            } else if (result.framed) {
                ++m_dropped;
                m_lastDropped = result.error + " at byte " + std::to_string(m_offset);
                skip(result.length);
                return next();
            }
        }
        switch (result.status) {
        case ParseStatus::Complete: {
            Decoded<Message> decoded{std::move(result.message),
                                     std::string(pending.substr(0, result.length))};
            skip(result.length);
            return decoded;
        }
        case ParseStatus::Incomplete:
            m_buffer.erase(0, m_start);
            m_start = 0;
            return std::nullopt;
        case ParseStatus::Malformed:
            fail(result.error + " at byte " + std::to_string(m_offset));
            return std::nullopt;
        }
        return std::nullopt;
    }

    bool failed() const { return !m_error.empty(); }
    const std::string& error() const { return m_error; }
    // Bytes held that are not yet part of a whole message.
    std::size_t buffered() const { return m_buffer.size() - m_start; }
    // Whether a whole message of type T is held behind the ones taken: a look ahead that takes
    // nothing.
    template <class T> bool holds() const {
        std::string_view pending = std::string_view(m_buffer).substr(m_start);
        for (;;) {
            ParseResult<Message> result = parseMessage(pending, std::type_identity<Message>{});
            if (result.status != ParseStatus::Complete)
                return false;
            if (std::holds_alternative<T>(result.message))
                return true;
            pending.remove_prefix(result.length);
        }
    }

private:
    void skip(std::size_t length) {
        m_start += length;
        m_offset += length;
        if (m_start == m_buffer.size()) {
            m_buffer.clear();
            m_start = 0;
        }
    }

    void fail(std::string reason) {
        m_error = std::move(reason);
        m_buffer.clear();
        m_buffer.shrink_to_fit();
        m_start = 0;
    }

    std::string m_buffer;
    std::size_t m_start = 0;
    // Position in the whole stream of the message at the front, for error messages.
    std::size_t m_offset = 0;
    std::string m_error;
    bool m_skipsFramedFaults = false;
    int m_dropped = 0;
    std::string m_lastDropped;
};

// The server's readers of its three ports.
using ListUpDecoder = Decoder<ListUpMessage>;
using HostUpDecoder = Decoder<HostUpMessage>;
using PlayerUpDecoder = Decoder<PlayerUpMessage>;
// The lobby client's and host's reader of its table-list or host connection.
using HostDownDecoder = Decoder<HostDownMessage>;
// The seated player's reader of its player channel.
using PlayerDownDecoder = Decoder<PlayerDownMessage>;

} // namespace corvane::protocol
