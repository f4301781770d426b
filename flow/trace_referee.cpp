// The hand as the record tells it, checked against the rules' own functions: the auction's turn
// and end, the legal-play test, CardValue for the trick and the hand's scoring.
#include "flow/trace_referee.h"

#include "cards/card_value.h"
#include "cards/legal_play.h"
#include "table/hand_rules.h"
#include "table/saying.h"

#include <algorithm>
#include <bitset>

namespace corvane {

namespace {

[[noreturn]] void fault(const std::string& what) {
    throw TraceFault(what);
}

std::string seatText(int seat) {
    return "seat " + std::to_string(seat);
}

bool inHandOf(int seat, int picture) {
    return picture >= 5 * seat && picture <= 5 * seat + 4;
}

} // namespace

void TraceReferee::expect(Stage stage, const char* event) const {
    if (m_stage == stage)
        return;
    static constexpr const char* Where[] = {"before the game's first line",
                                            "between hands",
                                            "in the auction",
                                            "in the discard",
                                            "before the bidder's kitty",
                                            "in the draw",
                                            "in the middle of a trick",
                                            "after a trick's fourth card",
                                            "after the fifth trick",
                                            "after the game was won",
                                            "after the game's end"};
    fault(std::string("a ") + event + " " + Where[static_cast<size_t>(m_stage)]);
}

void TraceReferee::game(int number) {
    if (m_stage != Stage::NoGame && m_stage != Stage::GameOver)
        expect(Stage::GameOver, "new game");
    if (m_gameNumber > 0 && number != m_gameNumber + 1)
        fault("game " + std::to_string(number) + " after game " + std::to_string(m_gameNumber));
    m_gameNumber = number;
    m_scores = {0, 0};
    m_nextDealer.reset(); // a new game may start with any dealer
    m_stage = Stage::BetweenHands;
}

void TraceReferee::deal(int hand, int dealer, const std::array<int, 52>& deck) {
    expect(Stage::BetweenHands, "deal");
    // The writers number every deal of the record from 1 on, across its games.
    if (hand != m_handNumber + 1)
        fault("hand " + std::to_string(hand) + " where hand " + std::to_string(m_handNumber + 1) +
              " comes");
    if (m_nextDealer && dealer != *m_nextDealer)
        fault(seatText(dealer) + " deals, but the deal is " + seatText(*m_nextDealer) + "'s");
    std::bitset<52> seen;
    for (int index : deck) {
        if (seen.test(static_cast<size_t>(index)))
            fault("the deck holds " + shortName(Card::fromDeckIndex(index)) + " twice");
        seen.set(static_cast<size_t>(index));
    }
    m_handNumber = hand;
    m_dealer = dealer;
    m_deck = deck;
    for (size_t i = 0; i < m_card.size(); ++i)
        m_card[i] = Card::fromDeckIndex(deck[i]);
    m_place.fill(Place::Hand);
    m_bids = {};
    m_bidsMade = 0;
    m_bidTurn = dealer;
    m_highBid = 0;
    m_highBidder = 0;
    m_discarded = {};
    m_drawOrder = DrawOrder::Unknown;
    m_units = {};
    m_trickCount = 0;
    m_tricksPlayed = 0;
    m_stage = Stage::Auction;
}

void TraceReferee::bid(int seat, Bid bid) {
    expect(Stage::Auction, "bid");
    int turn = nextSeat(m_bidTurn);
    if (m_bidsMade >= 4) {
        if (m_highBid == 0 || auctionOver(m_dealer, m_highBidder, m_bids))
            fault("a bid after the auction ended");
        turn = m_bidTurn == m_dealer ? m_highBidder : m_dealer;
    }
    if (seat != turn)
        fault(seatText(seat) + " bids, but it is " + seatText(turn) + "'s turn");
    const int value = bid.points();
    if (value != 0 && !bidRaises(value, m_highBid, seat == m_dealer))
        fault(seatText(seat) + " bids " + bid.word() + " over " + std::to_string(m_highBid));
    if (value > m_highBid) {
        m_highBid = value;
        m_highBidder = seat;
    }
    m_bids[static_cast<size_t>(seat)] = bid;
    m_bidTurn = seat;
    ++m_bidsMade;
}

void TraceReferee::misdeal(int dealer) {
    expect(Stage::Auction, "misdeal");
    if (m_bidsMade < 4 || m_highBid != 0)
        fault("a misdeal, but not all four seats passed");
    if (dealer != m_dealer)
        fault("a misdeal by " + seatText(dealer) + ", but " + seatText(m_dealer) + " dealt");
    m_nextDealer = nextSeat(m_dealer);
    m_stage = Stage::BetweenHands;
}

void TraceReferee::trump(int bidder, int suit, int bid) {
    expect(Stage::Auction, "trump");
    if (m_bidsMade < 4 || m_highBid == 0 || !auctionOver(m_dealer, m_highBidder, m_bids))
        fault("trump named before the auction ended");
    const int contract = contractSeat(m_dealer, m_highBidder, m_bids);
    if (bidder != contract)
        fault(seatText(bidder) + " names trump, but the bid is " + seatText(contract) + "'s");
    if (bid != m_highBid)
        fault("a contract of " + std::to_string(bid) + ", but the high bid was " +
              std::to_string(m_highBid));
    m_contract = contract;
    m_trump = suit;
    m_stage = Stage::Discard;
}

void TraceReferee::discard(int seat, const std::vector<int>& pictures) {
    expect(Stage::Discard, "discard");
    if (m_discarded[static_cast<size_t>(seat)])
        fault(seatText(seat) + " discards twice");
    m_discarded[static_cast<size_t>(seat)] = true;
    for (int picture : pictures) {
        const bool kitty = picture >= KittyFirst && seat == m_contract;
        if (!inHandOf(seat, picture) && !kitty)
            fault(seatText(seat) + " throws away picture " + std::to_string(picture) +
                  ", which it does not hold");
        if (placeOf(picture) != Place::Hand)
            fault("picture " + std::to_string(picture) + " is thrown away twice");
        placeOf(picture) = Place::Thrown;
    }
    if (std::find(m_discarded.begin(), m_discarded.end(), false) == m_discarded.end())
        m_stage = Stage::Kitty;
}

void TraceReferee::kitty(const std::vector<int>& thrown,
                         const std::vector<std::pair<int, int>>& moved) {
    expect(Stage::Kitty, "kitty");
    const int first = 5 * m_contract;
    const auto held = [&] {
        int count = 0;
        for (int i = 0; i < 23; ++i)
            count += (inHandOf(m_contract, i) || i >= KittyFirst) && placeOf(i) == Place::Hand;
        return count;
    };
    const int cut = std::max(held() - 5, 0);
    if (static_cast<int>(thrown.size()) != cut)
        fault("the bidder cuts " + std::to_string(thrown.size()) + " cards, but holds " +
              std::to_string(cut) + " over five");
    for (int picture : thrown) {
        if ((!inHandOf(m_contract, picture) && picture < KittyFirst) ||
            placeOf(picture) != Place::Hand)
            fault("the bidder cuts picture " + std::to_string(picture) +
                  ", which it does not hold");
        placeOf(picture) = Place::Thrown;
    }
    // The kitty's cards left fill the bidder's empty places, both in picture order.
    std::vector<std::pair<int, int>> fills;
    int j = KittyFirst;
    for (int i = first; i < first + 5; ++i) {
        if (placeOf(i) != Place::Thrown)
            continue;
        while (j < 23 && placeOf(j) == Place::Thrown)
            ++j;
        if (j == 23)
            break;
        fills.emplace_back(j++, i);
    }
    if (moved != fills)
        fault("the kitty's cards move to places other than the bidder's empty ones");
    for (const auto& [from, to] : fills) {
        m_card[static_cast<size_t>(to)] = cardAt(from);
        placeOf(to) = Place::Hand;
    }
    for (int k = KittyFirst; k < 23; ++k)
        placeOf(k) = Place::Gone;
    m_stage = Stage::Draw;
}

void TraceReferee::draw(int picture, Card card) {
    expect(Stage::Draw, "draw");
    if (picture >= KittyFirst || placeOf(picture) != Place::Thrown)
        fault("picture " + std::to_string(picture) + " draws, but no card was thrown from it");
    // The hand's first draw shows which table drew it; each later one must follow that order.
    const auto stockCard = [&](int place) {
        return Card::fromDeckIndex(m_deck[static_cast<size_t>(place)]);
    };
    const bool standalone = card == stockCard(standaloneStockPlace(picture));
    const bool hosted = card == stockCard(hostStockPlace(picture));
    if (m_drawOrder == DrawOrder::Unknown && (standalone || hosted))
        m_drawOrder = standalone ? DrawOrder::Standalone : DrawOrder::Hosted;
    if (!(m_drawOrder == DrawOrder::Standalone ? standalone : hosted))
        fault("picture " + std::to_string(picture) + " draws " + shortName(card) +
              ", which is not the stock card it draws");
    m_card[static_cast<size_t>(picture)] = card;
    placeOf(picture) = Place::Hand;
}

void TraceReferee::startPlay() {
    for (int i = 0; i < KittyFirst; ++i)
        if (placeOf(i) != Place::Hand)
            fault("the play begins with picture " + std::to_string(i) + " empty");
    m_topTrump = highestTrump(std::span<const Card>(m_card.data(), KittyFirst), m_trump);
    m_turn = nextSeat(m_contract);
    m_stage = Stage::Play;
}

void TraceReferee::play(int seat, int picture, Card card) {
    if (m_stage == Stage::Draw)
        startPlay();
    expect(Stage::Play, "play");
    if (seat != m_turn)
        fault(seatText(seat) + " plays, but it is " + seatText(m_turn) + "'s turn");
    if (!inHandOf(seat, picture) || placeOf(picture) != Place::Hand)
        fault(seatText(seat) + " plays picture " + std::to_string(picture) +
              ", which it does not hold");
    if (card != cardAt(picture))
        fault(seatText(seat) + " plays " + shortName(card) + ", but picture " +
              std::to_string(picture) + " holds " + shortName(cardAt(picture)));

    std::array<Card, 5> held{};
    size_t count = 0;
    for (int i = 5 * seat; i < 5 * seat + 5; ++i)
        if (placeOf(i) == Place::Hand)
            held[count++] = cardAt(i);
    PlayContext context;
    context.trumpSuit = m_trump;
    // A hand's first lead answers nothing; every other card answers the last lead.
    if (m_tricksPlayed > 0 || m_trickCount > 0)
        context.ledCard = cardAt(m_ledPicture);
    context.trickCardCount = m_trickCount;
    context.cardsBeforeMe = m_trickCount;
    context.tricksPlayed = m_tricksPlayed;
    context.highBid = m_highBid;
    // The record does not say whether suit had to be followed: the trump rule always holds.
    if (checkLocalPlay(std::span<const Card>(held.data(), count), card, context) != Refusal::None)
        fault(seatText(seat) + " plays " + shortName(card) + ", which the rules forbid here");

    if (m_trickCount == 0)
        m_ledPicture = picture;
    placeOf(picture) = Place::Played;
    m_trick[static_cast<size_t>(m_trickCount++)] = picture;
    m_turn = nextSeat(seat);
    if (m_trickCount == 4)
        m_stage = Stage::TrickDone;
}

void TraceReferee::trick(int winner, int units) {
    expect(Stage::TrickDone, "trick");
    const int led = cardAt(m_trick[0]).suit();
    int best = m_trick[0];
    for (int picture : m_trick)
        if (beatsInTrick(cardAt(picture), cardAt(best), m_trump, led))
            best = picture;
    if (winner != best / 5)
        fault("the trick goes to " + seatText(winner) + ", but " + seatText(best / 5) + "'s " +
              shortName(cardAt(best)) + " wins it");
    const int worth = trickUnits(cardAt(best), m_trump, m_topTrump);
    if (units != worth)
        fault("the trick is worth " + std::to_string(units) + " units, but its cards give " +
              std::to_string(worth));
    m_units[static_cast<size_t>(winner)] += units;
    ++m_tricksPlayed;
    m_trickCount = 0;
    m_turn = winner;
    m_stage = m_tricksPlayed == 5 ? Stage::HandDone : Stage::Play;
}

void TraceReferee::hand(const HandResult& r) {
    expect(Stage::HandDone, "hand's score");
    const int b = m_contract;
    const auto units = [&](int seat) { return m_units[static_cast<size_t>(seat)]; };
    const HandScore score = scoreHand(m_highBid, b % 2, units(b) + units(partnerOf(b)),
                                      units(nextSeat(b)) + units(previousSeat(b)), m_scores);
    if (r.bidder != b || r.bid != m_highBid)
        fault("the hand is scored for " + seatText(r.bidder) + " at " + std::to_string(r.bid) +
              ", but " + seatText(b) + " bid " + std::to_string(m_highBid));
    if (r.counted != score.counted)
        fault("the bidders count " + std::to_string(r.counted) + ", but their tricks give " +
              std::to_string(score.counted));
    if (r.made != score.made)
        fault(std::string("the bid is ") + (r.made ? "made" : "set") + " with a count of " +
              std::to_string(r.counted));
    if (r.scores != score.scores)
        fault("the scores are " + std::to_string(r.scores[0]) + " to " +
              std::to_string(r.scores[1]) + ", but the hand gives " +
              std::to_string(score.scores[0]) + " to " + std::to_string(score.scores[1]));
    // A hosted table's won game is told by the seats' own views, not in the hand's message.
    const bool said =
        score.gameWon
            ? r.message == english(b % 2 == 0 ? Said::GameWon : Said::GameLost) || r.message.empty()
            : r.message == english(Saying(score.made ? Said::Made : Said::WentDown, score.points));
    if (!said)
        fault("the hand's message \"" + r.message + "\" is not what its score says");
    m_scores = score.scores;
    m_nextDealer = nextSeat(m_dealer);
    m_stage = score.gameWon ? Stage::GameWon : Stage::BetweenHands;
}

void TraceReferee::end(int winner, std::array<int, 2> scores) {
    expect(Stage::GameWon, "game's end");
    const int side = m_contract % 2;
    if (winner != side || scores != m_scores)
        fault("the game ends won by partnership " + std::to_string(winner) + ", but the last " +
              "hand gave it to partnership " + std::to_string(side) + " at " +
              std::to_string(m_scores[0]) + " to " + std::to_string(m_scores[1]));
    m_stage = Stage::GameOver;
}

void TraceReferee::finish() const {
    if (m_stage == Stage::NoGame)
        fault("the record holds no game");
    if (m_stage == Stage::GameWon)
        fault("the record ends after the game was won, without the game's end");
}

} // namespace corvane
