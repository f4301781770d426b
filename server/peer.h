// What the lobby needs of a connection: who it is, a way to send to it, to end it, to tell it
// which time-out now applies, and whether it may have another table list or chat line yet.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::lobby {

enum class Channel { List, Host, Player };

// Whether a connection may have another table list now, and if not, whose allowance is spent:
// its own, or its address's, which all connections from one address share.
enum class ListAllowance { Given, ConnectionSpent, AddressSpent };

class Peer {
public:
    virtual ~Peer() = default;
    virtual std::uint64_t id() const = 0;
    virtual Channel channel() const = 0;
    // The remote address as text, without the port.
    virtual const std::string& address() const = 0;
    // Queues bytes for sending. Never ends the connection on the spot: a peer that falls too
    // far behind is ended later, outside the caller's loop.
    virtual void deliver(std::string_view bytes) = 0;
    // Ends the connection after the caller returns, logging the reason.
    virtual void closeSoon(std::string reason) = 0;
    // True once the peer has a role (host, seated player): the long idle time-out then
    // applies instead of the short one for connections that have not said who they are.
    // Asking for the list gives no role.
    virtual void setIdentified(bool identified) = 0;
    // Takes one table list from the connection's allowance and its address's.
    virtual ListAllowance takeList() = 0;
    // Takes one chat line from the connection's allowance; false when it is spent.
    virtual bool takeChatLine() = 0;
};

// How the log names a connection: its number and address.
inline std::string peerName(const Peer& peer) {
    return "#" + std::to_string(peer.id()) + " " + peer.address();
}

} // namespace corvane::lobby
