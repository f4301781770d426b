#include "players/hand_record.h"

#include "table/table.h"

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

void HandRecord::notePlay(int seat, Card card) {
    if (playCount >= 20)
        return;
    plays[static_cast<size_t>(playCount)] = card;
    playSeats[static_cast<size_t>(playCount)] = static_cast<std::uint8_t>(seat & 3);
    ++playCount;
}

} // namespace corvane
