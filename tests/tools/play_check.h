// The tests' one referee of legal play: for a card just played, which cards of the seat a person
// could have played, by the rules the table holds a person to. It follows the lead from trick to
// trick and across hands, as the table does.
#pragma once

#include "cards/legal_play.h"
#include "table/table.h"

#include <vector>

namespace corvane::testing {

class LegalPlayReferee {
public:
    // The lead the table keeps between hands is whatever it holds when play begins: call on the
    // deal, the draw and the kitty.
    void followTable(const Table& t) { m_lastLead = t.ledCard; }
    int lastLead() const { return m_lastLead; }

    // From TableObserver::onPlay: the seat's cards a person could have played instead of the
    // one on `picture`, as bits by slot, and whether that one was among them.
    unsigned legalSlots(const Table& t, int seat, int picture) const {
        std::vector<Card> hand;
        for (int i = 5 * seat; i < 5 * seat + 5; ++i)
            if (t.CardState(i) != TagState::Played || i == picture)
                hand.push_back(t.cardAt(i));
        const PlayContext c = contextBeforePlay(t);
        unsigned legal = 0;
        for (int k = 0; k < 5; ++k) {
            const int i = 5 * seat + k;
            if ((t.CardState(i) != TagState::Played || i == picture) &&
                checkLocalPlay(hand, t.cardAt(i), c) == Refusal::None)
                legal |= 1u << k;
        }
        return legal;
    }
    bool legal(const Table& t, int seat, int picture) const {
        return (legalSlots(t, seat, picture) >> (picture % 5)) & 1u;
    }
    // After the checks of a play: a lead becomes the lead the next trick answers.
    void played(const Table& t, int picture) {
        if (t.trickCardCount == 0)
            m_lastLead = picture;
    }

private:
    PlayContext contextBeforePlay(const Table& t) const {
        PlayContext c;
        c.trumpSuit = t.trumpSuit;
        // A lead answers the previous lead, except a hand's first, which answers nothing.
        if (t.trickCardCount != 0)
            c.ledCard = t.cardAt(t.ledCard);
        else if (t.tricksPlayed != 0)
            c.ledCard = t.cardAt(m_lastLead);
        c.trickCardCount = t.trickCardCount;
        c.cardsBeforeMe = t.trickCardCount;
        c.tricksPlayed = t.tricksPlayed;
        c.highBid = t.highBid;
        c.mustFollowSuit = t.mustFollowSuit;
        return c;
    }

    int m_lastLead = 0;
};

} // namespace corvane::testing
