// The host channel's handlers, the seat links and the checks on every seat's move.
#include "online/host.h"

#include "cards/legal_play.h"
#include "flow/play_context.h"
#include "online/overloaded.h"
#include "protocol/encode.h"
#include "protocol/score_line.h"
#include "protocol/seat_names.h"
#include "protocol/utf8_cut.h"
#include "table/hand_rules.h"
#include "table/saying.h"

#include <chrono>
#include <set>

namespace corvane::online {

using namespace corvane::protocol;

namespace {
constexpr const char* OwnPlaceholder = "127.0.0.1";

// Every seat is told who sat down, the person who joined too.
void announceJoin(Host& host, const Table& t, int seat) {
    const ChatShow joined{t.seats[static_cast<size_t>(seat)].name + " has joined."};
    host.sendToSeats(joined);
    if (!host.seatLinked(seat))
        host.sendToSeat(seat, joined);
    // Sitting down during a game: the joiner's labels would show nothing until the hand ends.
    const int ours = t.score[static_cast<size_t>(seat % 2)];
    const int theirs = t.score[static_cast<size_t>((seat + 1) % 2)];
    if (ours != 0 || theirs != 0)
        host.sendToSeat(seat, ChatShow{scoreLine(ours, theirs)});
}
} // namespace

Host::Host(Engine& engine, Channel& hostChannel) : m_engine(engine), m_channel(hostChannel) {
    m_channel.setReceiver(this);
    m_engine.setHostLink(this);
    // A message the table cannot use is dropped and the table goes on: the host must not
    // depend on the lobby having closed its sender first.
    m_decoder.setSkipsFramedFaults(true);
    m_nowMs = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
}

Host::~Host() {
    m_channel.setReceiver(nullptr);
    m_engine.setHostLink(nullptr);
}

// --- The channel -----------------------------------------------------------------------------

void Host::received(std::string_view bytes) {
    m_decoder.feed(bytes);
    for (;;) {
        auto decoded = m_decoder.next();
        noteDropped();
        if (!decoded)
            break;
        handle(decoded->message);
    }
    if (m_decoder.failed()) {
        if (m_log)
            m_log("host channel: " + m_decoder.error());
        m_channel.close();
        closed();
    }
}

void Host::closed() {
    if (!m_hosting)
        return;
    endHosting();
    if (m_onNotice)
        m_onNotice(english(Said::ServerLost));
    if (m_onLost)
        m_onLost();
}

void Host::endHosting() {
    m_hosting = false;
    m_discardsAsked = false;
    m_links = {};
    m_journal.clear();
    // Back to a standalone table: every flow of the online table is abandoned.
    m_engine.newGame();
}

void Host::handle(const Message& message) {
    std::visit(Overloaded{
                   [&](const TableCreated&) { onTableCreated(); },
                   [&](const KeyRefused&) {
                       if (m_onRefused)
                           m_onRefused();
                   },
                   [&](const Notice&) {},
                   [&](const SeatListRequest&) { onSeatList(); },
                   [&](const SeatLost& m) { onSeatLost(m); },
                   [&](const TakeSeatWithId& m) { onTakeSeat(m); },
                   [&](const ChatLine& m) { onChat(m); },
                   [&](const PlayerBid& m) { onBid(m); },
                   [&](const NameTrump& m) { onTrump(m); },
                   [&](const Discards& m) { onDiscards(m); },
                   [&](const NextHand&) { onNextHand(); },
                   [&](const PlayCard& m) { onCard(m); },
                   [&](const TableEntry&) { refuse("a table list entry on the host channel"); },
               },
               message);
}

void Host::refuse(const std::string& why) {
    ++m_refused;
    if (m_log)
        m_log("ignored: " + why);
}

void Host::noteDropped() {
    const int dropped = m_decoder.dropped();
    if (dropped == m_droppedSeen)
        return;
    const int count = dropped - m_droppedSeen;
    m_droppedSeen = dropped;
    refuse(count == 1 ? m_decoder.lastDropped()
                      : std::to_string(count) + " messages, the last " + m_decoder.lastDropped());
}

// The seat was asked and answered with a move the table does not take: it is asked the same
// question again, so its person can choose another.
void Host::refuseAndAskAgain(int seat, const std::string& why) {
    refuse(why + "; asked again");
    const Table& t = m_engine.table();
    if (m_engine.hostAwaits().bidFrom == seat)
        sendToSeat(seat, YourBid{t.dealerSeat, t.highBid});
    else if (m_engine.hostAwaits().cardFrom == seat)
        sendToSeat(seat, YourTurn{seat});
}

// --- Seats -----------------------------------------------------------------------------------

bool Host::seatLinked(int seat) const {
    return seat >= 0 && seat < 4 && !m_links[static_cast<size_t>(seat)].empty();
}

void Host::sendToSeats(const PlayerDownMessage& message) {
    std::array<bool, 4> linked{};
    for (int s = 0; s < 4; ++s)
        linked[static_cast<size_t>(s)] = seatLinked(s);
    // The seats discard between the "D" that asks them, once trump is named and the computer
    // seats have thrown away, and the draw's "C": before it, while a computer bidder is still
    // choosing trump, a seat's "r" would start the draw under no trump.
    m_journal.note(message);
    if (std::holds_alternative<DiscardPhase>(message))
        m_discardsAsked = true;
    else if (std::holds_alternative<Cards>(message))
        m_discardsAsked = false;
    if (linked[0]) {
        if (std::holds_alternative<TrickWon>(message))
            ++m_ownTricksSent;
        else if (std::holds_alternative<HandEnd>(message))
            ++m_ownHandsSent;
    }
    const std::string bytes = toLinkedSeats(linked, encode(message));
    if (!bytes.empty())
        m_channel.send(bytes);
}

void Host::sendToSeat(int seat, const PlayerDownMessage& message) {
    m_channel.send(addressedTo(seat, encode(message)));
}

bool Host::ownViewCaughtUp(ViewStep step) const {
    if (!m_ownView || !seatLinked(0))
        return true;
    return step == ViewStep::Trick ? m_ownView->tricksCounted() >= m_ownTricksSent
                                   : m_ownView->handsCounted() >= m_ownHandsSent;
}

void Host::notice(const std::string& text) {
    if (m_onNotice)
        m_onNotice(text);
}

void Host::onTableCreated() {
    if (m_hosting)
        return refuse("a second \"H\"");
    m_hosting = true;
    m_engine.becomeHost();
    m_links = {};
    m_links[0] = OwnPlaceholder;
    m_ownTricksSent = 0;
    m_ownHandsSent = 0;
    if (m_onCreated)
        m_onCreated();
}

void Host::onSeatList() {
    if (!m_hosting)
        return refuse("\"q\" before the table exists");
    // A seat a person holds is not offered as free.
    std::string answers;
    for (int j = 0; j < 4; ++j) {
        const bool held = seatLinked(j);
        const std::string& name = m_engine.table().seats[static_cast<size_t>(j)].name;
        answers += encode(SeatName{j, held ? name : freeSeatName(name)});
    }
    m_channel.send(answers);
}

void Host::onTakeSeat(const TakeSeatWithId& m) {
    if (!m_hosting)
        return refuse("\"s\" before the table exists");
    const auto seat = static_cast<size_t>(m.seat);
    const std::string& holder = m_links[seat];
    const bool ownFirst = m.seat == 0 && holder == OwnPlaceholder;
    // A person keeps the name they sat down with: a second "s" would let them take another's.
    if (!holder.empty() && holder == m.playerId)
        return refuse("a second \"s\" from seat " + std::to_string(m.seat));
    if ((!holder.empty() && !ownFirst) || m.playerId.empty())
        return refuse("\"s\" for seat " + std::to_string(m.seat) + ", which a person holds");

    Table& t = m_engine.table();
    const std::string name = distinctName(m.seat, m.name);
    m_engine.personTakesSeat(m.seat, name);
    // Sitting down during a hand, the person takes it up where the computer left it.
    const bool midHand = !t.dealString.empty() && !ownFirst && holder.empty();
    if (midHand)
        catchUp(m.seat);
    linkSeat(m.seat, m.playerId);
    if (!ownFirst)
        announceJoin(*this, t, m.seat);
}

void Host::catchUp(int seat) {
    const Table& t = m_engine.table();
    // The names first, so that the deal is the joiner's with every seat named as it is now.
    std::string bytes;
    for (int j = 0; j < 4; ++j)
        bytes += addressedTo(seat, encode(SeatName{j, t.seats[static_cast<size_t>(j)].name}));
    for (const PlayerDownMessage& told : m_journal.told())
        bytes += addressedTo(seat, encode(told));
    // Another person's card is awaited: every seat was told whose turn it is.
    const int awaited = m_engine.hostAwaits().cardFrom;
    if (awaited >= 0 && awaited != seat)
        bytes += addressedTo(seat, encode(YourTurn{awaited}));
    m_channel.send(bytes);
}

std::string Host::distinctName(int seat, const std::string& name) const {
    const Table& t = m_engine.table();
    const auto shown = [&](const std::string& candidate) {
        for (int j = 0; j < 4; ++j)
            if (j != seat && t.seats[static_cast<size_t>(j)].name == candidate)
                return true;
        return false;
    };
    std::string candidate = name;
    // Four seats: some number up to 5 is always free.
    for (int n = 2; shown(candidate); ++n) {
        const std::string suffix = " " + std::to_string(n);
        candidate =
            std::string(utf8Prefix(name, static_cast<size_t>(kMaxShortText) - suffix.size())) +
            suffix;
    }
    return candidate;
}

void Host::linkSeat(int seat, const std::string& id) {
    m_links[static_cast<size_t>(seat)] = id;
    m_chatLimit.reset(seat);
    broadcastNames();
    if (m_onSeated)
        m_onSeated();
}

void Host::broadcastNames() {
    const Table& t = m_engine.table();
    for (int j = 0; j < 4; ++j)
        sendToSeats(SeatName{j, t.seats[static_cast<size_t>(j)].name});
}

void Host::onSeatLost(const SeatLost& m) {
    if (!m_hosting || !m_channel.isOpen())
        return;
    const auto seat = static_cast<size_t>(m.seat);
    if (m_links[seat].empty())
        return refuse("\"k\" for seat " + std::to_string(m.seat) + ", which no person holds");
    const std::string gone = m_engine.table().seats[seat].name + " has disconnected.";
    notice(gone);
    m_links[seat].clear();
    // Every seat sees the computer take the seat, under a computer player's name.
    if (m.seat != 0) {
        m_engine.computerTakesSeat(m.seat);
        sendToSeats(ChatShow{gone});
        broadcastNames();
    }
    m_engine.start(m_engine.hostSeatLost(m.seat));
}

// --- Chat ------------------------------------------------------------------------------------

void Host::onChat(const ChatLine& m) {
    if (!m_hosting || !seatLinked(m.seat))
        return refuse("chat from seat " + std::to_string(m.seat) + ", which no person holds");
    switch (m_chatLimit.take(m.seat, m_nowMs())) {
    case ChatLimit::Verdict::Pass:
        break;
    case ChatLimit::Verdict::DropAndTell:
        refuse("chat from seat " + std::to_string(m.seat) + " past its limit, until it slows");
        sendToSeat(m.seat, ChatShow{ChatLimit::DroppedMessage});
        return;
    case ChatLimit::Verdict::Drop:
        return;
    }
    std::string line = m_engine.table().seats[static_cast<size_t>(m.seat)].name + ": " + m.text;
    // "M" carries a two-digit length: the line is cut where a character ends, and the speaker
    // is told.
    const std::string_view kept = utf8Prefix(line, static_cast<size_t>(kMaxShortText));
    sendToSeats(ChatShow{std::string(kept)});
    if (kept.size() < line.size())
        sendToSeat(m.seat, ChatShow{ChatShortenedMessage});
}

// --- The moves -------------------------------------------------------------------------------

void Host::onBid(const PlayerBid& m) {
    const Table& t = m_engine.table();
    if (!m_hosting || t.gamePhase != GamePhase::Bidding ||
        m_engine.hostAwaits().bidFrom != m.seat || t.bidTurnSeat != m.seat)
        return refuse("a bid from seat " + std::to_string(m.seat) + " out of turn");
    if (!m.bid.pass) {
        // The levels the bid dialog would offer this seat: above the high bid (the dealer may
        // hold it), and 25 or 30 only with a five, the rule being always on online.
        const int value = m.bid.value;
        const bool level = value == 20 || value == 25 || value == 30;
        if (!level || !allowedBids(t, m.seat)[static_cast<size_t>(corvane::Bid::of(value).level())])
            return refuseAndAskAgain(m.seat, "a bid of " + std::to_string(value) + " over " +
                                                 std::to_string(t.highBid));
    }
    m_engine.start(m_engine.hostPersonBid(m.seat, fromWire(m.bid)));
}

void Host::onTrump(const NameTrump& m) {
    const Table& t = m_engine.table();
    if (!m_hosting || t.gamePhase != GamePhase::Discard || !m_engine.hostAwaits().trump)
        return refuse("a trump nobody was asked for");
    m_engine.start(m_engine.hostTrumpNamed(m.suit));
}

void Host::onDiscards(const Discards& m) {
    if (!m_hosting || !m_discardsAsked || !seatLinked(m.seat) ||
        m_engine.seatReady()[static_cast<size_t>(m.seat)])
        return refuse("discards from seat " + std::to_string(m.seat) + " out of turn");
    std::set<int> seen;
    for (int slot : m.pictures) {
        if (slot < 5 * m.seat || slot > 5 * m.seat + 4 || !seen.insert(slot).second)
            return refuse("discards from seat " + std::to_string(m.seat) + " naming picture " +
                          std::to_string(slot));
    }
    m_engine.start(m_engine.hostDiscards(m.seat, m.pictures));
}

void Host::onNextHand() {
    if (!m_hosting || !m_engine.betweenHands())
        return refuse("\"i\" during a hand");
    m_engine.start(m_engine.hostNextHand());
}

void Host::onCard(const PlayCard& m) {
    const Table& t = m_engine.table();
    const int seat = m_engine.hostAwaits().cardFrom;
    if (!m_hosting || t.gamePhase != GamePhase::Play || seat < 0 || seat != t.turnSeat ||
        t.trickCardCount >= 4)
        return refuse("a card nobody was asked for");
    if (m.card < 5 * seat || m.card > 5 * seat + 4)
        return refuse("card " + std::to_string(m.card) + ", not in seat " + std::to_string(seat) +
                      "'s hand");
    if (t.CardState(m.card) == TagState::Played || t.CardState(m.card) == TagState::Thrown)
        return refuseAndAskAgain(seat, "card " + std::to_string(m.card) + ", no longer in seat " +
                                           std::to_string(seat) + "'s hand");
    const Refusal refusal =
        checkLocalPlay(handOf(t, seat).span(), t.cardAt(m.card), playContextFor(t));
    if (refusal != Refusal::None)
        return refuseAndAskAgain(seat, "card " + std::to_string(m.card) + ": " +
                                           english(refusalSaying(refusal)));
    m_engine.start(m_engine.hostPersonCard(m.card));
}

} // namespace corvane::online
