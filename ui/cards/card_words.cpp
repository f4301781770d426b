// The card and suit names, through the program's translations.
#include "ui/cards/card_words.h"

namespace corvane::ui {

QString CardWords::suit(int suit) {
    switch (suit) {
    case Spades:
        return tr("spades");
    case Diamonds:
        return tr("diamonds");
    case Clubs:
        return tr("clubs");
    case Hearts:
        return tr("hearts");
    default:
        return {};
    }
}

// The face and its suit are worded together: languages elide or agree an article with the face.
QString CardWords::card(Card card) {
    const QString s = suit(card.suit());
    switch (card.face()) {
    case Ace:
        return tr("Ace of %1").arg(s);
    case Jack:
        return tr("Jack of %1").arg(s);
    case Queen:
        return tr("Queen of %1").arg(s);
    case King:
        return tr("King of %1").arg(s);
    default:
        return tr("%1 of %2").arg(card.face()).arg(s);
    }
}

QString CardWords::theCard(Card card) {
    const QString s = suit(card.suit());
    switch (card.face()) {
    case Ace:
        return tr("the Ace of %1").arg(s);
    case Jack:
        return tr("the Jack of %1").arg(s);
    case Queen:
        return tr("the Queen of %1").arg(s);
    case King:
        return tr("the King of %1").arg(s);
    default:
        return tr("the %1 of %2").arg(card.face()).arg(s);
    }
}

} // namespace corvane::ui
