#include "players/hand_snapshot.h"

#include "table/table.h"

namespace corvane {

playout::HandState handStateFromTable(const Table& t, int viewer) {
    playout::HandState s;
    s.trump = static_cast<std::uint8_t>(t.trumpSuit & 3);
    s.highBid = static_cast<std::uint8_t>(t.highBid);
    s.bidder = static_cast<std::uint8_t>(t.bidderSeat & 3);
    s.mustFollowSuit = t.mustFollowSuit;
    const auto cardOn = [&](int hostPicture) {
        return hostPicture < 0
                   ? std::uint8_t{0}
                   : static_cast<std::uint8_t>(t.cardAt(t.localPicture(hostPicture)).number());
    };
    for (size_t seat = 0; seat < 4; ++seat) {
        s.drawCount[seat] = static_cast<std::uint8_t>(t.drawCount[seat]);
        s.units[seat] = static_cast<std::uint8_t>(t.trickUnits[seat]);
        s.trick[seat] = cardOn(t.trickSeatCard[seat]);
        for (int k = 0; k < 5; ++k) {
            const int host = 5 * static_cast<int>(seat) + k;
            const bool played = t.CardState(t.localPicture(host)) == TagState::Played;
            if (played || viewer == EverySeat || viewer == static_cast<int>(seat))
                s.cards[seat][static_cast<size_t>(k)] = cardOn(host);
            if (!played)
                s.held[seat] = static_cast<std::uint8_t>(s.held[seat] | (1u << k));
        }
    }
    // The lead the rules compare with: the last card led, kept until the next lead; none at a
    // hand's first lead.
    s.led = t.firstLeadOfHand() ? std::uint8_t{0} : cardOn(t.ledCard);
    s.winner = t.trickWinnerCard < 0
                   ? playout::NoSeat
                   : static_cast<std::uint8_t>(t.hostPicture(t.trickWinnerCard) / 5);
    s.trickCount = static_cast<std::uint8_t>(t.trickCardCount & 3);
    s.tricksPlayed = static_cast<std::uint8_t>(t.tricksPlayed);
    s.turn = static_cast<std::uint8_t>(t.turnSeat & 3);
    playout::prepare(s);
    return s;
}

} // namespace corvane
