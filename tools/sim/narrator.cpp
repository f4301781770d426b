#include "tools/sim/narrator.h"

namespace corvane {

std::string Narrator::name(int seat) const {
    return m_names(seat);
}

std::string Narrator::says(int seat, const char* verb, const char* itself) const {
    // The player's own seat is "You", who "deal" and "go".
    const std::string who = name(seat);
    return who + ' ' + (who == "You" ? verb : itself);
}

void Narrator::onDeal(int dealer, const std::array<int, 52>&) {
    std::fprintf(m_out, "\nHand %d, %s.\n  Bids:", ++m_hand, says(dealer, "deal", "deals").c_str());
}

void Narrator::onBid(int seat, Bid bid, int) {
    std::fprintf(m_out, " %s %s;", name(seat).c_str(), bid.word().c_str());
}

void Narrator::onMisdeal(int dealer) {
    std::fprintf(m_out, "\n  Everybody passed: %s for a misdeal.\n",
                 says(dealer, "call", "calls").c_str());
}

void Narrator::onTrump(int bidder, int suit, int bid) {
    std::fprintf(m_out, "\n  %s %d on %s\n", says(bidder, "go", "goes").c_str(), bid,
                 SuitSentenceName(suit).c_str());
}

void Narrator::onPlay(int seat, int, Card card) {
    m_trick += (m_trick.empty() ? "" : ", ") + name(seat) + " " + shortName(card);
}

void Narrator::onTrick(int winner, int units) {
    std::fprintf(m_out, "  Trick: %s -> %s%s\n", m_trick.c_str(), name(winner).c_str(),
                 units == 2 ? " (top card)" : "");
    m_trick.clear();
}

void Narrator::onHand(const HandResult& r) {
    std::fprintf(m_out, "  %s  We %d, They %d.\n", r.message.c_str(), r.scores[0], r.scores[1]);
}

void Narrator::onGameEnd(int winner, std::array<int, 2> scores) {
    std::fprintf(m_out, "\nGame over: %s win %d to %d.\n", winner == 0 ? "We" : "They",
                 scores[winner], scores[1 - winner]);
}

} // namespace corvane
