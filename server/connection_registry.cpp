// The connection caps of the lobby server.
#include "server/connection_registry.h"

#include "server/session.h"

namespace corvane::lobby {

ConnectionRegistry::ConnectionRegistry(std::size_t maxConnections, std::size_t reserve,
                                       std::size_t maxPerAddress)
    : m_max(maxConnections), m_reserve(std::min(reserve, maxConnections / 2)),
      m_maxPerAddress(maxPerAddress) {}

bool ConnectionRegistry::admit(const std::string& address, Channel channel, std::string& reason) {
    auto counted = m_perAddress.find(address);
    if (counted != m_perAddress.end() && counted->second >= m_maxPerAddress) {
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
    ++m_perAddress[session->address()];
    m_silent.emplace(session->id(), session);
}

void ConnectionRegistry::removed(const Session& session) {
    --m_open;
    --m_byChannel[static_cast<std::size_t>(session.channel())];
    auto counted = m_perAddress.find(session.address());
    if (counted != m_perAddress.end() && --counted->second == 0) {
        m_perAddress.erase(counted);
    }
    m_silent.erase(session.id());
}

void ConnectionRegistry::identified(const std::shared_ptr<Session>& session, bool identified) {
    if (identified) {
        m_silent.erase(session->id());
    } else {
        m_silent.emplace(session->id(), session);
    }
}

} // namespace corvane::lobby
