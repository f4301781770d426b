// One-message parsers of the lobby protocol, one per direction: each reads the message at the
// front of a byte range and says whether it is whole, needs more bytes, or is malformed.
#pragma once

#include "protocol/messages.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace corvane::protocol {

enum class ParseStatus { Complete, Incomplete, Malformed };

template <class Message> struct ParseResult {
    ParseStatus status = ParseStatus::Incomplete;
    Message message{};
    // Bytes taken by the message when Complete, or when Malformed but framed.
    std::size_t length = 0;
    // Why the message is malformed.
    std::string error;
    // Malformed only in the value of a field (a seat 4, a suit 5, a card 30): the message's
    // bytes are all there and its length is known, so a reader may skip it and go on.
    bool framed = false;
    // Malformed in a value, and more bytes are needed to know where the message ends.
    bool framePending = false;
};

ParseResult<ListUpMessage> parseMessage(std::string_view input, std::type_identity<ListUpMessage>);
ParseResult<HostUpMessage> parseMessage(std::string_view input, std::type_identity<HostUpMessage>);
ParseResult<PlayerUpMessage> parseMessage(std::string_view input,
                                          std::type_identity<PlayerUpMessage>);
ParseResult<HostDownMessage> parseMessage(std::string_view input,
                                          std::type_identity<HostDownMessage>);
ParseResult<PlayerDownMessage> parseMessage(std::string_view input,
                                            std::type_identity<PlayerDownMessage>);

} // namespace corvane::protocol
