// The card and suit names, through the program's translations.
#include "ui/cards/card_words.h"

#include <array>

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

namespace {

// The face and its suit are worded together: languages elide or agree an article with the face.
// Each list: the Ace, the Jack, the Queen, the King, then a number card.
using FaceTexts = std::array<const char*, 5>;
constexpr FaceTexts Named{
    QT_TRANSLATE_NOOP("CardWords", "Ace of %1"), QT_TRANSLATE_NOOP("CardWords", "Jack of %1"),
    QT_TRANSLATE_NOOP("CardWords", "Queen of %1"), QT_TRANSLATE_NOOP("CardWords", "King of %1"),
    QT_TRANSLATE_NOOP("CardWords", "%1 of %2")};
constexpr FaceTexts InSentence{QT_TRANSLATE_NOOP("CardWords", "the Ace of %1"),
                               QT_TRANSLATE_NOOP("CardWords", "the Jack of %1"),
                               QT_TRANSLATE_NOOP("CardWords", "the Queen of %1"),
                               QT_TRANSLATE_NOOP("CardWords", "the King of %1"),
                               QT_TRANSLATE_NOOP("CardWords", "the %1 of %2")};

QString worded(Card card, const FaceTexts& texts) {
    const QString suit = CardWords::suit(card.suit());
    const auto text = [&](size_t i) { return QCoreApplication::translate("CardWords", texts[i]); };
    switch (card.face()) {
    case Ace:
        return text(0).arg(suit);
    case Jack:
        return text(1).arg(suit);
    case Queen:
        return text(2).arg(suit);
    case King:
        return text(3).arg(suit);
    default:
        return text(4).arg(card.face()).arg(suit);
    }
}

} // namespace

QString CardWords::card(Card card) {
    return worded(card, Named);
}

QString CardWords::theCard(Card card) {
    return worded(card, InSentence);
}

} // namespace corvane::ui
