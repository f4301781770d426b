// Every open connection of the server by address and by kind: the per-address and global
// caps are decided here, the oldest connection that has not said who it is gives up its
// place when the last places are taken, and each address's table-list allowance is kept here
// (for a while after its last connection closes, so that reconnecting gains nothing).
#pragma once

#include "server/peer.h"
#include "server/token_bucket.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace corvane::lobby {

class Session;

// Connections refused or ended by a limit since the start, for the figures line.
struct LimitCounts {
    std::uint64_t refusedPerAddress = 0;
    std::uint64_t refusedFull = 0;
    std::uint64_t evictedSilent = 0;
    std::uint64_t droppedSlowReader = 0;
    std::uint64_t droppedBacklog = 0;
    std::uint64_t droppedInputRate = 0;
    std::uint64_t acceptFailed = 0;
};

// The table lists all connections from one address may have: a burst, then a steady rate.
struct AddressListLimit {
    double burst = 60;
    double perSecond = 20;
};

class ConnectionRegistry {
public:
    using Clock = TokenBucket::Clock;

    // `reserve` of the `maxConnections` places are kept for host and player channels.
    ConnectionRegistry(std::size_t maxConnections, std::size_t reserve, std::size_t maxPerAddress,
                       AddressListLimit lists = {});

    // Whether a new connection from `address` on `channel` may be opened: false with the
    // reason when it may not. May end the oldest silent connection to make room.
    bool admit(const std::string& address, Channel channel, std::string& reason);

    void added(const std::shared_ptr<Session>& session);
    void removed(const Session& session);
    // A connection that gained or lost a role; only those without one can be made to leave.
    void identified(const std::shared_ptr<Session>& session, bool identified);
    // Takes one table list from the allowance of `address`; false when it is spent.
    bool takeList(const std::string& address, Clock::time_point now = Clock::now());
    // Addresses with open connections or a list allowance not yet refilled.
    std::size_t addressesKept() const { return m_addresses.size(); }

    std::size_t open() const { return m_open; }
    std::size_t open(Channel channel) const {
        return m_byChannel[static_cast<std::size_t>(channel)];
    }
    std::size_t maxConnections() const { return m_max; }
    LimitCounts& counts() { return m_counts; }
    const LimitCounts& counts() const { return m_counts; }

private:
    std::size_t m_max;
    std::size_t m_reserve;
    std::size_t m_maxPerAddress;
    struct AddressRecord {
        std::size_t open = 0;
        // Made at the address's first list.
        std::optional<TokenBucket> lists;
    };

    // Forgets the addresses with no connection left whose list allowance has refilled.
    void forgetRefilled(Clock::time_point now);

    AddressListLimit m_listLimit;
    std::size_t m_open = 0;
    std::array<std::size_t, 3> m_byChannel{};
    std::unordered_map<std::string, AddressRecord> m_addresses;
    // Addresses whose last connection closed, in the order they closed: a record is kept
    // until its list allowance has refilled.
    std::deque<std::string> m_lingering;
    // Connections without a role, oldest (lowest id) first.
    std::map<std::uint64_t, std::weak_ptr<Session>> m_silent;
    LimitCounts m_counts;
};

} // namespace corvane::lobby
