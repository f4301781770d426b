// What a seated person may say beyond its seat digit. "p" and "t" carry no seat, so the lobby
// checks them by what it has seen: a card only from the sender's own five hand pictures, and
// trump only from the seat the host last asked for it ("T").
#pragma once

#include "protocol/messages.h"
#include "server/ignored.h"

#include <optional>
#include <string>

namespace corvane::lobby {

// A message the lobby will not pass on: of which kind, and why, for the log.
struct ClaimRefused {
    Ignored kind;
    std::string why;
};

class SeatClaims {
public:
    // A message the host sent to a seat: "T" names the seat that may answer with trump, and
    // "D" (trump named, the discard begun) ends that wait.
    void hostSent(int seat, const protocol::PlayerDownMessage& message);
    // Why a message from the person at `seat` speaks for another seat, or nothing when it may
    // be passed on. A trump passed on ends the wait for it.
    std::optional<ClaimRefused> refusal(int seat, const protocol::PlayerUpMessage& message);

private:
    int m_trumpSeat = -1;
};

} // namespace corvane::lobby
