// The lobby's rules for the table list and the host channel: listing and creating tables,
// passing the host's messages on, and the end of a table.
#include "server/lobby.h"

#include "protocol/encode.h"
#include "server/event_log.h"
#include "server/log_text.h"

#include <algorithm>
#include <string_view>

namespace corvane::lobby {

using namespace corvane::protocol;

namespace {

std::string trimmedKey(std::string_view key) {
    const std::size_t end = key.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view{} : key.substr(0, end + 1));
}

} // namespace

LobbyTable* Lobby::table(std::uint64_t id) {
    auto it = m_tables.find(id);
    return it == m_tables.end() ? nullptr : &it->second;
}

Peer* Lobby::peer(std::uint64_t id) {
    auto it = m_peers.find(id);
    return it == m_peers.end() ? nullptr : it->second;
}

bool Lobby::keyAccepted(const std::string& key) const {
    return !m_key || trimmedKey(*m_key) == trimmedKey(key);
}

void Lobby::opened(Peer& peer) {
    m_peers[peer.id()] = &peer;
}

void Lobby::closed(Peer& peer) {
    if (auto hosted = m_hostedBy.find(peer.id()); hosted != m_hostedBy.end()) {
        const std::uint64_t tableId = hosted->second;
        m_hostedBy.erase(hosted);
        endTable(tableId);
    }
    if (auto seated = m_seated.find(peer.id()); seated != m_seated.end()) {
        const SeatRef ref = seated->second;
        m_seated.erase(seated);
        leaveSeat(peer, ref);
    }
    if (auto early = m_earlyHostSeats.find(peer.address()); early != m_earlyHostSeats.end()) {
        std::erase(early->second, peer.id());
        if (early->second.empty()) {
            m_earlyHostSeats.erase(early);
        }
    }
    if (peer.channel() == Channel::List)
        m_lists.closed(peer.address(), peer.id());
    m_earlyMessages.erase(peer.id());
    m_droppedFrom.erase(peer.id());
    m_peers.erase(peer.id());
}

void Lobby::dropped(Peer& peer, const std::string& why) {
    if (m_droppedFrom.insert(peer.id()).second) {
        logLine(peerName(peer) + " " + why + "; dropped (further drops are not logged)");
    }
}

// ---- Table list ----

std::string Lobby::occupant(const LobbyTable& table, int seat) const {
    if (seat == 0) {
        return table.hostName;
    }
    const auto index = static_cast<std::size_t>(seat);
    return table.seatPeer[index] == 0 ? std::string("Computer") : table.seatName[index];
}

void Lobby::sendList(Peer& peer) {
    std::vector<std::uint64_t> ids = waitingTables();
    std::string out;
    for (std::uint64_t id : ids) {
        const LobbyTable& t = m_tables.at(id);
        TableEntry entry{t.name, std::to_string(t.id), {}};
        for (int seat = 0; seat < kSeats; ++seat) {
            entry.occupants[static_cast<std::size_t>(seat)] = occupant(t, seat);
        }
        out += encode(entry);
    }
    if (!out.empty()) {
        peer.deliver(out);
    }
    // Lists are counted in the figures line, not logged one by one.
    ++m_counts.lists;
    m_lists.remember(peer.address(), peer.id(), std::move(ids));
}

void Lobby::received(Peer& peer, const Decoded<ListUpMessage>&) {
    // A list gives no role: a connection that only lists is closed at the hello time-out.
    if (!peer.mayList()) {
        ++m_counts.listsDropped;
        dropped(peer, "asks for the list too often");
        return;
    }
    sendList(peer);
}

void Lobby::relayed(std::string_view bytes) {
    ++m_counts.relayedMessages;
    m_counts.relayedBytes += bytes.size();
}

// ---- Host channel ----

void Lobby::received(Peer& peer, const Decoded<HostUpMessage>& decoded) {
    std::visit(
        [&](const auto& message) {
            using T = std::decay_t<decltype(message)>;
            if constexpr (std::is_same_v<T, CreateTable>) {
                createTable(peer, message);
            } else if constexpr (std::is_same_v<T, Addressed>) {
                passToSeat(peer, message, decoded.raw);
            } else {
                passSeatAnswer(peer, decoded.raw);
            }
        },
        decoded.message);
}

bool Lobby::admitted(Peer& peer, bool already, const std::string& key, const char* what) {
    if (already) {
        logLine(peerName(peer) + " sent a second " + what + "; ignored");
        return false;
    }
    if (!keyAccepted(key)) {
        logLine(peerName(peer) + " refused: wrong key");
        peer.deliver(encode(KeyRefused{}));
        return false;
    }
    return true;
}

void Lobby::createTable(Peer& host, const CreateTable& create) {
    if (!admitted(host, m_hostedBy.contains(host.id()), create.key, "table creation"))
        return;
    if (waitingFrom(host.address()) >= m_maxTablesPerAddress) {
        ++m_counts.tablesRefused;
        host.closeSoon("table refused: " + std::to_string(m_maxTablesPerAddress) +
                       " tables already wait from this address");
        return;
    }
    LobbyTable t;
    t.id = m_nextTable++;
    t.name = create.tableName;
    t.hostName = create.userName;
    t.hostAddress = host.address();
    t.hostPeer = host.id();
    t.seatName[0] = create.userName;
    m_hostedBy[host.id()] = t.id;
    logLine(peerName(host) + " hosts table " + std::to_string(t.id) + " " + quoted(t.name) +
            " as " + quoted(t.hostName));
    const std::uint64_t id = t.id;
    m_tables.emplace(id, std::move(t));
    host.setIdentified(true);
    host.deliver(encode(TableCreated{}));
    // A host seat channel that came before its table: the first still waiting takes the seat.
    if (auto early = m_earlyHostSeats.find(host.address()); early != m_earlyHostSeats.end()) {
        const std::uint64_t seatPeer = early->second.front();
        early->second.erase(early->second.begin());
        if (early->second.empty()) {
            m_earlyHostSeats.erase(early);
        }
        if (Peer* player = peer(seatPeer)) {
            bindHostSeat(*player, m_tables.at(id));
        }
    }
}

void Lobby::passToSeat(Peer& host, const Addressed& addressed, std::string_view raw) {
    auto hosted = m_hostedBy.find(host.id());
    if (hosted == m_hostedBy.end()) {
        host.closeSoon("table message before a table was created");
        return;
    }
    LobbyTable& t = m_tables.at(hosted->second);
    t.claims.hostSent(addressed.seat, addressed.message);
    // A seat with no person is played by the host's computer: nobody to pass it to.
    if (Peer* target = peer(t.seatPeer[static_cast<std::size_t>(addressed.seat)])) {
        target->deliver(raw.substr(1));
        relayed(raw.substr(1));
    }
}

void Lobby::passSeatAnswer(Peer& host, std::string_view raw) {
    auto hosted = m_hostedBy.find(host.id());
    if (hosted == m_hostedBy.end()) {
        host.closeSoon("seat list before a table was created");
        return;
    }
    LobbyTable& t = m_tables.at(hosted->second);
    if (t.joiners.empty()) {
        return;
    }
    if (Peer* joiner = peer(t.joiners.front())) {
        joiner->deliver(raw);
        relayed(raw);
    }
    if (--t.answersLeft == 0) {
        t.joiners.pop_front();
        t.answersLeft = kSeats;
    }
}

void Lobby::endTable(std::uint64_t tableId) {
    auto it = m_tables.find(tableId);
    if (it == m_tables.end()) {
        return;
    }
    LobbyTable& t = it->second;
    for (std::uint64_t seatPeer : t.seatPeer) {
        if (Peer* player = peer(seatPeer)) {
            player->deliver(encode(HostGone{}));
            // The player closes its channel on "K"; until then it has no role here.
            player->setIdentified(false);
            m_seated.erase(seatPeer);
        }
    }
    logLine("table " + std::to_string(tableId) + " ended");
    m_tables.erase(it);
}

} // namespace corvane::lobby
