// The lobby's state and its rules: the tables waiting for players, who holds which seat, and
// where each message goes. No sockets here: connections are Peers.
#pragma once

#include "protocol/decoder.h"
#include "server/ignored.h"
#include "server/list_memory.h"
#include "server/peer.h"
#include "server/seat_claims.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

namespace corvane::lobby {

inline constexpr std::size_t kMaxListedTables = 21;
inline constexpr int kSeats = 4;

struct LobbyTable {
    std::uint64_t id = 0;
    std::string name;
    std::string hostName;
    // The host's peer address: its own seat-0 channel is found by it.
    std::string hostAddress;
    std::uint64_t hostPeer = 0;
    // The peer in each seat, 0 when a computer plays it.
    std::array<std::uint64_t, kSeats> seatPeer{};
    std::array<std::string, kSeats> seatName;
    // Players who were sent "q", oldest first; the host answers each with four "P".
    std::deque<std::uint64_t> joiners;
    int answersLeft = kSeats;
    // What a person may say for its seat beyond the seat digit.
    SeatClaims claims;
};

// What the lobby has done since it started, for the log's figures line.
struct LobbyCounts {
    std::uint64_t relayedMessages = 0;
    std::uint64_t relayedBytes = 0;
    std::uint64_t lists = 0;
    // Of the lists dropped (counted with the other ignored messages), those the connection's
    // own allowance had room for but its address's had not.
    std::uint64_t listsOverAddressRate = 0;
    std::uint64_t tablesRefused = 0;
    std::array<std::uint64_t, kIgnoredKinds> ignored{};
};

class Lobby {
public:
    explicit Lobby(std::optional<std::string> key, unsigned maxTablesPerAddress = 4)
        : m_key(std::move(key)), m_maxTablesPerAddress(maxTablesPerAddress) {}

    // A new key (from a key file read again); nothing for none.
    void setKey(std::optional<std::string> key) { m_key = std::move(key); }

    void opened(Peer& peer);
    void closed(Peer& peer);

    void received(Peer& peer, const protocol::Decoded<protocol::ListUpMessage>& decoded);
    void received(Peer& peer, const protocol::Decoded<protocol::HostUpMessage>& decoded);
    void received(Peer& peer, const protocol::Decoded<protocol::PlayerUpMessage>& decoded);

    std::size_t tableCount() const { return m_tables.size(); }
    std::size_t waitingCount() const;
    const LobbyCounts& counts() const { return m_counts; }
    // The first of the lobby's own rules that its state breaks (a person in two seats, a
    // closed peer still known...), or nothing. For the fuzz test.
    std::optional<std::string> brokenRule() const;

private:
    struct SeatRef {
        std::uint64_t table = 0;
        int seat = 0;
    };

    // What a connection does here: nothing yet (listing, refused, or before its first "H" or
    // "L"), hosting a table, waiting as a host's seat channel for its table, or seated.
    struct Unplaced {};
    struct Hosting {
        std::uint64_t table = 0;
    };
    struct AwaitingTable {
        // What it said before its table came (its "s", at least), replayed on binding.
        std::vector<protocol::Decoded<protocol::PlayerUpMessage>> held;
    };
    struct Seated {
        SeatRef ref;
    };
    using Role = std::variant<Unplaced, Hosting, AwaitingTable, Seated>;

    // Everything the lobby keeps for one connection.
    struct PeerRecord {
        Peer* peer = nullptr;
        Role role;
        // The kinds of ignored message already logged for it.
        std::bitset<kIgnoredKinds> logged;
    };

    bool keyAccepted(const std::string& key) const;
    // A first "H" or "L" with the right key; otherwise logs why, answers "N" for a wrong key,
    // and returns false.
    bool admitted(Peer& peer, bool already, const std::string& key, Ignored twice,
                  const char* what);
    static bool isWaiting(const LobbyTable& table);
    // The tables a list shows, at most 21, in creation order (see lobby_list.cpp).
    std::vector<std::uint64_t> waitingTables() const;
    std::size_t waitingFrom(const std::string& address) const;
    void relayed(std::string_view bytes);
    std::string occupant(const LobbyTable& table, int seat) const;
    std::string seatList(const LobbyTable& table) const;
    void sendList(Peer& peer);

    void createTable(Peer& host, const protocol::CreateTable& create);
    void passToSeat(Peer& host, const protocol::Addressed& addressed, std::string_view raw);
    void passSeatAnswer(Peer& host, std::string_view raw);

    void join(Peer& player, const protocol::JoinTable& join);
    void openHostSeat(Peer& player);
    void passToHost(Peer& player, const protocol::PlayerUpMessage& message, std::string_view raw);

    void bindHostSeat(Peer& player, LobbyTable& table);

    // Counts an ignored message and logs its kind once per connection, so that a client
    // repeating it cannot flood the log.
    void ignore(Peer& peer, Ignored kind, const std::string& why);
    void endTable(std::uint64_t tableId);
    void leaveSeat(Peer& player, const SeatRef& ref);

    LobbyTable* table(std::uint64_t id);
    Peer* peer(std::uint64_t id);
    PeerRecord& record(const Peer& peer) { return m_peers.at(peer.id()); }
    template <class R> R* roleOf(const Peer& peer) { return std::get_if<R>(&record(peer).role); }
    // The table a host channel hosts, or nothing.
    LobbyTable* hostedBy(const Peer& host);

    std::optional<std::string> m_key;
    unsigned m_maxTablesPerAddress;
    LobbyCounts m_counts;
    std::uint64_t m_nextTable = 1;
    // Ordered by id, which is creation order: the list shows the oldest tables first.
    std::map<std::uint64_t, LobbyTable> m_tables;
    std::unordered_map<std::uint64_t, PeerRecord> m_peers;
    // The lists sent lately to each address, as table ids by row: an "L" names a row of them.
    ListMemory m_lists;
    // Host seat channels ("Z") waiting for their table, by address, oldest first.
    std::unordered_map<std::string, std::vector<std::uint64_t>> m_earlyHostSeats;
};

} // namespace corvane::lobby
