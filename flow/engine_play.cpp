// Trick play: PlayLoop, the local player's turn and click, a computer seat's card, and placing a
// card into the trick.
#include "cards/card_value.h"
#include "flow/engine.h"
#include "players/card_play.h"
#include "table/hand_rules.h"

namespace corvane {

Task Engine::PlayLoop() {
    for (;;) {
        if (m_t.trickCardCount == 4)
            break;
        // The phase is tested before the turn: a hand that has just ended must not leave the
        // local player's name marked for a turn in the next hand.
        if (m_t.gamePhase != GamePhase::Play)
            break;
        if (m_t.turnSeat == 0) {
            co_await OfflineAction(OfflineStep::LocalTurn);
            break;
        }
        co_await OfflineAction(OfflineStep::ComputerCard);
        if (m_t.gamePhase != GamePhase::Play)
            break;
    }
    if (m_t.gamePhase == GamePhase::Idle) {
        if (m_gameWon) {
            // A new game waits for its first "&Deal", like every new game.
            m_gameWon = false;
            co_return;
        }
        co_await OfflineAction(OfflineStep::Deal);
    }
}

void Engine::hideTrickCards() {
    for (int s = 0; s < SeatCount; ++s) {
        const int played = m_t.trickSeatCard[static_cast<size_t>(s)];
        if (played != -1)
            m_t.picCard[static_cast<size_t>(m_t.localPicture(played))].visible = false;
    }
}

void Engine::localTurn() {
    if (m_t.trickCardCount == 0 && m_t.tricksPlayed > 1)
        hideTrickCards();
    m_t.awaitedSeat = m_t.localSeat;
}

void Engine::PlayCard(int seat, int cardIdx, int& cardsPlayed) {
    const int picture = m_t.localPicture(cardIdx);
    m_t.picCard[static_cast<size_t>(picture)].state = TagState::Played;
    m_t.trickSeatCard[static_cast<size_t>(seat & 3)] = cardIdx;
    m_record.notePlay(seat, m_t.cardAt(picture));
    if (cardsPlayed == 0)
        m_t.ledCard = cardIdx;
}

Task Engine::ComputerPlay(int& seat) {
    const int card = m_players.card(m_t, m_record, seat);
    co_await pause(m_t.speedDelay);

    auto& p = m_t.picCard[static_cast<size_t>(card)];
    p.position = trickPosition(seat);
    m_t.bringToFront(card);
    p.visible = true;
    PlayCard(seat, m_t.hostPicture(card), m_t.trickCardCount);
    notify([&](TableObserver& o) { o.onPlay(seat, card, p.card); });
    co_await countInTrick(seat, card);
}

Task Engine::countInTrick(int& seat, int card) {
    if (!takeIntoTrick(m_t, card)) {
        if (m_t.awaitedSeat == seat)
            m_t.awaitedSeat = NoSeat;
        seat = nextSeat(seat);
    } else {
        ++m_t.tricksPlayed;
        co_await FinishTrick();
        m_t.trickCardCount = 0;
    }
}

// --- The local player's card -----------------------------------------------------------------

Refusal Engine::pointerRefusal(int picture) const {
    if (picture < 0 || picture > 4 || m_t.gamePhase != GamePhase::Play)
        return Refusal::None;
    return checkLocalPlay(localHand().span(), m_t.cardAt(picture), playContext());
}

void Engine::clickCard(int picture) {
    if (picture < 0 || picture > m_t.lastPicture())
        return;
    run(cardClick(picture));
}

bool Engine::discardMarkable(int picture) const {
    if (m_t.gamePhase != GamePhase::Discard || picture < 0 || picture > m_t.lastPicture())
        return false;
    if (picture >= 5 && picture <= 19)
        return false;
    return picture < KittyFirst || (m_t.trumpNamed && m_t.localSeat == m_t.bidderSeat);
}

Task Engine::cardClick(int index) {
    if (m_t.gamePhase == GamePhase::Discard) {
        if (discardMarkable(index))
            toggleDiscardMark(index);
        co_return;
    }
    if (m_t.gamePhase != GamePhase::Play || m_t.awaitedSeat != m_t.localSeat)
        co_return;
    // Only the local player's own cards still in hand can be played; a click elsewhere on the
    // table is ignored.
    if (index < 0 || index > 4 || m_t.CardState(index) == TagState::Played ||
        m_t.CardState(index) == TagState::Thrown)
        co_return;
    if (!m_t.online)
        m_t.cardsBeforeMe = m_t.trickCardCount;
    const Refusal refusal = checkLocalPlay(localHand().span(), m_t.cardAt(index), playContext());
    if (refusal != Refusal::None) {
        const Saying refused = refusalSaying(refusal);
        co_await advise(refused);
        co_return;
    }
    dismissAdvice();

    auto& p = m_t.picCard[static_cast<size_t>(index)];
    p.position = trickPosition(0);
    m_t.bringToFront(index);
    p.visible = true;
    m_t.awaitedSeat = NoSeat;
    stopTimeout();
    if (m_t.trickCardCount == 0 && m_t.tricksPlayed > 1)
        hideTrickCards();

    // Online the trick is kept from the host's "F", which comes back for this card too: counting
    // it here as well would count it twice.
    if (!m_t.online) {
        PlayCard(0, m_t.hostPicture(index), m_t.trickCardCount);
        notify([&](TableObserver& o) { o.onPlay(m_t.localSeat, index, p.card); });
        if (!takeIntoTrick(m_t, index)) {
            m_t.turnSeat = nextSeat(m_t.turnSeat);
            m_t.awaitedSeat = m_t.turnSeat;
        } else {
            ++m_t.tricksPlayed;
            if (!m_t.online)
                co_await FinishTrick();
            m_t.trickCardCount = 0;
        }
    }
    if (m_t.awaitedSeat == m_t.localSeat)
        m_t.awaitedSeat = NoSeat;
    if (m_t.online) {
        sendToHost(protocol::PlayCard{m_t.hostPicture(index)});
        co_return;
    }
    co_await PlayLoop();
}

} // namespace corvane
