// The lobby's rules about its own state, checked from outside (by the fuzz test): every seat
// holder is a live peer seated there and nowhere else, every host a live peer of one table,
// every peer's role agrees with the tables, and nothing is kept for a peer that has gone.
#include "server/lobby.h"

#include <algorithm>
#include <unordered_set>

namespace corvane::lobby {

std::optional<std::string> Lobby::brokenRule() const {
    std::unordered_set<std::uint64_t> seatHolders;
    const auto roleOfPeer = [&](std::uint64_t id) -> const Role* {
        auto it = m_peers.find(id);
        return it == m_peers.end() ? nullptr : &it->second.role;
    };
    for (const auto& [id, t] : m_tables) {
        const std::string where = "table " + std::to_string(id);
        const Role* host = roleOfPeer(t.hostPeer);
        if (host == nullptr) {
            return where + " has a host that is gone";
        }
        const auto* hosting = std::get_if<Hosting>(host);
        if (hosting == nullptr || hosting->table != id) {
            return where + " is not the table its host hosts";
        }
        for (int seat = 0; seat < kSeats; ++seat) {
            const std::uint64_t holder = t.seatPeer[static_cast<std::size_t>(seat)];
            if (holder == 0) {
                continue;
            }
            if (!seatHolders.insert(holder).second) {
                return "peer " + std::to_string(holder) + " holds two seats";
            }
            const Role* role = roleOfPeer(holder);
            if (role == nullptr) {
                return where + " seat " + std::to_string(seat) + " is held by a peer that is gone";
            }
            const auto* seated = std::get_if<Seated>(role);
            if (seated == nullptr || seated->ref.table != id || seated->ref.seat != seat) {
                return where + " seat " + std::to_string(seat) + " disagrees with its holder";
            }
        }
        for (std::uint64_t joiner : t.joiners) {
            if (joiner == 0) {
                return where + " waits on a joiner with no id";
            }
        }
    }
    for (const auto& [peerId, record] : m_peers) {
        if (record.peer == nullptr || record.peer->id() != peerId) {
            return "peer " + std::to_string(peerId) + " is filed under another id";
        }
        if (const auto* seated = std::get_if<Seated>(&record.role)) {
            auto it = m_tables.find(seated->ref.table);
            if (it == m_tables.end() ||
                it->second.seatPeer[static_cast<std::size_t>(seated->ref.seat)] != peerId) {
                return "peer " + std::to_string(peerId) + " is seated at a seat it does not hold";
            }
        } else if (const auto* hosting = std::get_if<Hosting>(&record.role)) {
            if (!m_tables.contains(hosting->table)) {
                return "peer " + std::to_string(peerId) + " hosts a table that is gone";
            }
        } else if (std::holds_alternative<AwaitingTable>(record.role)) {
            auto early = m_earlyHostSeats.find(record.peer->address());
            if (early == m_earlyHostSeats.end() ||
                std::count(early->second.begin(), early->second.end(), peerId) != 1) {
                return "peer " + std::to_string(peerId) + " waits for a table it is not queued for";
            }
        }
    }
    for (const auto& [address, waiting] : m_earlyHostSeats) {
        for (std::uint64_t peerId : waiting) {
            const Role* role = roleOfPeer(peerId);
            if (role == nullptr || !std::holds_alternative<AwaitingTable>(*role)) {
                return "a peer that is gone or placed still waits for its table";
            }
        }
    }
    return std::nullopt;
}

} // namespace corvane::lobby
