// The deal and the auction: OfflineAction, "C" and "B", the bid dialog, ComputerBidding and the
// misdeal.
#include "flow/engine.h"
#include "flow/hand_texts.h"
#include "players/bid_evaluation.h"
#include "protocol/encode.h"

#include <algorithm>

namespace corvane {

Task Engine::OfflineAction(OfflineStep action, std::string extraInfo) {
    switch (action) {
    case OfflineStep::Deal:
        co_await deal();
        break;
    case OfflineStep::Bid:
        co_await localBidShown(std::move(extraInfo));
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
    m_t.gamePhase = PhaseBidding;
    m_t.bidTurnSeat = m_t.dealerSeat;
    m_t.highBid = 0;
    m_t.bidsMade = 0;
    m_dealing = false;
    co_await ComputerBidding();
}

// --- The local player's bid ------------------------------------------------------------------

void Engine::setUpBidDialog() {
    auto& dialog = m_t.bidDialog;
    dialog.enabled = allowedBids(m_t, m_t.localSeat);
    dialog.visible = true;
}

bool Engine::clickBid(int index) {
    if (index < 0 || index > 3 || !m_t.bidDialog.visible ||
        !m_t.bidDialog.enabled[static_cast<size_t>(index)] || m_t.gamePhase != PhaseBidding)
        return false;
    dismissAdvice();
    run(bidClicked(index));
    return true;
}

Task Engine::bidClicked(int index) {
    auto& label = m_t.lblBid[0];
    label.caption = index == 0 ? "Pass" : std::to_string(15 + 5 * index);
    label.visible = true;
    if (bidValue(label.caption) > m_t.highBid) {
        m_t.highBid = bidValue(label.caption);
        m_t.bidderSeat = m_t.online ? m_t.localSeat : 0;
    }
    stopTimeout();
    if (m_t.online) {
        m_t.bidDialog.visible = false;
        const int value = bidValue(label.caption);
        sendToHost(protocol::PlayerBid{m_t.localSeat, value == 0 ? protocol::Bid::passed()
                                                                 : protocol::Bid::of(value)});
        co_return;
    }
    co_await OfflineAction(OfflineStep::Bid, label.caption.substr(0, 2));
}

Task Engine::localBidShown(std::string extraInfo) {
    m_t.bidDialog.visible = false;
    if (m_t.bidsMade == 0) {
        for (int s = 0; s < SeatCount; ++s) {
            m_t.lblBid[static_cast<size_t>(s)].visible = false;
            m_t.lblBid[static_cast<size_t>(s)].color = LabelColor::Black;
        }
    }
    m_t.lblBid[static_cast<size_t>(m_t.dealerSeat)].color = LabelColor::Red;
    auto& label = m_t.lblBid[0];
    label.caption = extraInfo.substr(0, 2) == "Pa" ? "Pass" : extraInfo.substr(0, 2);
    label.tag.clear();
    label.visible = true;
    notify([&](TableObserver& o) { o.onBid(0, label.caption, -1); });
    ++m_t.bidsMade;
    co_await ComputerBidding();
}

// --- The auction -----------------------------------------------------------------------------

const std::string& Engine::computerBid(int seat) {
    auto& label = m_t.lblBid[static_cast<size_t>(seat)];
    const BidChoice choice = m_players.bid(m_t, seat, m_t.highBid, m_t.bidderSeat);
    const int bestSuit = choice.suit;
    label.caption = choice.bid;
    label.tag = std::to_string(bestSuit);
    label.visible = true;
    notify([&](TableObserver& o) { o.onBid(seat, label.caption, bestSuit); });
    return label.caption;
}

Task Engine::ComputerBidding() {
    for (;;) {
        if (m_t.bidsMade < 4) {
            m_t.bidTurnSeat = nextSeat(m_t.bidTurnSeat);
        } else {
            if (m_t.highBid == 0)
                break;
            m_t.bidTurnSeat = m_t.bidTurnSeat == m_t.dealerSeat ? m_t.bidderSeat : m_t.dealerSeat;
            if (auctionOver(m_t)) {
                co_await EndAuction();
                co_return;
            }
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
    for (int s = 0; s < SeatCount; ++s) {
        m_t.lblBid[static_cast<size_t>(s)].visible = false;
        m_t.lblBid[static_cast<size_t>(s)].color = LabelColor::Black;
    }
    m_t.dealerSeat = nextSeat(m_t.dealerSeat);
    m_t.lblBid[static_cast<size_t>(m_t.dealerSeat)].color = LabelColor::Red;
    m_t.gamePhase = PhaseIdle;
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
    const std::string message = handText::misdeal(
        m_t.dealerSeat == 0 ? std::string()
                            : m_t.lblPlayerName[static_cast<size_t>(m_t.dealerSeat)].caption);
    co_await MessageButton(message);
}

} // namespace corvane
