// The end of a trick and of a hand: crediting the trick, the pause, the score, the end of the
// game and the table cleared for the next deal.
#include "cards/card_value.h"
#include "flow/engine.h"
#include "table/glide.h"
#include "table/hand_rules.h"
#include "table/saying.h"

namespace corvane {

Task Engine::FinishTrick() {
    if (const TrickCredit credit = creditTrick(m_t); credit.seat != NoSeat) {
        if (m_t.online)
            sendToSeats(protocol::TrickWon{credit.seat});
        notify([&](TableObserver& o) { o.onTrick(credit.seat, credit.units); });
    }
    m_t.gamePhase = GamePhase::Play;
    if (m_t.online) {
        // The host's own view shows the trick; the table goes on once it has taken it in.
        co_await ViewAwaiter{this, HostLink::ViewStep::Trick};
    } else {
        co_await pause(TrickPause);
    }

    // Nobody is to play until the winner leads again, or at all once the hand is over.
    m_t.awaitedSeat = NoSeat;
    if (m_t.tricksPlayed != 5) {
        m_t.trickCardCount = 0;
        m_t.trickWinnerCard = -1;
        if (!m_t.online)
            hideTrickCards();
        co_return;
    }
    co_await settleHand();
}

Task Engine::showFinishedTrick() {
    co_await pause(TrickPause);
}

Task Engine::settleHand() {
    const int b = m_t.bidderSeat;
    const auto bidders = static_cast<size_t>(b % 2);
    const HandScore score = scoreHand(m_t);
    const bool gameWon = score.gameWon;
    m_record.noteHandEnd(m_t);

    HandResult result;
    result.bidder = b;
    result.bid = m_t.highBid;
    result.counted = score.counted;
    result.made = score.made;
    Saying said(score.made ? Said::Made : Said::WentDown, score.points);
    if (!gameWon)
        result.message = english(said);
    result.scores = m_t.score;

    if (m_t.online) {
        protocol::HandEnd end;
        end.made = result.made;
        end.points = score.points;
        end.score0 = m_t.score[0];
        end.score1 = m_t.score[1];
        notify([&](TableObserver& o) { o.onHand(result); });
        if (gameWon)
            notify([&](TableObserver& o) { o.onGameEnd(static_cast<int>(bidders), m_t.score); });
        sendToSeats(end);
        co_await ViewAwaiter{this, HostLink::ViewStep::Hand};
        if (gameWon) {
            // The next game starts from nothing and waits for a seat's "i".
            m_t.score = {0, 0};
            m_record.newGame();
            m_gameWon = true;
        }
        clearForNextHand();
        co_return;
    }

    if (gameWon) {
        const int winners = static_cast<int>(bidders);
        said = winners == 0 ? Said::GameWon : Said::GameLost;
        result.message = english(said);
        notify([&](TableObserver& o) { o.onHand(result); });
        notify([&](TableObserver& o) { o.onGameEnd(winners, result.scores); });
        if (winners == 0)
            co_await CelebrateWin();
        else
            co_await MessageButton(said);
        resetForNewGame();
        m_gameWon = true;
    } else {
        notify([&](TableObserver& o) { o.onHand(result); });
        co_await MessageButton(said);
    }
    clearForNextHand();
}

void Engine::clearForNextHand() {
    // The host's own table is never shown: its view is the host's seated player.
    if (m_t.netRole != 2) {
        putCardsAway();
        m_t.tricksWon = {};
    }
    m_t.awaitedSeat = NoSeat; // no turn is left over into the next hand
    for (size_t s = 0; s < SeatCount; ++s) {
        m_t.trickUnits[s] = 0;
        m_t.trickSeatCard[s] = -1;
        m_t.drawCount[s] = 0;
    }
    // The host deals the next hand from the deck as it stands; a standalone deal shuffles anew,
    // so only the host needs the deck shuffled here.
    if (m_t.netRole == 2)
        Shuffle();
    m_t.dealString.clear();
    m_t.topTrumpOut = 0;
    m_t.trickWinnerCard = -1;
    m_t.trumpNamed = false;
    m_t.dealerSeat = nextSeat(m_t.dealerSeat);
    m_t.gamePhase = GamePhase::Idle;
}

Task Engine::CelebrateWin() {
    // Standalone play has no table-card record of its own: the cards of the last trick, still on
    // the table, are the ones that spin off.
    for (int s = 0; s < SeatCount; ++s) {
        const int played = m_t.trickSeatCard[static_cast<size_t>(s)];
        if (played == -1)
            continue;
        const int picture = m_t.localPicture(played);
        auto& p = m_t.picCard[static_cast<size_t>(picture)];
        p.visible = true;
        m_t.bringToFront(picture);
        const Point start = p.position;
        p.position = spiralEnd(s, start);
        co_await MovementAwaiter{
            m_scheduler, Movement{Movement::Kind::Spin, picture, s, start, p.position}, this};
    }
    const Saying won(Said::GameWon);
    co_await MessageButton(won);
    m_t.score = {0, 0};
}

} // namespace corvane
