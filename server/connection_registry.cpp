// The connection caps of the lobby server.
#include "server/connection_registry.h"

#include "server/session.h"

namespace corvane::lobby {

ConnectionRegistry::ConnectionRegistry(std::size_t maxConnections, std::size_t reserve,
                                       std::size_t maxPerAddress, AddressListLimit lists)
    : m_max(maxConnections), m_reserve(std::min(reserve, maxConnections / 2)),
      m_maxPerAddress(maxPerAddress), m_listLimit(lists) {}

bool ConnectionRegistry::admit(const std::string& address, Channel channel, std::string& reason) {
    auto counted = m_addresses.find(address);
    if (counted != m_addresses.end() && counted->second.open >= m_maxPerAddress) {
        ++m_counts.refusedPerAddress;
        reason = std::to_string(m_maxPerAddress) + " connections already open from this address";
        return false;
    }
    if (m_open < m_max - m_reserve) {
        return true;
    }
    // The last places: not for the table list, whose client simply asks again later.
    if (channel == Channel::List) {
        ++m_counts.refusedFull;
        reason = "the server is full";
        return false;
    }
    if (m_open < m_max) {
        return true;
    }
    // Full: the oldest connection that has not said who it is makes room for a host or a
    // player that is about to.
    while (!m_silent.empty()) {
        const std::shared_ptr<Session> oldest = m_silent.begin()->second.lock();
        m_silent.erase(m_silent.begin());
        if (oldest) {
            ++m_counts.evictedSilent;
            oldest->closeSoon("made room for a new connection: said nothing while the server "
                              "was full");
            return true;
        }
    }
    ++m_counts.refusedFull;
    reason = "the server is full";
    return false;
}

void ConnectionRegistry::added(const std::shared_ptr<Session>& session) {
    ++m_open;
    ++m_byChannel[static_cast<std::size_t>(session->channel())];
    ++m_addresses[session->address()].open;
    m_silent.emplace(session->id(), session);
    forgetRefilled(Clock::now());
}

void ConnectionRegistry::removed(const Session& session) {
    --m_open;
    --m_byChannel[static_cast<std::size_t>(session.channel())];
    auto counted = m_addresses.find(session.address());
    if (counted != m_addresses.end() && --counted->second.open == 0) {
        if (counted->second.lists && !counted->second.lists->fullAt(Clock::now())) {
            m_lingering.push_back(counted->first);
        } else {
            m_addresses.erase(counted);
        }
    }
    m_silent.erase(session.id());
}

bool ConnectionRegistry::takeList(const std::string& address, Clock::time_point now) {
    AddressRecord& record = m_addresses[address];
    if (!record.lists) {
        record.lists.emplace(m_listLimit.burst, m_listLimit.perSecond, now);
    }
    return record.lists->take(1, now);
}

void ConnectionRegistry::forgetRefilled(Clock::time_point now) {
    // Every allowance refills at the same pace and none is drawn on once its address has no
    // connection, so the ones that closed first are full first.
    while (!m_lingering.empty()) {
        auto record = m_addresses.find(m_lingering.front());
        if (record != m_addresses.end() && record->second.open == 0) {
            if (record->second.lists && !record->second.lists->fullAt(now)) {
                break;
            }
            m_addresses.erase(record);
        }
        m_lingering.pop_front();
    }
}

void ConnectionRegistry::identified(const std::shared_ptr<Session>& session, bool identified) {
    if (identified) {
        m_silent.erase(session->id());
    } else {
        m_silent.emplace(session->id(), session);
    }
}

} // namespace corvane::lobby
