// Builders for every message of the lobby protocol: each returns the exact bytes to send.
#pragma once

#include "protocol/messages.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace corvane::protocol {

// The key field is exactly eight characters: a longer key is cut, a shorter one padded with
// spaces so that the fields after it stay where a reader expects them.
std::string keyField(std::string_view key);

std::string encode(const ListRequest&);
std::string encode(const CreateTable& message);
std::string encode(const JoinTable& message);
std::string encode(const HostSeatOpen&);

std::string encode(const TableEntry& message);
std::string encode(const TableCreated&);
std::string encode(const KeyRefused&);
std::string encode(const Notice&);
std::string encode(const SeatListRequest&);
std::string encode(const SeatLost& message);

std::string encode(const TakeSeat& message);
std::string encode(const TakeSeatWithId& message);
std::string encode(const ChatLine& message);
std::string encode(const PlayerBid& message);
std::string encode(const NameTrump& message);
std::string encode(const Discards& message);
std::string encode(const NextHand&);
std::string encode(const PlayCard& message);

std::string encode(const SeatName& message);
std::string encode(const Cards& message);
std::string encode(const WaitNextHand&);
std::string encode(const YourBid& message);
std::string encode(const BidMade& message);
std::string encode(const ChooseTrump&);
std::string encode(const DiscardPhase& message);
std::string encode(const Draw&);
std::string encode(const YourTurn& message);
std::string encode(const CardPlayed& message);
std::string encode(const TrickWon& message);
std::string encode(const HandEnd& message);
std::string encode(const ChatShow& message);
std::string encode(const Misdeal&);
std::string encode(const JoinAccepted&);
std::string encode(const HostGone&);

std::string encode(const Addressed& message);

// Any message of one of the direction sets.
std::string encode(const PlayerDownMessage& message);
std::string encode(const ListUpMessage& message);
std::string encode(const HostUpMessage& message);
std::string encode(const PlayerUpMessage& message);
std::string encode(const HostDownMessage& message);

// The card list of "C" without its length field, two digits a card: the form in which a table
// keeps its last deal.
std::string dealString(std::span<const int> cards);

// A host message for one seat: the seat digit followed by the message's bytes.
std::string addressedTo(int seat, std::string_view message);

// The host's broadcast: the message once for each linked seat, 0 to 3, each behind its seat
// digit, as one string for one send. Empty when no seat is linked: then nothing is sent.
std::string toLinkedSeats(const std::array<bool, 4>& linked, std::string_view message);

// "s" as the server passes it to the host: the player's own "s" bytes with the id appended.
std::string withPlayerId(std::string_view takeSeatBytes, std::string_view playerId);

} // namespace corvane::protocol
