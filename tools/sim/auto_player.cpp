#include "tools/sim/auto_player.h"

#include "table/hand_rules.h"

namespace corvane {

bool AutoPlayer::act(bool dealNewGame) {
    const Table& t = m_engine.table();
    if (t.buttonMode == ButtonMode::Message) {
        m_engine.clickButton(1);
        return true;
    }
    if (t.localChoice == LocalChoice::Bid) {
        bid();
        return true;
    }
    if (t.localChoice == LocalChoice::Trump) {
        m_engine.clickTrump(m_lastHintSuit);
        return true;
    }
    if (t.buttonMode == ButtonMode::Discard && t.gamePhase == GamePhase::Discard) {
        discard();
        m_engine.clickButton(1); // Deal: the discard is done
        return true;
    }
    if (t.gamePhase == GamePhase::Play && t.awaitedSeat == t.localSeat) {
        play();
        return true;
    }
    if (t.buttonMode == ButtonMode::Deal && t.gamePhase == GamePhase::Idle && dealNewGame) {
        m_engine.clickButton(1);
        return true;
    }
    return false;
}

void AutoPlayer::discard() {
    const Table& t = m_engine.table();
    const std::optional<unsigned> keep = m_engine.computerPlayers().keep(t, 0);
    if (!keep) {
        m_engine.clickButton(0); // Auto-Discard
        return;
    }
    // Marks every card the seat's level throws away: its hand, and the kitty it bid for.
    const bool kitty = t.localSeat == t.bidderSeat && t.trumpNamed;
    for (int i = 0; i < 5; ++i)
        if (!((*keep >> i) & 1u))
            m_engine.clickCard(i);
    for (int i = KittyFirst; kitty && i <= t.lastPicture(); ++i)
        if (!((*keep >> (5 + i - KittyFirst)) & 1u))
            m_engine.clickCard(i);
}

void AutoPlayer::bid() {
    const Table& t = m_engine.table();
    // The advice at the level of seat 0: the hint's own at Standard.
    int highBid = t.highBid;
    int bidder = t.bidderSeat;
    const BidChoice hint = m_engine.computerPlayers().bid(t, 0, highBid, bidder);
    m_lastHintSuit = hint.suit;
    int index = hint.bid.level();
    if (index < 0 || index > 3 || !allowedBids(t, t.localSeat)[static_cast<size_t>(index)])
        index = 0;
    m_engine.clickBid(index);
}

void AutoPlayer::play() {
    int card = m_engine.computerPlayers().card(m_engine.table(), m_engine.handRecord(), 0);
    if (m_engine.pointerRefusal(card) != Refusal::None) {
        // The hint follows the computer's rules, which are never looser than a person's; should
        // they ever disagree, play the first card the table accepts.
        ++m_refusedHints;
        for (int i = 0; i <= 4; ++i) {
            if (m_engine.table().CardState(i) != TagState::Played &&
                m_engine.pointerRefusal(i) == Refusal::None) {
                card = i;
                break;
            }
        }
    }
    m_engine.clickCard(card);
}

} // namespace corvane
