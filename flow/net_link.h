// What the game flow needs from online play, without knowing about channels or the codec's
// transport: the host's seat links and broadcast, and a seated player's line to its host.
#pragma once

#include "cards/bid.h"
#include "protocol/messages.h"

namespace corvane {

// A bid as the wire carries it, and back.
inline protocol::Bid wireBid(Bid bid) {
    return bid.points() == 0 ? protocol::Bid::passed() : protocol::Bid::of(bid.points());
}
inline Bid fromWire(const protocol::Bid& bid) {
    return bid.pass ? Bid::pass() : Bid::of(bid.value);
}

// The hosting side. The engine's host paths decide what to send; the host sends it.
class HostLink {
public:
    virtual ~HostLink() = default;
    // A person (the host included) holds the seat; otherwise the computer plays it.
    virtual bool seatLinked(int seat) const = 0;
    // The message to every linked seat, in one send (nothing when no seat is linked).
    virtual void sendToSeats(const protocol::PlayerDownMessage& message) = 0;
    virtual void sendToSeat(int seat, const protocol::PlayerDownMessage& message) = 0;
    // Whether the host's own player view has taken in every trick ("X") or every hand ("E")
    // sent to it so far. The flow waits for this before it clears the trick or the hand.
    enum class ViewStep { Trick, Hand };
    virtual bool ownViewCaughtUp(ViewStep step) const = 0;
    // Something the host's person should read ("... has disconnected.", a misdeal).
    virtual void notice(const std::string& text) = 0;
};

// A seated player's side: the local player's moves go to the host.
class PlayerLink {
public:
    virtual ~PlayerLink() = default;
    virtual void sendToHost(const protocol::PlayerUpMessage& message) = 0;
};

} // namespace corvane
