// Which tables the list shows. At most 21 fit the program's list, and one address must not be
// able to fill them: the tables waiting are taken in rounds, one from each address per round,
// the address that created a waiting table most recently first; within an address its tables
// go in creation order. The rows then appear in creation order. So a new table is listed
// unless 21 other addresses have created waiting tables after it, and an address with several
// tables waiting gets more than one row only when fewer than 21 addresses have any.
#include "server/lobby.h"

#include <algorithm>

namespace corvane::lobby {

bool Lobby::isWaiting(const LobbyTable& table) {
    for (int seat = 1; seat < kSeats; ++seat) {
        if (table.seatPeer[static_cast<std::size_t>(seat)] == 0) {
            return true;
        }
    }
    return false;
}

std::size_t Lobby::waitingCount() const {
    return static_cast<std::size_t>(
        std::count_if(m_tables.begin(), m_tables.end(),
                      [](const auto& entry) { return isWaiting(entry.second); }));
}

std::size_t Lobby::waitingFrom(const std::string& address) const {
    return static_cast<std::size_t>(
        std::count_if(m_tables.begin(), m_tables.end(), [&](const auto& entry) {
            return entry.second.hostAddress == address && isWaiting(entry.second);
        }));
}

std::vector<std::uint64_t> Lobby::waitingTables() const {
    // Each address's waiting tables in creation order, the addresses in order of their newest.
    std::unordered_map<std::string, std::size_t> groupOf;
    std::vector<std::vector<std::uint64_t>> groups;
    for (const auto& [id, table] : m_tables) {
        if (!isWaiting(table)) {
            continue;
        }
        auto [it, added] = groupOf.try_emplace(table.hostAddress, groups.size());
        if (added) {
            groups.emplace_back();
        }
        groups[it->second].push_back(id);
    }
    std::sort(groups.begin(), groups.end(),
              [](const auto& a, const auto& b) { return a.back() > b.back(); });
    std::vector<std::uint64_t> ids;
    for (std::size_t round = 0; ids.size() < kMaxListedTables; ++round) {
        bool any = false;
        for (const auto& group : groups) {
            if (round < group.size() && ids.size() < kMaxListedTables) {
                ids.push_back(group[round]);
                any = true;
            }
        }
        if (!any) {
            break;
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace corvane::lobby
