// Follows the engine's steps into the history. The deal puts deck entry i on picture i (the
// table that runs the game is seat 0); the kitty and the draw then change what the pictures hold.
#include "flow/history_recorder.h"

namespace corvane {

void HistoryRecorder::onDeal(int dealer, const std::array<int, 52>& deck) {
    std::array<std::string, 4> names;
    for (size_t s = 0; s < 4; ++s)
        names[s] = m_table.seats[s].name;
    RecordedHand& h = startHand(dealer, names);
    for (size_t i = 0; i < m_pictures.size(); ++i)
        m_pictures[i] = Card::fromDeckIndex(deck[i]);
    for (size_t s = 0; s < 4; ++s)
        for (size_t k = 0; k < 5; ++k)
            h.dealt[s][k] = m_pictures[5 * s + k];
    for (size_t k = 0; k < 3; ++k)
        h.kitty[k] = m_pictures[20 + k];
    changed();
}

void HistoryRecorder::onBid(int seat, Bid bid, int) {
    if (RecordedHand* h = hand()) {
        h->bids.push_back({seat, bid.word()});
        changed();
    }
}

void HistoryRecorder::onMisdeal(int) {
    if (RecordedHand* h = hand()) {
        h->stage = HandStage::Misdealt;
        changed();
    }
}

void HistoryRecorder::onTrump(int bidder, int suit, int bid) {
    if (RecordedHand* h = hand()) {
        h->bidder = bidder;
        h->trump = suit;
        h->bid = bid;
        h->stage = HandStage::Discard;
        changed();
    }
}

void HistoryRecorder::onKitty(const std::vector<int>&,
                              const std::vector<std::pair<int, int>>& moved) {
    for (const auto& [from, to] : moved)
        if (from >= 0 && from < 23 && to >= 0 && to < 23)
            m_pictures[static_cast<size_t>(to)] = m_pictures[static_cast<size_t>(from)];
}

void HistoryRecorder::onDraw(int picture, Card card) {
    if (picture >= 0 && picture < 20)
        m_pictures[static_cast<size_t>(picture)] = card;
}

void HistoryRecorder::onPlay(int seat, int, Card card) {
    RecordedHand* h = hand();
    if (!h)
        return;
    if (h->stage != HandStage::Play) {
        // The first card: every hand is as the draw left it.
        h->stage = HandStage::Play;
        for (size_t s = 0; s < 4; ++s)
            for (size_t k = 0; k < 5; ++k)
                h->held[s][k] = m_pictures[5 * s + k];
    }
    played(seat, card);
}

void HistoryRecorder::onHand(const HandResult& r) {
    const int points = r.made ? (r.bid < 30 ? r.counted : 60) : r.bid;
    scored(r.made, r.counted, points, r.scores);
}

} // namespace corvane
