// The lobby's rules: listing, creating and joining tables, and passing each message on.
#include "server/lobby.h"

#include "online/protocol/encode.h"
#include "server/event_log.h"

#include <algorithm>
#include <string_view>

namespace corvane::lobby {

using namespace corvane::protocol;

namespace {

// Addresses remembered for the row of a later join; beyond this the oldest-inserted go.
constexpr std::size_t kMaxRememberedLists = 65536;
// Messages kept from a host seat channel that is waiting for its table.
constexpr std::size_t kMaxHeldEarly = 16;

std::string who(const Peer& peer) {
    return "#" + std::to_string(peer.id()) + " " + peer.address();
}

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
    m_earlyMessages.erase(peer.id());
    m_droppedFrom.erase(peer.id());
    m_peers.erase(peer.id());
}

void Lobby::dropped(Peer& peer, const std::string& why) {
    if (m_droppedFrom.insert(peer.id()).second) {
        logLine(who(peer) + " " + why + "; dropped (further drops are not logged)");
    }
}

// ---- Table list ----

std::vector<std::uint64_t> Lobby::waitingTables() const {
    std::vector<std::uint64_t> ids;
    for (const auto& [id, table] : m_tables) {
        bool freeSeat = false;
        for (int seat = 1; seat < kSeats; ++seat) {
            freeSeat = freeSeat || table.seatPeer[static_cast<std::size_t>(seat)] == 0;
        }
        if (freeSeat) {
            ids.push_back(id);
            if (ids.size() == kMaxListedTables) {
                break;
            }
        }
    }
    return ids;
}

std::string Lobby::occupant(const LobbyTable& table, int seat) const {
    if (seat == 0) {
        return table.hostName;
    }
    const auto index = static_cast<std::size_t>(seat);
    return table.seatPeer[index] == 0 ? std::string("Computer") : table.seatName[index];
}

void Lobby::rememberList(const std::string& address, std::vector<std::uint64_t> tables) {
    if (m_lastList.size() >= kMaxRememberedLists && !m_lastList.contains(address)) {
        m_lastList.erase(m_lastList.begin());
    }
    m_lastList[address] = std::move(tables);
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
    logLine(who(peer) + " listed " + std::to_string(ids.size()) + " tables");
    rememberList(peer.address(), std::move(ids));
}

void Lobby::received(Peer& peer, const Decoded<ListUpMessage>&) {
    peer.setIdentified(true);
    sendList(peer);
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

void Lobby::createTable(Peer& host, const CreateTable& create) {
    if (m_hostedBy.contains(host.id())) {
        logLine(who(host) + " sent a second table creation; ignored");
        return;
    }
    if (!keyAccepted(create.key)) {
        logLine(who(host) + " refused: wrong key");
        host.deliver(encode(KeyRefused{}));
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
    logLine(who(host) + " hosts table " + std::to_string(t.id) + " \"" + t.name + "\" as \"" +
            t.hostName + "\"");
    const std::uint64_t id = t.id;
    m_tables.emplace(id, std::move(t));
    host.setIdentified(true);
    host.deliver(encode(TableCreated{}));
    // A host seat channel that came before its table: the newest waiting one takes the seat.
    if (auto early = m_earlyHostSeats.find(host.address()); early != m_earlyHostSeats.end()) {
        const std::uint64_t seatPeer = early->second.back();
        early->second.pop_back();
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
    // A seat with no person is played by the host's computer: nobody to pass it to.
    if (Peer* target = peer(t.seatPeer[static_cast<std::size_t>(addressed.seat)])) {
        target->deliver(raw.substr(1));
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

// ---- Player channel ----

void Lobby::received(Peer& peer, const Decoded<PlayerUpMessage>& decoded) {
    std::visit(
        [&](const auto& message) {
            using T = std::decay_t<decltype(message)>;
            if constexpr (std::is_same_v<T, JoinTable>) {
                join(peer, message);
            } else if constexpr (std::is_same_v<T, HostSeatOpen>) {
                openHostSeat(peer);
            } else {
                passToHost(peer, decoded.message, decoded.raw);
            }
        },
        decoded.message);
}

void Lobby::join(Peer& player, const JoinTable& request) {
    if (m_seated.contains(player.id())) {
        logLine(who(player) + " sent a second join; ignored");
        return;
    }
    if (!keyAccepted(request.key)) {
        logLine(who(player) + " refused: wrong key");
        player.deliver(encode(KeyRefused{}));
        return;
    }
    auto listed = m_lastList.find(player.address());
    const std::vector<std::uint64_t> rows =
        listed != m_lastList.end() ? listed->second : waitingTables();
    const auto row = static_cast<std::size_t>(request.row);
    LobbyTable* t = row < rows.size() ? table(rows[row]) : nullptr;
    if (t == nullptr) {
        player.closeSoon("join refused: row " + std::to_string(request.row) +
                         " names no open table");
        return;
    }
    const auto seat = static_cast<std::size_t>(request.seat);
    if (request.seat == 0 || t->seatPeer[seat] != 0) {
        // The current seat list tells the player's lobby dialog which seats are free, so it
        // can choose another; "Y" is not sent.
        logLine(who(player) + " refused: seat " + std::to_string(request.seat) + " of table " +
                std::to_string(t->id) + " is taken");
        player.setIdentified(true);
        player.deliver(seatList(*t));
        return;
    }
    t->seatPeer[seat] = player.id();
    t->seatName[seat] = request.userName;
    t->joiners.push_back(player.id());
    m_seated[player.id()] = SeatRef{t->id, request.seat};
    player.setIdentified(true);
    logLine(who(player) + " joins table " + std::to_string(t->id) + " seat " +
            std::to_string(request.seat) + " as \"" + request.userName + "\"");
    if (Peer* host = peer(t->hostPeer)) {
        host->deliver(encode(SeatListRequest{}));
    }
    player.deliver(encode(JoinAccepted{}));
}

std::string Lobby::seatList(const LobbyTable& t) const {
    std::string out;
    for (int seat = 0; seat < kSeats; ++seat) {
        const bool free = seat != 0 && t.seatPeer[static_cast<std::size_t>(seat)] == 0;
        out += encode(SeatName{seat, (free ? "`" : "") + occupant(t, seat)});
    }
    return out;
}

void Lobby::openHostSeat(Peer& player) {
    if (m_seated.contains(player.id())) {
        logLine(who(player) + " sent a second host seat opening; ignored");
        return;
    }
    // The newest table from this address whose host has no seat channel yet: a host opens it
    // straight after its table is created, and an older one still waiting is a host whose
    // own channel never came.
    LobbyTable* found = nullptr;
    for (auto it = m_tables.rbegin(); it != m_tables.rend(); ++it) {
        if (it->second.hostAddress == player.address() && it->second.seatPeer[0] == 0) {
            found = &it->second;
            break;
        }
    }
    if (found == nullptr) {
        // Its table may still be on the way on the host channel.
        auto& early = m_earlyHostSeats[player.address()];
        if (std::find(early.begin(), early.end(), player.id()) == early.end()) {
            early.push_back(player.id());
        }
        logLine(who(player) + " opened a host seat before its table; waiting for the table");
        return;
    }
    bindHostSeat(player, *found);
}

void Lobby::bindHostSeat(Peer& player, LobbyTable& t) {
    t.seatPeer[0] = player.id();
    m_seated[player.id()] = SeatRef{t.id, 0};
    player.setIdentified(true);
    logLine(who(player) + " opens the host's seat of table " + std::to_string(t.id));
    if (auto early = m_earlyMessages.find(player.id()); early != m_earlyMessages.end()) {
        const auto messages = std::move(early->second);
        m_earlyMessages.erase(early);
        for (const auto& decoded : messages) {
            passToHost(player, decoded.message, decoded.raw);
        }
    }
}

void Lobby::passToHost(Peer& player, const PlayerUpMessage& message, std::string_view raw) {
    auto seated = m_seated.find(player.id());
    if (seated == m_seated.end()) {
        auto early = m_earlyHostSeats.find(player.address());
        if (early != m_earlyHostSeats.end() && std::find(early->second.begin(), early->second.end(),
                                                         player.id()) != early->second.end()) {
            auto& held = m_earlyMessages[player.id()];
            if (held.size() < kMaxHeldEarly) {
                held.push_back(Decoded<PlayerUpMessage>{message, std::string(raw)});
                return;
            }
        }
        dropped(player, "sent a table message without a seat");
        return;
    }
    const SeatRef ref = seated->second;
    // A person speaks only for the seat the lobby gave it.
    const int claimed = std::visit(
        [&](const auto& m) -> int {
            if constexpr (requires { m.seat; }) {
                return m.seat;
            } else {
                return ref.seat;
            }
        },
        message);
    if (claimed != ref.seat) {
        dropped(player, "spoke for seat " + std::to_string(claimed) + " from seat " +
                            std::to_string(ref.seat));
        return;
    }
    LobbyTable* t = table(ref.table);
    Peer* host = t ? peer(t->hostPeer) : nullptr;
    if (host == nullptr) {
        return;
    }
    if (std::holds_alternative<TakeSeat>(message)) {
        host->deliver(withPlayerId(raw, std::to_string(player.id())));
    } else {
        host->deliver(raw);
    }
}

void Lobby::leaveSeat(Peer& player, const SeatRef& ref) {
    LobbyTable* t = table(ref.table);
    if (t == nullptr) {
        return;
    }
    const auto seat = static_cast<std::size_t>(ref.seat);
    if (t->seatPeer[seat] != player.id()) {
        return;
    }
    t->seatPeer[seat] = 0;
    if (ref.seat != 0) {
        t->seatName[seat].clear();
    }
    logLine(who(player) + " left table " + std::to_string(t->id) + " seat " +
            std::to_string(ref.seat));
    if (Peer* host = peer(t->hostPeer)) {
        host->deliver(encode(SeatLost{ref.seat}));
    }
}

} // namespace corvane::lobby
