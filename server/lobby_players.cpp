// The lobby's rules for the player channel: joining a table, the host's own seat, passing a
// player's messages to the host, and a player's loss.
#include "protocol/encode.h"
#include "protocol/seat_names.h"
#include "server/event_log.h"
#include "server/lobby.h"
#include "server/log_text.h"

#include <algorithm>
#include <string_view>

namespace corvane::lobby {

using namespace corvane::protocol;

namespace {

// Messages kept from a host seat channel that is waiting for its table.
constexpr std::size_t kMaxHeldEarly = 16;

} // namespace

void Lobby::received(Peer& peer, const Decoded<PlayerUpMessage>& decoded) {
    std::visit(
        [&](const auto& message) {
            using T = std::decay_t<decltype(message)>;
            if constexpr (std::is_same_v<T, JoinTable>) {
                join(peer, message);
            } else if constexpr (std::is_same_v<T, HostSeatOpen>) {
                openHostSeat(peer);
            } else {
                passToHost(peer, decoded.message, decoded.raw);
            }
        },
        decoded.message);
}

void Lobby::join(Peer& player, const JoinTable& request) {
    // A channel that opened a host seat is spoken for, even while its table is on the way.
    const bool placed = !std::holds_alternative<Unplaced>(record(player).role);
    if (!admitted(player, placed, request.key, Ignored::SecondJoin, "join"))
        return;
    const std::string user = visibleName(request.userName);
    if (user.empty()) {
        player.closeSoon("join refused: a user name with nothing visible");
        return;
    }
    const ListMemory::Row meant =
        m_lists.resolve(player.address(), static_cast<std::size_t>(request.row), waitingTables());
    if (std::holds_alternative<ListMemory::Ambiguous>(meant)) {
        // Lists sent to this address lately put different tables on that row: whoever sent the
        // "L" may be reading any of them. Closing reads as a vanished table; a fresh list
        // settles it.
        player.closeSoon("join refused: row " + std::to_string(request.row) +
                         " means different tables in the lists sent to this address");
        return;
    }
    const auto* id = std::get_if<std::uint64_t>(&meant);
    LobbyTable* t = id ? table(*id) : nullptr;
    if (t == nullptr) {
        player.closeSoon("join refused: row " + std::to_string(request.row) +
                         " names no open table");
        return;
    }
    const auto seat = static_cast<std::size_t>(request.seat);
    if (request.seat == 0 || t->seatPeer[seat] != 0) {
        // The current seat list tells the player's lobby dialog which seats are free, so it
        // can choose another; "Y" is not sent. The channel has no role yet: it keeps the
        // time-out it got on connecting, and may be made to leave when the server is full.
        ignore(player, Ignored::SeatTaken,
               "refused: seat " + std::to_string(request.seat) + " of table " +
                   std::to_string(t->id) + " is taken");
        player.deliver(seatList(*t));
        return;
    }
    t->seatPeer[seat] = player.id();
    t->seatName[seat] = user;
    t->joiners.push_back(player.id());
    record(player).role = Seated{SeatRef{t->id, request.seat}};
    player.setIdentified(true);
    logLine(peerName(player) + " joins table " + std::to_string(t->id) + " seat " +
            std::to_string(request.seat) + " as " + quoted(user));
    if (Peer* host = peer(t->hostPeer)) {
        host->deliver(encode(SeatListRequest{}));
    }
    player.deliver(encode(JoinAccepted{}));
}

std::string Lobby::seatList(const LobbyTable& t) const {
    std::string out;
    for (int seat = 0; seat < kSeats; ++seat) {
        const bool free = seat != 0 && t.seatPeer[static_cast<std::size_t>(seat)] == 0;
        out += encode(SeatName{seat, (free ? "`" : "") + occupant(t, seat)});
    }
    return out;
}

void Lobby::openHostSeat(Peer& player) {
    // One still waiting for its table may look again: a seat 0 may have come free since.
    const bool waiting = std::holds_alternative<AwaitingTable>(record(player).role);
    if (!waiting && !std::holds_alternative<Unplaced>(record(player).role)) {
        ignore(player, Ignored::SecondHostSeat, "sent a second host seat opening");
        return;
    }
    // The oldest table from this address whose host has no seat channel yet: each host opens
    // its seat straight after its table is created, so several hosts behind one address are
    // paired with their tables in the order the tables were created.
    LobbyTable* found = nullptr;
    for (auto& [id, waiting] : m_tables) {
        if (waiting.hostAddress == player.address() && waiting.seatPeer[0] == 0) {
            found = &waiting;
            break;
        }
    }
    if (found == nullptr) {
        if (waiting) {
            return;
        }
        // Its table may still be on the way on the host channel.
        m_earlyHostSeats[player.address()].push_back(player.id());
        record(player).role = AwaitingTable{};
        logLine(peerName(player) + " opened a host seat before its table; waiting for the table");
        return;
    }
    bindHostSeat(player, *found);
}

void Lobby::bindHostSeat(Peer& player, LobbyTable& t) {
    // It no longer waits for a table, whichever way it found this one.
    if (auto early = m_earlyHostSeats.find(player.address()); early != m_earlyHostSeats.end()) {
        std::erase(early->second, player.id());
        if (early->second.empty()) {
            m_earlyHostSeats.erase(early);
        }
    }
    PeerRecord& seatRecord = record(player);
    std::vector<Decoded<PlayerUpMessage>> held;
    if (auto* awaiting = std::get_if<AwaitingTable>(&seatRecord.role)) {
        held = std::move(awaiting->held);
    }
    t.seatPeer[0] = player.id();
    seatRecord.role = Seated{SeatRef{t.id, 0}};
    player.setIdentified(true);
    logLine(peerName(player) + " opens the host's seat of table " + std::to_string(t.id));
    for (const auto& decoded : held) {
        passToHost(player, decoded.message, decoded.raw);
    }
}

void Lobby::passToHost(Peer& player, const PlayerUpMessage& message, std::string_view raw) {
    PeerRecord& sender = record(player);
    const auto* seated = std::get_if<Seated>(&sender.role);
    if (seated == nullptr) {
        if (auto* awaiting = std::get_if<AwaitingTable>(&sender.role)) {
            if (awaiting->held.size() < kMaxHeldEarly) {
                awaiting->held.push_back(Decoded<PlayerUpMessage>{message, std::string(raw)});
                return;
            }
        }
        ignore(player, Ignored::WithoutSeat, "sent a table message without a seat");
        return;
    }
    const SeatRef ref = seated->ref;
    // A person speaks only for the seat the lobby gave it.
    const int claimed = std::visit(
        [&](const auto& m) -> int {
            if constexpr (requires { m.seat; }) {
                return m.seat;
            } else {
                return ref.seat;
            }
        },
        message);
    if (claimed != ref.seat) {
        ignore(player, Ignored::ForAnotherSeat,
               "spoke for seat " + std::to_string(claimed) + " from seat " +
                   std::to_string(ref.seat));
        return;
    }
    LobbyTable* t = table(ref.table);
    Peer* host = t ? peer(t->hostPeer) : nullptr;
    if (host == nullptr) {
        return;
    }
    if (auto refused = t->claims.refusal(ref.seat, message)) {
        ignore(player, refused->kind, refused->why);
        return;
    }
    if (std::holds_alternative<ChatLine>(message) && !player.takeChatLine()) {
        ignore(player, Ignored::ChatTooOften, "chats too often");
        return;
    }
    if (std::holds_alternative<TakeSeat>(message)) {
        const std::string withId = withPlayerId(raw, std::to_string(player.id()));
        host->deliver(withId);
        relayed(withId);
    } else {
        host->deliver(raw);
        relayed(raw);
    }
}

void Lobby::leaveSeat(Peer& player, const SeatRef& ref) {
    LobbyTable* t = table(ref.table);
    if (t == nullptr) {
        return;
    }
    const auto seat = static_cast<std::size_t>(ref.seat);
    if (t->seatPeer[seat] != player.id()) {
        return;
    }
    t->seatPeer[seat] = 0;
    if (ref.seat != 0) {
        t->seatName[seat].clear();
    }
    logLine(peerName(player) + " left table " + std::to_string(t->id) + " seat " +
            std::to_string(ref.seat));
    if (Peer* host = peer(t->hostPeer)) {
        host->deliver(encode(SeatLost{ref.seat}));
    }
}

} // namespace corvane::lobby
