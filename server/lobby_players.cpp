// The lobby's rules for the player channel: joining a table, the host's own seat, passing a
// player's messages to the host, and a player's loss.
#include "protocol/encode.h"
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
    if (!admitted(player, m_seated.contains(player.id()) || waitsForHostSeat(player), request.key,
                  "join"))
        return;
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
        // can choose another; "Y" is not sent.
        logLine(peerName(player) + " refused: seat " + std::to_string(request.seat) + " of table " +
                std::to_string(t->id) + " is taken");
        player.setIdentified(true);
        player.deliver(seatList(*t));
        return;
    }
    t->seatPeer[seat] = player.id();
    t->seatName[seat] = request.userName;
    t->joiners.push_back(player.id());
    m_seated[player.id()] = SeatRef{t->id, request.seat};
    player.setIdentified(true);
    logLine(peerName(player) + " joins table " + std::to_string(t->id) + " seat " +
            std::to_string(request.seat) + " as " + quoted(request.userName));
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
    if (m_seated.contains(player.id())) {
        logLine(peerName(player) + " sent a second host seat opening; ignored");
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
        // Its table may still be on the way on the host channel.
        auto& early = m_earlyHostSeats[player.address()];
        if (std::find(early.begin(), early.end(), player.id()) == early.end()) {
            early.push_back(player.id());
        }
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
    t.seatPeer[0] = player.id();
    m_seated[player.id()] = SeatRef{t.id, 0};
    player.setIdentified(true);
    logLine(peerName(player) + " opens the host's seat of table " + std::to_string(t.id));
    if (auto early = m_earlyMessages.find(player.id()); early != m_earlyMessages.end()) {
        const auto messages = std::move(early->second);
        m_earlyMessages.erase(early);
        for (const auto& decoded : messages) {
            passToHost(player, decoded.message, decoded.raw);
        }
    }
}

bool Lobby::waitsForHostSeat(const Peer& player) const {
    auto early = m_earlyHostSeats.find(player.address());
    return early != m_earlyHostSeats.end() && std::find(early->second.begin(), early->second.end(),
                                                        player.id()) != early->second.end();
}

void Lobby::passToHost(Peer& player, const PlayerUpMessage& message, std::string_view raw) {
    auto seated = m_seated.find(player.id());
    if (seated == m_seated.end()) {
        if (waitsForHostSeat(player)) {
            auto& held = m_earlyMessages[player.id()];
            if (held.size() < kMaxHeldEarly) {
                held.push_back(Decoded<PlayerUpMessage>{message, std::string(raw)});
                return;
            }
        }
        dropped(player, "sent a table message without a seat");
        return;
    }
    const SeatRef ref = seated->second;
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
        dropped(player, "spoke for seat " + std::to_string(claimed) + " from seat " +
                            std::to_string(ref.seat));
        return;
    }
    LobbyTable* t = table(ref.table);
    Peer* host = t ? peer(t->hostPeer) : nullptr;
    if (host == nullptr) {
        return;
    }
    if (auto why = t->claims.refusal(ref.seat, message)) {
        dropped(player, *why);
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
