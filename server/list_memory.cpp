#include "server/list_memory.h"

#include <algorithm>

namespace corvane::lobby {

namespace {

ListMemory::Row rowOf(const std::vector<std::uint64_t>& tables, std::size_t row) {
    if (row < tables.size())
        return tables[row];
    return ListMemory::NoTable{};
}

} // namespace

void ListMemory::remember(const std::string& address, std::uint64_t peer,
                          std::vector<std::uint64_t> tables, Clock::time_point now) {
    if (m_lists.size() >= MaxAddresses && !m_lists.contains(address))
        m_lists.erase(m_lists.begin());
    auto& lists = m_lists[address];
    std::erase_if(lists, [&](const Sent& sent) { return sent.peer == peer; });
    lists.push_back(Sent{peer, now, std::move(tables), true});
    while (lists.size() > MaxListsPerAddress)
        lists.pop_front();
}

void ListMemory::closed(const std::string& address, std::uint64_t peer) {
    auto found = m_lists.find(address);
    if (found == m_lists.end())
        return;
    auto& lists = found->second;
    for (Sent& sent : lists)
        if (sent.peer == peer)
            sent.open = false;
    // A closed connection's list is kept only while it is the last one sent there.
    const Sent* last = lists.empty() ? nullptr : &lists.back();
    std::erase_if(lists, [&](const Sent& sent) { return !sent.open && &sent != last; });
}

ListMemory::Row ListMemory::resolve(const std::string& address, std::size_t row,
                                    const std::vector<std::uint64_t>& current,
                                    Clock::time_point now) {
    auto found = m_lists.find(address);
    if (found == m_lists.end() || found->second.empty())
        return rowOf(current, row);
    const auto& lists = found->second;
    std::vector<const Sent*> reading;
    for (const Sent& sent : lists)
        if (sent.open && now - sent.at <= Recent)
            reading.push_back(&sent);
    if (reading.empty())
        return rowOf(lists.back().tables, row);
    // A list too short for the row cannot be the one the "L" was read in: it agrees with any.
    Row meant = NoTable{};
    for (const Sent* sent : reading) {
        const Row here = rowOf(sent->tables, row);
        if (std::holds_alternative<NoTable>(here))
            continue;
        if (!std::holds_alternative<NoTable>(meant) && here != meant)
            return Ambiguous{};
        meant = here;
    }
    return meant;
}

} // namespace corvane::lobby
