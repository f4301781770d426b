// The lobby's rules for the table list and the host channel: listing and creating tables,
// passing the host's messages on, and the end of a table.
#include "server/lobby.h"

#include "protocol/encode.h"
#include "protocol/seat_names.h"
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
    return it == m_peers.end() ? nullptr : it->second.peer;
}

LobbyTable* Lobby::hostedBy(const Peer& host) {
    const Hosting* hosting = roleOf<Hosting>(host);
    return hosting ? table(hosting->table) : nullptr;
}

bool Lobby::keyAccepted(const std::string& key) const {
    return !m_key || trimmedKey(*m_key) == trimmedKey(key);
}

void Lobby::opened(Peer& peer) {
    m_peers[peer.id()] = PeerRecord{&peer, Unplaced{}, {}};
}

void Lobby::closed(Peer& peer) {
    auto it = m_peers.find(peer.id());
    if (it == m_peers.end()) {
        return;
    }
    const Role role = std::move(it->second.role);
    m_peers.erase(it);
    if (const auto* hosting = std::get_if<Hosting>(&role)) {
        endTable(hosting->table);
    } else if (const auto* seated = std::get_if<Seated>(&role)) {
        leaveSeat(peer, seated->ref);
    } else if (std::holds_alternative<AwaitingTable>(role)) {
        auto early = m_earlyHostSeats.find(peer.address());
        if (early != m_earlyHostSeats.end()) {
            std::erase(early->second, peer.id());
            if (early->second.empty()) {
                m_earlyHostSeats.erase(early);
            }
        }
    }
    if (peer.channel() == Channel::List)
        m_lists.closed(peer.address(), peer.id());
}

void Lobby::ignore(Peer& peer, Ignored kind, const std::string& why) {
    ++m_counts.ignored[index(kind)];
    auto logged = record(peer).logged[index(kind)];
    if (!logged) {
        logged = true;
        logLine(peerName(peer) + " " + why +
                "; ignored (more of this kind from this connection are only counted)");
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
    // "U", which the program ignores, says that the list is empty: without it an empty list
    // and a lobby that does not answer would look the same.
    peer.deliver(out.empty() ? encode(Notice{}) : out);
    // Lists are counted in the figures line, not logged one by one.
    ++m_counts.lists;
    m_lists.remember(peer.address(), peer.id(), std::move(ids));
}

void Lobby::received(Peer& peer, const Decoded<ListUpMessage>&) {
    // A list gives no role: a connection that only lists is closed at the hello time-out.
    const ListAllowance allowance = peer.takeList();
    if (allowance != ListAllowance::Given) {
        if (allowance == ListAllowance::AddressSpent) {
            ++m_counts.listsOverAddressRate;
        }
        ignore(peer, Ignored::ListTooOften,
               allowance == ListAllowance::AddressSpent
                   ? "asks for the list too often (with the other connections from its address)"
                   : "asks for the list too often");
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

bool Lobby::admitted(Peer& peer, bool already, const std::string& key, Ignored twice,
                     const char* what) {
    if (already) {
        ignore(peer, twice, std::string("sent a second ") + what);
        return false;
    }
    if (!keyAccepted(key)) {
        ignore(peer, Ignored::WrongKey, "refused: wrong key");
        peer.deliver(encode(KeyRefused{}));
        return false;
    }
    return true;
}

void Lobby::createTable(Peer& host, const CreateTable& create) {
    if (!admitted(host, roleOf<Hosting>(host) != nullptr, create.key, Ignored::SecondTable,
                  "table creation"))
        return;
    const std::string user = visibleName(create.userName);
    if (user.empty()) {
        host.closeSoon("table refused: a user name with nothing visible");
        return;
    }
    if (waitingFrom(host.address()) >= m_maxTablesPerAddress) {
        ++m_counts.tablesRefused;
        host.closeSoon("table refused: " + std::to_string(m_maxTablesPerAddress) +
                       " tables already wait from this address");
        return;
    }
    LobbyTable t;
    t.id = m_nextTable++;
    t.name = visibleName(create.tableName);
    if (t.name.empty())
        t.name = user;
    t.hostName = user;
    t.hostAddress = host.address();
    t.hostPeer = host.id();
    t.seatName[0] = user;
    record(host).role = Hosting{t.id};
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
    LobbyTable* hosted = hostedBy(host);
    if (hosted == nullptr) {
        host.closeSoon("table message before a table was created");
        return;
    }
    LobbyTable& t = *hosted;
    t.claims.hostSent(addressed.seat, addressed.message);
    // A seat with no person is played by the host's computer: nobody to pass it to.
    if (Peer* target = peer(t.seatPeer[static_cast<std::size_t>(addressed.seat)])) {
        target->deliver(raw.substr(1));
        relayed(raw.substr(1));
    }
}

void Lobby::passSeatAnswer(Peer& host, std::string_view raw) {
    LobbyTable* hosted = hostedBy(host);
    if (hosted == nullptr) {
        host.closeSoon("seat list before a table was created");
        return;
    }
    LobbyTable& t = *hosted;
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
            record(*player).role = Unplaced{};
        }
    }
    logLine("table " + std::to_string(tableId) + " ended");
    m_tables.erase(it);
}

} // namespace corvane::lobby
