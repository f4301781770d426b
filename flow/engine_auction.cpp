// The deal and the auction: OfflineAction, "C" and "B", the bid dialog, ComputerBidding and the
// misdeal.
#include "flow/engine.h"
#include "players/bid_evaluation.h"
#include "protocol/encode.h"
#include "table/hand_rules.h"
#include "table/saying.h"

#include <algorithm>

namespace corvane {

Task Engine::OfflineAction(OfflineStep action, std::string extraInfo) {
    switch (action) {
    case OfflineStep::Deal:
        co_await deal();
        break;
    case OfflineStep::Bid:
        co_await localBidShown(Bid::fromWord(extraInfo));
        break;
    case OfflineStep::Draw:
        co_await drawAndPlay();
        break;
    case OfflineStep::LocalTurn:
        localTurn();
        break;
    case OfflineStep::ComputerCard:
        co_await ComputerPlay(m_t.turnSeat);
        break;
    }
}

Task Engine::deal() {
    if (m_dealing)
        co_return;
    m_dealing = true;
    m_record.clear();
    Shuffle();
    std::array<int, 52> shuffled{};
    std::copy_n(m_t.deck.begin(), 52, shuffled.begin());
    notify([&](TableObserver& o) { o.onDeal(m_t.dealerSeat, shuffled); });

    const auto dealt =
        std::span<const int>(m_t.deck).first(static_cast<size_t>(m_t.lastPicture()) + 1);
    m_t.dealString = protocol::dealString(dealt);
    // The local seat's hand lands on pictures 0-4 and the other hands follow round the table.
    for (int i = 0; i <= m_t.lastPicture(); ++i) {
        const int card = i >= KittyFirst ? dealt[static_cast<size_t>(i)]
                                         : dealt[static_cast<size_t>((5 * m_t.localSeat + i) % 20)];
        m_t.dealToPicture(i, card, false); // shown as it glides in
    }

    // Six passes round the table from the left, the kitty last.
    for (int r = 0; r <= 5; ++r) {
        for (int j = 0; j <= 3; ++j) {
            if (r == 5 && j == 3)
                continue;
            const int i = r < 5 ? (5 * j + r + 5) % 20 : KittyFirst + j;
            auto& p = m_t.picCard[static_cast<size_t>(i)];
            const Point home = p.position;
            p.visible = true;
            co_await glide(i, dealStart(m_t.dealerSeat, home));
            co_await pause(150);
        }
    }
    const int faceUpLast = m_t.tutorialMode ? m_t.lastPicture() : 4;
    for (int i = 0; i <= faceUpLast; ++i)
        m_t.FlipCard(i);

    m_t.tricksPlayed = 0;
    m_t.gamePhase = GamePhase::Bidding;
    m_t.seatBid = {};
    m_t.bidTurnSeat = m_t.dealerSeat;
    m_t.highBid = 0;
    m_t.bidsMade = 0;
    m_dealing = false;
    co_await ComputerBidding();
}

// --- The local player's bid ------------------------------------------------------------------

void Engine::setUpBidDialog() {
    m_t.localChoice = LocalChoice::Bid;
}

bool Engine::clickBid(int index) {
    if (index < 0 || index > 3 || m_t.localChoice != LocalChoice::Bid ||
        !allowedBids(m_t, m_t.localSeat)[static_cast<size_t>(index)] ||
        m_t.gamePhase != GamePhase::Bidding)
        return false;
    dismissAdvice();
    run(bidClicked(index));
    return true;
}

Task Engine::bidClicked(int index) {
    const Bid bid = Bid::atLevel(index);
    m_t.seatBid[static_cast<size_t>(m_t.localSeat)] = bid;
    if (bid.points() > m_t.highBid) {
        m_t.highBid = bid.points();
        m_t.bidderSeat = m_t.localSeat;
    }
    stopTimeout();
    if (m_t.online) {
        m_t.localChoice = LocalChoice::None;
        sendToHost(protocol::PlayerBid{m_t.localSeat, wireBid(bid)});
        co_return;
    }
    co_await localBidShown(bid);
}

Task Engine::localBidShown(Bid bid) {
    m_t.localChoice = LocalChoice::None;
    m_t.seatBid[0] = bid;
    m_t.computerTrump[0] = 0;
    notify([&](TableObserver& o) { o.onBid(0, bid, -1); });
    ++m_t.bidsMade;
    co_await ComputerBidding();
}

// --- The auction -----------------------------------------------------------------------------

Bid Engine::computerBid(int seat) {
    const BidChoice choice = m_players.bid(m_t, seat, m_t.highBid, m_t.bidderSeat);
    const int bestSuit = choice.suit;
    m_t.seatBid[static_cast<size_t>(seat)] = choice.bid;
    m_t.computerTrump[static_cast<size_t>(seat)] = bestSuit;
    notify([&](TableObserver& o) { o.onBid(seat, choice.bid, bestSuit); });
    return choice.bid;
}

Task Engine::ComputerBidding() {
    for (;;) {
        const AuctionStep step = nextAuctionStep(m_t);
        if (step == AuctionStep::Misdeal)
            break;
        if (step == AuctionStep::End) {
            co_await EndAuction();
            co_return;
        }
        co_await pause(m_t.speedDelay);
        if (m_t.bidTurnSeat == 0) {
            setUpBidDialog();
            co_return;
        }
        const int s = m_t.bidTurnSeat;
        computerBid(s);
        ++m_t.bidsMade;
    }

    // Everybody passed: the hand is thrown in and the next dealer deals.
    co_await CallMisdeal();
    m_t.seatBid = {};
    m_t.dealerSeat = nextSeat(m_t.dealerSeat);
    m_t.gamePhase = GamePhase::Idle;
    m_t.trickCardCount = 4;
    co_await PlayLoop();
}

Task Engine::CallMisdeal() {
    for (int i = 0; i <= m_t.lastPicture(); ++i)
        if (m_t.CardState(i) == TagState::Down)
            m_t.FlipCard(i);
    notify([&](TableObserver& o) { o.onMisdeal(m_t.dealerSeat); });
    if (m_t.netRole == 2) {
        // Every seat, the host's own view included, shows the misdeal from "N"; the table does
        // not stop for anyone's click.
        sendToSeats(protocol::Misdeal{});
        co_return;
    }
    const Saying message = Saying::withName(
        Said::Misdeal,
        m_t.dealerSeat == 0 ? std::string() : m_t.seats[static_cast<size_t>(m_t.dealerSeat)].name);
    co_await MessageButton(message);
}

} // namespace corvane
