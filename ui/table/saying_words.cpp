// Each saying of the table as a whole sentence to translate, its numbers, names and cards
// filled in by argument, so that a language can order them as it speaks.
#include "ui/table/saying_words.h"

#include "ui/cards/card_words.h"

namespace corvane::ui {

namespace {

QString reason(const Saying& s) {
    switch (s.reason) {
    case HintReason::MadeIn:
        return SayingWords::tr("made in %1 of 10 deals.").arg(s.inTen);
    case HintReason::Takes:
        return SayingWords::tr("it takes the trick in %1 of 10 deals.").arg(s.inTen);
    case HintReason::PartnerTakes:
        return SayingWords::tr("partner takes it in %1 of 10 deals.").arg(s.inTen);
    case HintReason::OnlyCard:
        return SayingWords::tr("it is the only card allowed.");
    case HintReason::GivesLeast:
        return SayingWords::tr("it gives least away.");
    case HintReason::None:
        break;
    }
    return {};
}

QString hintBid(const Saying& s) {
    const QString suit = CardWords::suit(s.suit);
    if (s.reason == HintReason::None)
        return SayingWords::tr("I would go %1 on %2.").arg(s.number).arg(suit);
    return SayingWords::tr("I would go %1 on %2: %3").arg(s.number).arg(suit, reason(s));
}

QString hintCard(const Saying& s) {
    const QString card = CardWords::theCard(s.card);
    if (s.reason == HintReason::None)
        return SayingWords::tr("I would play %1.").arg(card);
    return SayingWords::tr("I would play %1: %2").arg(card, reason(s));
}

// "the 5 of hearts, the Jack of clubs and the Ace of hearts"
QString cardList(const std::vector<Card>& cards) {
    QString list;
    for (size_t i = 0; i < cards.size(); ++i) {
        const QString card = CardWords::theCard(cards[i]);
        if (i == 0)
            list = card;
        else if (i + 1 == cards.size())
            list = SayingWords::tr("%1 and %2", "the last of a list of cards").arg(list, card);
        else
            list = SayingWords::tr("%1, %2", "a list of cards").arg(list, card);
    }
    return list;
}

} // namespace

QString SayingWords::text(const Saying& s) {
    switch (s.what) {
    case Said::Nothing:
        return {};
    case Said::Made:
        return tr("Count %n points.", nullptr, s.number);
    case Said::WentDown:
        return tr("Bidder goes down %1.").arg(s.number);
    case Said::Misdeal:
        return s.name.empty() ? tr("You called for a misdeal.")
                              : tr("%1 calls for a misdeal.").arg(QString::fromStdString(s.name));
    case Said::TimedOutCard:
        return tr("Time ran out: %1 was played for you.").arg(CardWords::theCard(s.card));
    case Said::TimedOutTrump:
        return tr("Time ran out: %1 were named trump for you.").arg(CardWords::suit(s.suit));
    case Said::TimedOutBid:
        return tr("Time ran out: a pass was bid for you.");
    case Said::TimedOutDiscard:
        return tr("Time ran out: your cards were thrown away for you.");
    case Said::PlayedForYou:
        return tr("The computer played for you: %1.").arg(cardList(s.cards));
    case Said::GameWon:
        return tr("You're not easy!");
    case Said::GameLost:
        return tr("She's gone, b'y.");
    case Said::GameLostOnline:
        return tr("She's gone b'y.");
    case Said::Whisk:
        return tr("There's a whisk to the board.");
    case Said::FollowSuit:
        return tr("You have to follow suit.");
    case Said::HintDeal:
        return tr("Click Deal to get started.");
    case Said::HintPass:
        return tr("I would pass.");
    case Said::HintBid:
        return hintBid(s);
    case Said::HintTrump:
        return tr("I would name %1.").arg(CardWords::suit(s.suit));
    case Said::HintAutoDiscard:
        return tr("Use the Auto-discard button.");
    case Said::HintCard:
        return hintCard(s);
    case Said::NoHint:
        return tr("I got nothing.");
    case Said::WaitingForHand:
        return tr("Waiting for next hand...");
    case Said::HostGone:
        return tr("Your host has disconnected.");
    case Said::BidRefused:
        return tr("The host refused that bid.");
    case Said::CardRefused:
        return tr("The host refused that card.");
    case Said::ServerUnreachable:
        return tr("Could not connect to Corvane Server.");
    case Said::KeyRefused:
        return tr("The Corvane Server refused that key.");
    case Said::ServerLost:
        return tr("Lost the connection to the Corvane Server.");
    }
    return {};
}

QString SayingWords::caption(const Label& label) {
    switch (label.word) {
    case LabelWord::You:
        return tr("You");
    case LabelWord::We:
        return tr("We");
    case LabelWord::They:
        return tr("They");
    case LabelWord::Pass:
        return tr("Pass");
    case LabelWord::None:
        break;
    }
    return QString::fromStdString(label.caption);
}

QString SayingWords::bid(const std::string& word) {
    return !word.empty() && Bid::fromWord(word).isPass() ? tr("Pass")
                                                         : QString::fromStdString(word);
}

} // namespace corvane::ui
