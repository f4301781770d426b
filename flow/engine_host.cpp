// The table as its online host runs it: the host's deal and draw, its drive loop, its auction,
// trump and computer discards, its computer seats' cards, and the persons' moves once checked.
// Every step goes to the seats as a message; the seats only show what they are told.
#include "flow/engine.h"
#include "players/bid_evaluation.h"
#include "players/card_play.h"
#include "players/discard.h"
#include "protocol/encode.h"
#include "table/hand_rules.h"

#include <algorithm>

namespace corvane {

void Engine::sendToSeats(const protocol::PlayerDownMessage& message) {
    if (m_hostLink)
        m_hostLink->sendToSeats(message);
}

void Engine::sendToHost(const protocol::PlayerUpMessage& message) {
    if (m_playerLink)
        m_playerLink->sendToHost(message);
}

void Engine::ownViewChanged() {
    // Resume outside the scan: a resumed flow may add waiters of its own.
    std::vector<std::coroutine_handle<>> ready;
    for (auto it = m_viewWaiters.begin(); it != m_viewWaiters.end();) {
        if (!m_hostLink || m_hostLink->ownViewCaughtUp(it->step)) {
            ready.push_back(it->waiter);
            it = m_viewWaiters.erase(it);
        } else {
            ++it;
        }
    }
    for (auto h : ready)
        h.resume();
}

bool Engine::AllSeatsReady() const {
    for (int s = 0; s < SeatCount; ++s)
        if (seatLinked(s) && !m_seatReady[static_cast<size_t>(s)])
            return false;
    return true;
}

void Engine::becomeHost() {
    m_t.netRole = 2;
    m_t.online = true;
    m_t.localSeat = 0;
    m_t.dealerSeat = m_random.below(4);
    m_t.trickWinnerCard = -1;
    for (size_t i = 0; i < PictureCount; ++i) {
        m_t.homeLeft[i] = homePosition(static_cast<int>(i)).left;
        m_t.homeTop[i] = homePosition(static_cast<int>(i)).top;
    }
    for (size_t s = 0; s < SeatCount; ++s)
        m_t.trickSeatCard[s] = -1;
    m_t.trumpNamed = false;
    m_t.buttonMode = ButtonMode::Hidden;
    m_t.anyBidAllowed = false; // online the five rule is always on
    Shuffle();
}

void Engine::personTakesSeat(int seat, const std::string& name) {
    auto& holder = m_t.seats[static_cast<size_t>(seat)];
    holder.occupant = Occupant::Person;
    if (holder.name == name)
        return;
    m_names.putBack(holder.name);
    holder.name = name;
}

void Engine::computerTakesSeat(int seat) {
    auto& holder = m_t.seats[static_cast<size_t>(seat)];
    holder.occupant = Occupant::Computer;
    holder.name = m_names.draw(m_random);
}

// --- The drive loop --------------------------------------------------------------------------

Task Engine::HostLoop() {
    for (;;) {
        switch (m_t.gamePhase) {
        case GamePhase::Idle:
            // A won game waits for the next "i", as a new game waits for its first deal.
            if (m_gameWon || m_dealing)
                co_return;
            hostDeal();
            co_await HostBidding();
            co_return;
        case GamePhase::DrawWait:
            hostDraw();
            break;
        case GamePhase::Play:
            if (m_t.trickCardCount == 4)
                co_return; // a trick is being closed
            if (seatLinked(m_t.turnSeat)) {
                m_awaits.cardFrom = m_t.turnSeat;
                sendToSeats(protocol::YourTurn{m_t.turnSeat});
                co_return;
            }
            co_await HostComputerPlay(m_t.turnSeat);
            break;
        default:
            // Bidding is driven by HostBidding; the discard waits for the seats' "r".
            co_return;
        }
    }
}

void Engine::hostDeal() {
    // The deck as it stands: it was shuffled when the table opened or the last hand ended.
    std::array<int, 52> deck{};
    std::copy_n(m_t.deck.begin(), 52, deck.begin());
    notify([&](TableObserver& o) { o.onDeal(m_t.dealerSeat, deck); });
    std::vector<int> dealt;
    for (int i = 0; i <= m_t.lastPicture(); ++i) {
        const int card = m_t.deck[static_cast<size_t>(i)];
        dealt.push_back(card);
        m_t.dealToPicture(i, card, true);
    }
    m_t.dealString = protocol::dealString(dealt);
    m_t.seatBid = {};
    m_seatReady = {};
    m_awaits = {};
    sendToSeats(protocol::Cards{dealt});
    // StartAuction.
    m_t.bidTurnSeat = m_t.dealerSeat;
    m_t.gamePhase = GamePhase::Bidding;
    m_t.highBid = 0;
    m_t.bidsMade = 0;
    m_t.tricksPlayed = 0;
}

void Engine::hostDraw() {
    for (int i = 0; i <= 19; ++i) {
        if (m_t.CardState(i) != TagState::Thrown)
            continue;
        drawFromStock(m_t, i, hostStockPlace(i));
        const auto& p = m_t.picCard[static_cast<size_t>(i)];
        ++m_t.drawCount[static_cast<size_t>(i / 5)];
        notify([&](TableObserver& o) { o.onDraw(i, p.card); });
    }
    std::vector<int> hands;
    for (int i = 0; i <= 19; ++i)
        hands.push_back(m_t.cardAt(i).deckIndex());
    m_t.dealString = protocol::dealString(hands);
    sendToSeats(protocol::Cards{hands});
    startTrickPlay(m_t);
}

// --- The auction -----------------------------------------------------------------------------

Task Engine::HostBidding(bool askAgain) {
    for (;;) {
        if (!askAgain) {
            const AuctionStep step = nextAuctionStep(m_t);
            if (step == AuctionStep::Misdeal)
                break;
            if (step == AuctionStep::End) {
                co_await HostEndAuction();
                co_return;
            }
            co_await pause(m_t.speedDelay);
        }
        askAgain = false;
        const int s = m_t.bidTurnSeat;
        if (seatLinked(s)) {
            m_awaits.bidFrom = s;
            m_hostLink->sendToSeat(s, protocol::YourBid{m_t.dealerSeat, m_t.highBid});
            co_return;
        }
        sendToSeats(protocol::BidMade{s, wireBid(computerBid(s))});
        ++m_t.bidsMade;
    }

    // Everybody passed.
    co_await CallMisdeal();
    m_t.seatBid = {};
    m_t.dealerSeat = nextSeat(m_t.dealerSeat);
    Shuffle();
    m_t.dealString.clear();
    m_t.gamePhase = GamePhase::Idle;
    co_await HostLoop();
}

Task Engine::hostPersonBid(int seat, Bid bid) {
    m_awaits.bidFrom = -1;
    m_t.seatBid[static_cast<size_t>(seat)] = bid;
    m_t.computerTrump[static_cast<size_t>(seat)] = 0;
    if (bid.points() > m_t.highBid) {
        m_t.highBid = bid.points();
        m_t.bidderSeat = seat;
    }
    notify([&](TableObserver& o) { o.onBid(seat, bid, -1); });
    sendToSeats(protocol::BidMade{m_t.bidTurnSeat, wireBid(bid)});
    ++m_t.bidsMade;
    co_await HostBidding();
}

// --- Trump and the discard -------------------------------------------------------------------

Task Engine::HostEndAuction() {
    m_t.gamePhase = GamePhase::Discard;
    settleBidder(m_t);
    if (!seatLinked(m_t.bidderSeat))
        co_await pause(m_t.speedDelay);
    // A person who sat down at the bidder's seat while its computer thought names trump.
    if (seatLinked(m_t.bidderSeat)) {
        m_awaits.trump = true;
        m_hostLink->sendToSeat(m_t.bidderSeat, protocol::ChooseTrump{});
        co_return;
    }
    m_t.trumpSuit = m_t.computerTrump[static_cast<size_t>(m_t.bidderSeat)];
    showTrump();
    HostComputerDiscard();
}

Task Engine::hostTrumpNamed(int suit) {
    m_awaits.trump = false;
    m_t.trumpSuit = suit;
    showTrump();
    HostComputerDiscard();
    co_return;
}

void Engine::HostComputerDiscard() {
    std::vector<int> list;
    for (int s = 0; s < SeatCount; ++s) {
        if (seatLinked(s))
            continue;
        const std::vector<int> thrown = throwComputerCards(s);
        list.insert(list.end(), thrown.begin(), thrown.end());
    }
    std::sort(list.begin(), list.end());
    m_seatReady = {};
    sendToSeats(protocol::DiscardPhase{list, m_t.trumpSuit, m_t.highBid, m_t.bidderSeat});
    // With no person left to discard, nobody would ever send "r": draw at once.
    if (AllSeatsReady()) {
        TakeKitty();
        m_t.gamePhase = GamePhase::DrawWait;
        run(HostLoop());
    }
}

Task Engine::hostDiscards(int seat, std::vector<int> slots) {
    m_seatReady[static_cast<size_t>(seat)] = true;
    for (int slot : slots) {
        m_t.picCard[static_cast<size_t>(slot)].visible = false;
        if (m_t.CardState(slot) != TagState::Thrown)
            m_t.MarkDiscard(slot);
    }
    notify([&](TableObserver& o) { o.onDiscard(seat, slots); });
    if (!AllSeatsReady())
        co_return;
    m_seatReady = {};
    TakeKitty();
    m_t.gamePhase = GamePhase::DrawWait;
    co_await HostLoop();
}

// --- Play ------------------------------------------------------------------------------------

Task Engine::HostComputerPlay(int& seat) {
    // The same pace as a computer seat standalone: a person can follow each card.
    co_await pause(m_t.speedDelay);
    if (m_t.gamePhase != GamePhase::Play || m_t.trickCardCount >= 4 || seatLinked(seat))
        co_return;
    const int card = m_players.card(m_t, m_record, seat);
    if (card < 0)
        co_return;
    PlayCard(seat, card, m_t.trickCardCount);
    notify([&](TableObserver& o) { o.onPlay(seat, card, m_t.cardAt(card)); });
    sendToSeats(protocol::CardPlayed{card});
    co_await countInTrick(seat, card);
}

Task Engine::hostPersonCard(int card) {
    m_awaits.cardFrom = -1;
    const int seat = m_t.turnSeat;
    sendToSeats(protocol::CardPlayed{card});
    PlayCard(seat, card, m_t.trickCardCount);
    notify([&](TableObserver& o) { o.onPlay(seat, card, m_t.cardAt(card)); });
    co_await countInTrick(m_t.turnSeat, card);
    co_await HostLoop();
}

// --- Between hands and lost seats ------------------------------------------------------------

Task Engine::hostNextHand() {
    m_gameWon = false;
    Shuffle();
    m_t.dealString.clear();
    m_t.dealerSeat = m_random.below(4);
    co_await HostLoop();
}

Task Engine::hostSeatLost(int seat) {
    if (m_awaits.bidFrom == seat)
        m_awaits.bidFrom = -1;
    if (m_awaits.cardFrom == seat)
        m_awaits.cardFrom = -1;
    ownViewChanged(); // the host's own seat may be the one that left
    if (m_t.gamePhase == GamePhase::Play && seat == m_t.turnSeat && m_t.trickCardCount < 4) {
        co_await HostComputerPlay(m_t.turnSeat);
        co_await HostLoop();
    } else if (m_t.gamePhase == GamePhase::Bidding && seat == m_t.bidTurnSeat) {
        co_await HostBidding(true);
    } else if (m_t.gamePhase == GamePhase::Discard && m_awaits.trump && seat == m_t.bidderSeat) {
        // The bidder left before naming trump: the computer names the suit it would have bid.
        m_awaits.trump = false;
        int bestSuit = 0;
        int high = m_t.highBid;
        int bidder = m_t.bidderSeat;
        BidEvaluation(m_t, 5 * seat, 5 * seat + 4, high, bidder, bestSuit, m_t.dealerSeat, seat);
        co_await hostTrumpNamed(bestSuit);
    } else if (m_t.gamePhase == GamePhase::Discard && !m_awaits.trump && AllSeatsReady()) {
        // The last seat still discarding left: nobody else will send "r".
        m_seatReady = {};
        TakeKitty();
        m_t.gamePhase = GamePhase::DrawWait;
        co_await HostLoop();
    }
}

} // namespace corvane
