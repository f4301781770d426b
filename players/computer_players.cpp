#include "players/computer_players.h"

#include "players/bid_evaluation.h"
#include "players/card_play.h"
#include "players/expert_discard.h"
#include "players/hints.h"
#include "players/master_bid.h"
#include "players/master_play.h"
#include "table/table.h"

namespace corvane {

namespace {

// "N of 10": short enough for the button window whatever the effort.
int inTen(int count, int samples) {
    return (20 * count + samples) / (2 * samples);
}

void giveCardReason(const ExpertCard& c, Saying& s) {
    if (c.samples == 0) {
        s.reason = HintReason::OnlyCard;
    } else if (2 * c.takes >= c.samples) {
        s.reason = HintReason::Takes;
        s.inTen = inTen(c.takes, c.samples);
    } else if (2 * c.partnerTakes >= c.samples) {
        s.reason = HintReason::PartnerTakes;
        s.inTen = inTen(c.partnerTakes, c.samples);
    } else {
        s.reason = HintReason::GivesLeast;
    }
}

} // namespace

ComputerLevel ComputerPlayers::level(const Table& table, int seat) const {
    const auto& own = m_seatLevels[static_cast<size_t>(seat & 3)];
    if (own)
        return *own;
    return table.computerLevel;
}

const ExpertEffort& ComputerPlayers::effort(int seat) const {
    const auto& own = m_seatEfforts[static_cast<size_t>(seat & 3)];
    return own ? *own : m_effort;
}

std::optional<unsigned> ComputerPlayers::keep(const Table& table, int seat) const {
    const ComputerLevel at = level(table, seat);
    if (at == ComputerLevel::Master)
        return masterKeep(table, seat, effort(seat));
    if (at != ComputerLevel::Expert || !effort(seat).sampledDiscard)
        return std::nullopt;
    return expertKeep(table, seat, effort(seat));
}

ExpertCard ComputerPlayers::sampledCard(const Table& table, const HandRecord& record, int seat,
                                        const ExpertEffort& effort) const {
    return level(table, seat) == ComputerLevel::Master ? masterCard(table, record, seat, effort)
                                                       : expertCard(table, record, seat, effort);
}

ExpertBid ComputerPlayers::sampledBid(const Table& table, int seat,
                                      const ExpertEffort& effort) const {
    return level(table, seat) == ComputerLevel::Master ? masterBid(table, seat, effort)
                                                       : expertBid(table, seat, effort);
}

int ComputerPlayers::card(const Table& table, const HandRecord& record, int seat) const {
    if (level(table, seat) != ComputerLevel::Standard) {
        const int picture = sampledCard(table, record, seat, effort(seat)).picture;
        if (picture >= 0)
            return picture;
    }
    return ChooseCard(table, seat, table.trumpSuit, table.trickWinnerCard);
}

BidChoice ComputerPlayers::bid(const Table& table, int seat, int& highBid, int& highBidder) const {
    BidChoice choice;
    if (level(table, seat) != ComputerLevel::Standard) {
        const ExpertBid e = sampledBid(table, seat, effort(seat));
        choice.bid = e.bid;
        choice.suit = e.suit;
        if (e.bid.points() > highBid) {
            highBid = e.bid.points();
            highBidder = seat;
        }
        return choice;
    }
    choice.bid = BidEvaluation(table, 5 * seat, 5 * seat + 4, highBid, highBidder, choice.suit,
                               table.dealerSeat, seat);
    return choice;
}

Saying ComputerPlayers::hintSentence(const Table& table, const HandRecord& record) const {
    const int seat = table.localSeat;
    if (level(table, seat) == ComputerLevel::Standard)
        return corvane::hintSentence(table);
    if (table.gamePhase == GamePhase::Bidding) {
        const ExpertBid e = sampledBid(table, seat, m_effort);
        if (e.bid.points() == 0)
            return Said::HintPass;
        Saying s = Saying::withSuit(Said::HintBid, e.suit);
        s.number = e.bid.points();
        s.reason = HintReason::MadeIn;
        s.inTen = inTen(e.makes, e.samples);
        return s;
    }
    if (table.gamePhase == GamePhase::Play) {
        const ExpertCard c = sampledCard(table, record, seat, m_effort);
        if (c.picture < 0)
            return corvane::hintSentence(table);
        Saying s = Saying::withCard(Said::HintCard, table.cardAt(c.picture));
        giveCardReason(c, s);
        return s;
    }
    return corvane::hintSentence(table);
}

} // namespace corvane
