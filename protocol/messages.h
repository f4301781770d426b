// Every message of the lobby protocol as a plain struct with named fields, and the sets of
// messages that can arrive in each direction of each channel.
#pragma once

#include <array>
#include <string>
#include <variant>
#include <vector>

namespace corvane::protocol {

// Well-known ports of the lobby server.
inline constexpr int kListPort = 9000;
inline constexpr int kHostPort = 9100;
inline constexpr int kPlayerPort = 9200;

inline constexpr int kKeyWidth = 8;
// A two-digit length prefix cannot describe more than this many bytes.
inline constexpr int kMaxShortText = 99;
// The three-digit prefix of the card list.
inline constexpr int kMaxLongText = 999;

// A bid as it travels: "Pa" for a pass, otherwise a value written in two digits.
struct Bid {
    bool pass = true;
    int value = 0;

    static Bid passed() { return Bid{}; }
    static Bid of(int value) { return Bid{false, value}; }
    friend bool operator==(const Bid&, const Bid&) = default;
};

// ---- Lobby client or host -> server ----

// "Q": ask for the tables that are waiting for players.
struct ListRequest {
    friend bool operator==(const ListRequest&, const ListRequest&) = default;
};

// "H": create a table with the sender as host. The name and address travel as one field,
// "name/address"; the address is whatever follows the last "/".
struct CreateTable {
    std::string key;
    std::string tableName;
    std::string address;
    std::string userName;
    friend bool operator==(const CreateTable&, const CreateTable&) = default;
};

// "L": join the table on that row of the last list, at that seat.
struct JoinTable {
    std::string key;
    int row = 0;
    int seat = 0;
    std::string userName;
    friend bool operator==(const JoinTable&, const JoinTable&) = default;
};

// "Z": the host's own player channel (seat 0 of its table) is open.
struct HostSeatOpen {
    friend bool operator==(const HostSeatOpen&, const HostSeatOpen&) = default;
};

// ---- Server -> lobby client or host ----

// "G": one table of the list.
struct TableEntry {
    std::string name;
    std::string id;
    std::array<std::string, 4> occupants;
    friend bool operator==(const TableEntry&, const TableEntry&) = default;
};

// "H": the table exists and the receiver is its host.
struct TableCreated {
    friend bool operator==(const TableCreated&, const TableCreated&) = default;
};

// "N" on the table-list or host channel: the key was refused.
struct KeyRefused {
    friend bool operator==(const KeyRefused&, const KeyRefused&) = default;
};

// "U": ignored by the program.
struct Notice {
    friend bool operator==(const Notice&, const Notice&) = default;
};

// "q": a player is joining; the host answers with four SeatName messages without a seat digit.
struct SeatListRequest {
    friend bool operator==(const SeatListRequest&, const SeatListRequest&) = default;
};

// "k": the person in that seat has lost the connection.
struct SeatLost {
    int seat = 0;
    friend bool operator==(const SeatLost&, const SeatLost&) = default;
};

// ---- Seated player -> host ----

// "s" as the player sends it.
struct TakeSeat {
    int seat = 0;
    std::string name;
    friend bool operator==(const TakeSeat&, const TakeSeat&) = default;
};

// "s" as the host receives it: the server has added the player's id.
struct TakeSeatWithId {
    int seat = 0;
    std::string name;
    std::string playerId;
    friend bool operator==(const TakeSeatWithId&, const TakeSeatWithId&) = default;
};

// "c": a chat line typed at that seat.
struct ChatLine {
    int seat = 0;
    std::string text;
    friend bool operator==(const ChatLine&, const ChatLine&) = default;
};

// "b": a person's bid.
struct PlayerBid {
    int seat = 0;
    Bid bid;
    friend bool operator==(const PlayerBid&, const PlayerBid&) = default;
};

// "t": the winning bidder names trump (0 spades, 1 diamonds, 2 clubs, 3 hearts).
struct NameTrump {
    int suit = 0;
    friend bool operator==(const NameTrump&, const NameTrump&) = default;
};

// "r": this seat's discards, as card-picture indices in the host's numbering.
struct Discards {
    int seat = 0;
    std::vector<int> pictures;
    friend bool operator==(const Discards&, const Discards&) = default;
};

// "i": deal the next hand.
struct NextHand {
    friend bool operator==(const NextHand&, const NextHand&) = default;
};

// "p": the card picture this player plays, in the host's numbering.
struct PlayCard {
    int card = 0;
    friend bool operator==(const PlayCard&, const PlayCard&) = default;
};

// ---- Host -> seated player ----

// "P": the name at a seat. In the answers to "q" a computer seat's name starts with "`".
struct SeatName {
    int seat = 0;
    std::string name;
    friend bool operator==(const SeatName&, const SeatName&) = default;
};

// "C": the cards as deck values: 23 at a deal, 20 after the draw.
struct Cards {
    std::vector<int> deck;
    friend bool operator==(const Cards&, const Cards&) = default;
};

// "I": the hand is past the auction; wait for the next one.
struct WaitNextHand {
    friend bool operator==(const WaitNextHand&, const WaitNextHand&) = default;
};

// "B": your turn to bid.
struct YourBid {
    int dealer = 0;
    int highBid = 0;
    friend bool operator==(const YourBid&, const YourBid&) = default;
};

// "S": the bid just made at a seat.
struct BidMade {
    int seat = 0;
    Bid bid;
    friend bool operator==(const BidMade&, const BidMade&) = default;
};

// "T": you won the auction; name trump.
struct ChooseTrump {
    friend bool operator==(const ChooseTrump&, const ChooseTrump&) = default;
};

// "D": trump is named and the discard begins.
struct DiscardPhase {
    std::vector<int> pictures;
    int trump = 0;
    int highBid = 0;
    int bidder = 0;
    friend bool operator==(const DiscardPhase&, const DiscardPhase&) = default;
};

// "R": draw locally and start trick play.
struct Draw {
    friend bool operator==(const Draw&, const Draw&) = default;
};

// "W": the seat whose turn it is to play.
struct YourTurn {
    int seat = 0;
    friend bool operator==(const YourTurn&, const YourTurn&) = default;
};

// "F": a card picture was played, in the host's numbering.
struct CardPlayed {
    int card = 0;
    friend bool operator==(const CardPlayed&, const CardPlayed&) = default;
};

// "X": the seat that won the trick.
struct TrickWon {
    int seat = 0;
    friend bool operator==(const TrickWon&, const TrickWon&) = default;
};

// "E": end of hand. `made` is the "+" of the result; the scores are signed, score0 is the
// partnership of seats 0 and 2.
struct HandEnd {
    bool made = true;
    int points = 0;
    int score0 = 0;
    int score1 = 0;
    friend bool operator==(const HandEnd&, const HandEnd&) = default;
};

// "M": a chat line already composed as "name: text".
struct ChatShow {
    std::string text;
    friend bool operator==(const ChatShow&, const ChatShow&) = default;
};

// "N" on a player channel: a misdeal.
struct Misdeal {
    friend bool operator==(const Misdeal&, const Misdeal&) = default;
};

// "Y": the join is accepted.
struct JoinAccepted {
    friend bool operator==(const JoinAccepted&, const JoinAccepted&) = default;
};

// "K": the host has gone.
struct HostGone {
    friend bool operator==(const HostGone&, const HostGone&) = default;
};

// ---- What each end reads ----

// Host -> seated player, as the player channel delivers it.
using PlayerDownMessage = std::variant<SeatName, Cards, WaitNextHand, YourBid, BidMade, ChooseTrump,
                                       DiscardPhase, Draw, YourTurn, CardPlayed, TrickWon, HandEnd,
                                       ChatShow, Misdeal, JoinAccepted, HostGone>;

// A host message with the seat digit that addresses it.
struct Addressed {
    int seat = 0;
    PlayerDownMessage message;
    friend bool operator==(const Addressed&, const Addressed&) = default;
};

// What the server reads on the table-list port.
using ListUpMessage = std::variant<ListRequest>;

// What the server reads on the host port: the creation, seat-addressed host messages and
// the undigited "P" answers to "q".
using HostUpMessage = std::variant<CreateTable, Addressed, SeatName>;

// What the server reads on the player port.
using PlayerUpMessage = std::variant<JoinTable, HostSeatOpen, TakeSeat, ChatLine, PlayerBid,
                                     NameTrump, Discards, NextHand, PlayCard>;

// What the lobby client and the host read on their connection to the table-list or host port.
using HostDownMessage =
    std::variant<TableEntry, TableCreated, KeyRefused, Notice, SeatListRequest, SeatLost,
                 TakeSeatWithId, ChatLine, PlayerBid, NameTrump, Discards, NextHand, PlayCard>;

} // namespace corvane::protocol
