// The kinds of message the lobby ignores or refuses without ending the connection. Each kind
// is logged once per connection and counted for the figures line, so that a client repeating
// one cannot flood the log.
#pragma once

#include <array>
#include <cstddef>

namespace corvane::lobby {

enum class Ignored {
    ListTooOften,
    WrongKey,
    SecondTable,
    SecondJoin,
    SecondHostSeat,
    SeatTaken,
    WithoutSeat,
    ForAnotherSeat,
    CardNotHeld,
    TrumpNotAsked,
    ChatTooOften,
};

inline constexpr std::size_t kIgnoredKinds = static_cast<std::size_t>(Ignored::ChatTooOften) + 1;

// How the figures line counts each kind, in the enum's order.
inline constexpr std::array<const char*, kIgnoredKinds> kIgnoredCounted = {
    "lists over the list rate",
    "wrong keys",
    "second table creations",
    "second joins",
    "second host seat openings",
    "joins to a taken seat",
    "table messages without a seat",
    "messages for another seat",
    "cards not in hand",
    "unasked trumps",
    "chat lines over the chat rate",
};

constexpr std::size_t index(Ignored kind) {
    return static_cast<std::size_t>(kind);
}

} // namespace corvane::lobby
