// The names of the cards and suits in the player's language: what the table's sentences and
// the screen reader say of a card.
#pragma once

#include "cards/card.h"

#include <QCoreApplication>
#include <QString>

namespace corvane::ui {

class CardWords {
    Q_DECLARE_TR_FUNCTIONS(CardWords)
public:
    // "hearts", as a trump is named.
    static QString suit(int suit);
    // "Ace of hearts", as a card is read out.
    static QString card(Card card);
    // "the Ace of hearts", inside a sentence.
    static QString theCard(Card card);
};

} // namespace corvane::ui
