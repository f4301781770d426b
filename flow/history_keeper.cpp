// The steps every recorder shares: a new game, a new hand, a card played, a trick, a score.
#include "flow/history_keeper.h"

namespace corvane {

void HistoryKeeper::newGame() {
    if (!m_history.winner)
        m_history = {};
    changed();
}

RecordedHand& HistoryKeeper::startHand(int dealer, const std::array<std::string, 4>& names) {
    if (m_history.winner)
        m_history = {};
    m_history.names = names;
    RecordedHand& hand = m_history.hands.emplace_back();
    hand.number = static_cast<int>(m_history.hands.size());
    hand.dealer = dealer;
    return hand;
}

void HistoryKeeper::played(int seat, Card card) {
    RecordedHand* h = hand();
    if (!h)
        return;
    if (h->tricks.empty() || h->tricks.back().complete()) {
        RecordedTrick& t = h->tricks.emplace_back();
        t.leader = seat;
    }
    RecordedTrick& t = h->tricks.back();
    t.order.push_back(seat);
    t.bySeat[static_cast<size_t>(seat & 3)] = card;
    changed();
}

void HistoryKeeper::trickWon(int winner, int units) {
    RecordedHand* h = hand();
    if (!h || h->tricks.empty() || h->tricks.back().complete())
        return;
    h->tricks.back().winner = winner;
    h->tricks.back().units = units;
    changed();
}

void HistoryKeeper::scored(bool made, int counted, int points, std::array<int, 2> scores) {
    RecordedHand* h = hand();
    if (!h)
        return;
    h->made = made;
    h->counted = counted;
    h->points = points;
    h->scores = scores;
    h->stage = HandStage::Scored;
    for (const Listener& l : m_listeners)
        if (l.handScored)
            l.handScored(m_history, *h);
    changed();
}

void HistoryKeeper::won(int partnership, std::array<int, 2> scores) {
    m_history.winner = partnership;
    m_history.finalScores = scores;
    for (const Listener& l : m_listeners)
        if (l.gameWon)
            l.gameWon(m_history);
    changed();
}

void HistoryKeeper::changed() {
    for (const Listener& l : m_listeners)
        if (l.changed)
            l.changed();
}

} // namespace corvane
