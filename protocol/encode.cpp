// The message builders of the lobby protocol.
#include "protocol/encode.h"

#include "protocol/wire_fields.h"

#include <cstdlib>

namespace corvane::protocol {

namespace {

std::string withCode(char code) {
    return std::string(1, code);
}

std::string seatMessage(char code, int seat) {
    std::string out = withCode(code);
    putDigits(out, seat, 1);
    return out;
}

void putScore(std::string& out, int score) {
    const int sign = score < 0 ? 0 : (score == 0 ? 1 : 2);
    putDigits(out, sign, 1);
    putDigits(out, std::abs(score), 3);
}

} // namespace

std::string keyField(std::string_view key) {
    std::string field(key.substr(0, kKeyWidth));
    field.resize(kKeyWidth, ' ');
    return field;
}

std::string encode(const ListRequest&) {
    return "Q";
}

std::string encode(const CreateTable& message) {
    // The name gives way so that the address always arrives whole.
    const std::string_view address = std::string_view(message.address).substr(0, kMaxShortText - 1);
    const std::string_view name =
        std::string_view(message.tableName).substr(0, kMaxShortText - 1 - address.size());
    std::string combined(name);
    combined += '/';
    combined += address;
    std::string out = "H" + keyField(message.key);
    putText2(out, combined);
    putText2(out, message.userName);
    return out;
}

std::string encode(const JoinTable& message) {
    std::string out = "L" + keyField(message.key);
    putDigits(out, message.row, 2);
    putDigits(out, message.seat, 1);
    putText2(out, message.userName);
    return out;
}

std::string encode(const HostSeatOpen&) {
    return "Z";
}

std::string encode(const TableEntry& message) {
    std::string out = "G";
    putText2(out, message.name);
    putText2(out, message.id);
    for (const std::string& occupant : message.occupants) {
        putText2(out, occupant);
    }
    return out;
}

std::string encode(const TableCreated&) {
    return "H";
}
std::string encode(const KeyRefused&) {
    return "N";
}
std::string encode(const Notice&) {
    return "U";
}
std::string encode(const SeatListRequest&) {
    return "q";
}
std::string encode(const SeatLost& message) {
    return seatMessage('k', message.seat);
}

std::string encode(const TakeSeat& message) {
    std::string out = seatMessage('s', message.seat);
    putText2(out, message.name);
    return out;
}

std::string encode(const TakeSeatWithId& message) {
    std::string out = encode(TakeSeat{message.seat, message.name});
    putText2(out, message.playerId);
    return out;
}

std::string encode(const ChatLine& message) {
    std::string out = seatMessage('c', message.seat);
    putText2(out, message.text);
    return out;
}

std::string encode(const PlayerBid& message) {
    std::string out = seatMessage('b', message.seat);
    putBid(out, message.bid);
    return out;
}

std::string encode(const NameTrump& message) {
    return seatMessage('t', message.suit);
}

std::string encode(const Discards& message) {
    std::string out = seatMessage('r', message.seat);
    putPairs(out, message.pictures, 2);
    return out;
}

std::string encode(const NextHand&) {
    return "i";
}

std::string encode(const PlayCard& message) {
    std::string out = "p";
    putDigits(out, message.card, 2);
    return out;
}

std::string encode(const SeatName& message) {
    std::string out = seatMessage('P', message.seat);
    putText2(out, message.name);
    return out;
}

std::string encode(const Cards& message) {
    std::string out = "C";
    putPairs(out, message.deck, 3);
    return out;
}

std::string encode(const WaitNextHand&) {
    return "I";
}

std::string encode(const YourBid& message) {
    std::string out = seatMessage('B', message.dealer);
    putDigits(out, message.highBid, 2);
    return out;
}

std::string encode(const BidMade& message) {
    std::string out = seatMessage('S', message.seat);
    putBid(out, message.bid);
    return out;
}

std::string encode(const ChooseTrump&) {
    return "T";
}

std::string encode(const DiscardPhase& message) {
    std::string out = "D";
    putPairs(out, message.pictures, 2);
    putDigits(out, message.trump, 1);
    putDigits(out, message.highBid, 2);
    putDigits(out, message.bidder, 1);
    return out;
}

std::string encode(const Draw&) {
    return "R";
}
std::string encode(const YourTurn& message) {
    return seatMessage('W', message.seat);
}

std::string encode(const CardPlayed& message) {
    std::string out = "F";
    putDigits(out, message.card, 2);
    return out;
}

std::string encode(const TrickWon& message) {
    return seatMessage('X', message.seat);
}

std::string encode(const HandEnd& message) {
    std::string out = "E";
    out += message.made ? '+' : '-';
    putDigits(out, message.points, 2);
    putScore(out, message.score0);
    putScore(out, message.score1);
    return out;
}

std::string encode(const ChatShow& message) {
    std::string out = "M";
    putText2(out, message.text);
    return out;
}

std::string encode(const Misdeal&) {
    return "N";
}
std::string encode(const JoinAccepted&) {
    return "Y";
}
std::string encode(const HostGone&) {
    return "K";
}

std::string encode(const Addressed& message) {
    return addressedTo(message.seat, encode(message.message));
}

std::string encode(const PlayerDownMessage& message) {
    return std::visit([](const auto& m) { return encode(m); }, message);
}

std::string encode(const ListUpMessage& message) {
    return std::visit([](const auto& m) { return encode(m); }, message);
}

std::string encode(const HostUpMessage& message) {
    return std::visit([](const auto& m) { return encode(m); }, message);
}

std::string encode(const PlayerUpMessage& message) {
    return std::visit([](const auto& m) { return encode(m); }, message);
}

std::string encode(const HostDownMessage& message) {
    return std::visit([](const auto& m) { return encode(m); }, message);
}

std::string dealString(std::span<const int> cards) {
    std::string out;
    putPairList(out, cards);
    return out;
}

std::string addressedTo(int seat, std::string_view message) {
    std::string out;
    putDigits(out, seat, 1);
    out += message;
    return out;
}

std::string toLinkedSeats(const std::array<bool, 4>& linked, std::string_view message) {
    std::string out;
    for (int seat = 0; seat < 4; ++seat) {
        if (linked[static_cast<std::size_t>(seat)]) {
            out += addressedTo(seat, message);
        }
    }
    return out;
}

std::string withPlayerId(std::string_view takeSeatBytes, std::string_view playerId) {
    std::string out(takeSeatBytes);
    putText2(out, playerId);
    return out;
}

} // namespace corvane::protocol
