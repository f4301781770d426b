#include "ui/table/table_speech.h"

#include "cards/card.h"
#include "table/presenter.h"
#include "ui/cards/card_words.h"
#include "ui/table/saying_words.h"

#include <QCoreApplication>
#include <algorithm>

namespace corvane::ui {

namespace {

constexpr int LocalSeat = 0;

class Speech {
    Q_DECLARE_TR_FUNCTIONS(TableSpeech)
};

// `seat` as the window numbers it: 0 the local player, then round the table.
QString seatName(const Table& table, int seat) {
    return QString::fromStdString(table.seats[static_cast<size_t>(table.seatOfLabel(seat))].name);
}

bool isYou(const Table& table, int seat) {
    return seat == LocalSeat && seatName(table, seat) == QLatin1String(LocalPlayerName);
}

QString cardWords(Card card) {
    return CardWords::card(card);
}

// Whose hand a picture belongs to: 0-19 the seats' hands, 20-22 the kitty.
int ownerOf(int picture) {
    return picture < 20 ? picture / 5 : -1;
}

} // namespace

QString cardSpeech(const Table& table, int picture, bool playable) {
    const CardPicture& p = table.picCard[static_cast<size_t>(picture)];
    const int owner = ownerOf(picture);
    QString where;
    if (p.state == TagState::Played)
        where = owner < 0 ? Speech::tr("on the table")
                          : (isYou(table, owner)
                                 ? Speech::tr("played by you")
                                 : Speech::tr("played by %1").arg(seatName(table, owner)));
    else if (owner < 0)
        where = Speech::tr("in the kitty");
    else if (isYou(table, owner))
        where = Speech::tr("in your hand");
    else
        where = Speech::tr("in %1's hand").arg(seatName(table, owner));

    // A card marked to throw away lies face down, but its owner knows it.
    const bool marked = p.state == TagState::Thrown &&
                        (owner < 0 ? table.bidderSeat == table.localSeat : isYou(table, owner));
    if (marked && p.card.isValid())
        return Speech::tr("%1, %2, marked to throw away").arg(cardWords(p.card), where);
    if (!p.showsFace() || !p.card.isValid())
        return Speech::tr("A card face down, %1").arg(where);
    QString speech = Speech::tr("%1, %2").arg(cardWords(p.card), where);
    if (playable)
        speech = Speech::tr("%1, playable").arg(speech);
    return speech;
}

QString bidSpeech(const Table& table, int seat) {
    return Speech::tr("Bid: %1 by %2")
        .arg(SayingWords::bid(table.seatBid[static_cast<size_t>(table.seatOfLabel(seat))].word()),
             seatName(table, seat));
}

QString scoreSpeech(const Table& table) {
    return Speech::tr("We %1, They %2").arg(table.score[0]).arg(table.score[1]);
}

QString trumpSpeech(const Table& table) {
    if (!table.trumpNamed)
        return Speech::tr("No trump yet");
    return Speech::tr("Trump: %1").arg(CardWords::suit(table.trumpSuit));
}

QString tricksSpeech(const std::string& marks) {
    // One 'J' a trick: the window draws each as a smiling face.
    const auto n = std::count(marks.begin(), marks.end(), 'J');
    if (n == 0)
        return Speech::tr("No tricks");
    return Speech::tr("%n trick(s)", nullptr, static_cast<int>(n));
}

TableSpeech::Look TableSpeech::lookAt(const Table& t) {
    Look look;
    if (t.awaitedSeat != NoSeat)
        look.turn = t.labelOfSeat(t.awaitedSeat);
    look.trickSeatCard = t.trickSeatCard;
    look.tricksPlayed = t.tricksPlayed;
    look.phase = t.gamePhase;
    look.score = {t.score[0], t.score[1]};
    const Picture shown = present(t);
    for (size_t label = 0; label < 4; ++label)
        if (shown.lblBid[label].visible)
            look.bids[label] = shown.lblBid[label].caption;
    if (shown.imgTrumpVisible)
        look.trump = t.trumpSuit;
    if (shown.buttonMenu.visible && shown.buttonMenu.modeX == ButtonMode::Message)
        look.message = shown.buttonMessage;
    return look;
}

QStringList TableSpeech::changes(const Table& table) {
    const Look now = lookAt(table);
    QStringList said;
    if (m_seen) {
        for (int seat = 0; seat < 4; ++seat) {
            const std::string& bid = now.bids[static_cast<size_t>(seat)];
            if (bid.empty() || bid == m_last.bids[static_cast<size_t>(seat)])
                continue;
            const bool pass = Bid::fromWord(bid).points() == 0;
            const QString who = seatName(table, seat);
            if (isYou(table, seat))
                said << (pass ? Speech::tr("You pass.")
                              : Speech::tr("You bid %1.").arg(QString::fromStdString(bid)));
            else
                said << (pass ? Speech::tr("%1 passes.").arg(who)
                              : Speech::tr("%1 bids %2.").arg(who, QString::fromStdString(bid)));
        }
        if (now.trump >= 0 && now.trump != m_last.trump)
            said << trumpSpeech(table) + QLatin1Char('.');
        if (now.phase == GamePhase::Play && m_last.phase != GamePhase::Play) {
            QStringList draws;
            for (int seat = 0; seat < 4; ++seat) {
                const int n = table.drawCount[static_cast<size_t>(seat)];
                draws << (isYou(table, seat)
                              ? Speech::tr("you %n card(s)", nullptr, n)
                              : Speech::tr("%1 %n card(s)", nullptr, n).arg(seatName(table, seat)));
            }
            said << Speech::tr("The draw: %1.").arg(draws.join(Speech::tr(", ")));
        }
        for (int seat = 0; seat < 4; ++seat) {
            const int picture = now.trickSeatCard[static_cast<size_t>(seat)];
            if (picture < 0 || picture == m_last.trickSeatCard[static_cast<size_t>(seat)])
                continue;
            const Card card = table.picCard[static_cast<size_t>(picture)].card;
            if (!card.isValid())
                continue;
            said << (isYou(table, seat)
                         ? Speech::tr("You play %1.").arg(CardWords::theCard(card))
                         : Speech::tr("%1 plays %2.")
                               .arg(seatName(table, seat), CardWords::theCard(card)));
        }
        if (now.tricksPlayed > m_last.tricksPlayed && table.trickWinnerCard >= 0) {
            const int winner = ownerOf(table.trickWinnerCard);
            if (winner >= 0)
                said << (isYou(table, winner)
                             ? Speech::tr("You take the trick.")
                             : Speech::tr("%1 takes the trick.").arg(seatName(table, winner)));
        }
        if (now.message.what != Said::Nothing && now.message != m_last.message)
            said << SayingWords::text(now.message);
        if (now.score != m_last.score)
            said << Speech::tr("The hand is over. %1.").arg(scoreSpeech(table));
        if (now.turn >= 0 && now.turn != m_last.turn)
            said << (isYou(table, now.turn)
                         ? Speech::tr("Your turn.")
                         : Speech::tr("%1's turn.").arg(seatName(table, now.turn)));
    }
    m_seen = true;
    m_last = now;
    return said;
}

} // namespace corvane::ui
