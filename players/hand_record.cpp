#include "players/hand_record.h"

#include "players/deal_likelihood.h"
#include "players/hand_snapshot.h"
#include "table/table.h"

#include <algorithm>

namespace corvane {

void HandRecord::noteHandsBeforeDraw(const Table& t) {
    for (int seat = 0; seat < 4; ++seat) {
        CardSet seen = 0;
        for (int k = 0; k < 5; ++k)
            seen |= cardBit(t.cardAt(t.localPicture(5 * seat + k)).number());
        if (seat == t.bidderSeat)
            for (int i = KittyFirst; i <= t.lastPicture(); ++i)
                seen |= cardBit(t.cardAt(i).number());
        seenBeforeDraw[static_cast<size_t>(seat)] = seen & ~CardSet{1};
    }
}

void HandRecord::noteHandEnd(const Table& t) {
    if (playCount != 20)
        return;
    // With every card played the deal is known, so its replay is exact.
    const HandHistory history = handHistory(t, *this, NoSeat);
    StrayCounts strays{};
    dealLikelihood(history, handStateFromTable(t, EverySeat), PlayModel{}, &strays);
    const auto countOne = [](std::uint8_t& n) {
        n = static_cast<std::uint8_t>(std::min(n + 1, 255));
    };
    for (size_t seat = 0; seat < 4; ++seat) {
        countOne(habits.handsPlayed[seat]);
        if (strays[seat] != 0)
            countOne(habits.handsOffRule[seat]);
    }
}

void HandRecord::notePlay(int seat, Card card) {
    if (playCount >= 20)
        return;
    plays[static_cast<size_t>(playCount)] = card;
    playSeats[static_cast<size_t>(playCount)] = static_cast<std::uint8_t>(seat & 3);
    ++playCount;
}

} // namespace corvane
