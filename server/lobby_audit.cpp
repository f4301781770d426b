// The lobby's rules about its own state, checked from outside (by the fuzz test): every seat
// holder is a live peer seated there and nowhere else, every host a live peer of one table,
// and nothing is kept for a peer that has gone.
#include "server/lobby.h"

#include <unordered_set>

namespace corvane::lobby {

std::optional<std::string> Lobby::brokenRule() const {
    std::unordered_set<std::uint64_t> seatHolders;
    for (const auto& [id, t] : m_tables) {
        const std::string where = "table " + std::to_string(id);
        if (!m_peers.contains(t.hostPeer)) {
            return where + " has a host that is gone";
        }
        auto hosted = m_hostedBy.find(t.hostPeer);
        if (hosted == m_hostedBy.end() || hosted->second != id) {
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
            if (!m_peers.contains(holder)) {
                return where + " seat " + std::to_string(seat) + " is held by a peer that is gone";
            }
            auto seated = m_seated.find(holder);
            if (seated == m_seated.end() || seated->second.table != id ||
                seated->second.seat != seat) {
                return where + " seat " + std::to_string(seat) + " disagrees with its holder";
            }
        }
        for (std::uint64_t joiner : t.joiners) {
            if (joiner == 0) {
                return where + " waits on a joiner with no id";
            }
        }
    }
    for (const auto& [peerId, ref] : m_seated) {
        auto it = m_tables.find(ref.table);
        if (it == m_tables.end() ||
            it->second.seatPeer[static_cast<std::size_t>(ref.seat)] != peerId) {
            return "peer " + std::to_string(peerId) + " is seated at a seat it does not hold";
        }
    }
    for (const auto& [peerId, tableId] : m_hostedBy) {
        if (!m_peers.contains(peerId) || !m_tables.contains(tableId)) {
            return "peer " + std::to_string(peerId) + " hosts a table that is gone";
        }
    }
    for (const auto& [address, waiting] : m_earlyHostSeats) {
        for (std::uint64_t peerId : waiting) {
            if (!m_peers.contains(peerId)) {
                return "a closed peer still waits for its table";
            }
        }
    }
    for (const auto& [peerId, held] : m_earlyMessages) {
        if (!m_peers.contains(peerId)) {
            return "messages of a closed peer are still held";
        }
    }
    for (std::uint64_t peerId : m_droppedFrom) {
        if (!m_peers.contains(peerId)) {
            return "a closed peer is still remembered for its drops";
        }
    }
    return std::nullopt;
}

} // namespace corvane::lobby
