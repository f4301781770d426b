// What a screen reader says about the table: the accessible names of the cards and labels, and
// the sentences announced as the game moves on (whose turn it is, a card played, a trick taken,
// a hand over). Worked out from the table alone, so the same state always reads the same.
#pragma once

#include "table/table.h"

#include <QString>
#include <QStringList>
#include <array>
#include <string>

namespace corvane::ui {

// "Queen of spades, in your hand, playable"; "2 of clubs, in your hand, marked to throw away";
// "A card face down, in Nellie's hand".
QString cardSpeech(const Table& table, int picture, bool playable);
// "Bid: 25 by Nellie"; "Bid: Pass by Nellie".
QString bidSpeech(const Table& table, int seat);
// "We 45, They 30".
QString scoreSpeech(const Table& table);
// "Trump: hearts"; "No trump yet".
QString trumpSpeech(const Table& table);
// "3 tricks"; "1 trick"; "No tricks", from the trick label's caption.
QString tricksSpeech(const std::string& marks);

// The moments worth announcing, from one look at the table to the next: each bid, the trump
// named, the draw, each card played and by whom, who took the trick, a message (the hand's
// count, a refusal), the score, whose turn it is.
class TableSpeech {
public:
    // The sentences for what changed since the last call (none on the first).
    QStringList changes(const Table& table);

private:
    struct Look {
        int turn = -1;
        std::array<int, 4> trickSeatCard{-1, -1, -1, -1};
        int tricksPlayed = 0;
        GamePhase phase = GamePhase::Idle;
        std::array<int, 2> score{};
        std::array<std::string, 4> bids;
        int trump = -1; // while shown
        Saying message; // while shown
    };
    static Look lookAt(const Table& table);
    bool m_seen = false;
    Look m_last;
};

} // namespace corvane::ui
