#include "ui/table/table_speech.h"

#include "cards/card.h"

namespace corvane::ui {

namespace {

constexpr int LocalSeat = 0;

QString seatName(const Table& table, int seat) {
    return QString::fromStdString(table.lblPlayerName[static_cast<size_t>(seat)].caption);
}

bool isYou(const Table& table, int seat) {
    return seat == LocalSeat && seatName(table, seat) == QLatin1String("You");
}

QString cardWords(Card card) {
    return QStringLiteral("%1 of %2")
        .arg(QString::fromStdString(CardName(card)), QString::fromStdString(SuitName(card.suit())));
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
        where = owner < 0 ? QStringLiteral("on the table")
                          : (isYou(table, owner)
                                 ? QStringLiteral("played by you")
                                 : QStringLiteral("played by %1").arg(seatName(table, owner)));
    else if (owner < 0)
        where = QStringLiteral("in the kitty");
    else if (isYou(table, owner))
        where = QStringLiteral("in your hand");
    else
        where = QStringLiteral("in %1's hand").arg(seatName(table, owner));

    if (!p.showsFace() || !p.card.isValid())
        return QStringLiteral("A card face down, %1").arg(where);
    QString speech = QStringLiteral("%1, %2").arg(cardWords(p.card), where);
    if (playable)
        speech += QStringLiteral(", playable");
    return speech;
}

QString bidSpeech(const Table& table, int seat) {
    return QStringLiteral("Bid: %1 by %2")
        .arg(QString::fromStdString(table.lblBid[static_cast<size_t>(seat)].caption),
             seatName(table, seat));
}

QString scoreSpeech(const Table& table) {
    return QStringLiteral("We %1, They %2")
        .arg(QString::fromStdString(table.scoreCaption(0)),
             QString::fromStdString(table.scoreCaption(1)));
}

TableSpeech::Look TableSpeech::lookAt(const Table& t) {
    Look look;
    for (int seat = 0; seat < 4; ++seat)
        if (t.lblPlayerName[static_cast<size_t>(seat)].underline &&
            t.lblPlayerName[static_cast<size_t>(seat)].visible)
            look.turn = seat;
    look.trickSeatCard = t.trickSeatCard;
    look.tricksPlayed = t.tricksPlayed;
    look.phase = t.gamePhase;
    look.score = {t.score[0], t.score[1]};
    return look;
}

QStringList TableSpeech::changes(const Table& table) {
    const Look now = lookAt(table);
    QStringList said;
    if (m_seen) {
        for (int seat = 0; seat < 4; ++seat) {
            const int picture = now.trickSeatCard[static_cast<size_t>(seat)];
            if (picture < 0 || picture == m_last.trickSeatCard[static_cast<size_t>(seat)])
                continue;
            const Card card = table.picCard[static_cast<size_t>(picture)].card;
            if (!card.isValid())
                continue;
            said << (isYou(table, seat) ? QStringLiteral("You play the %1.").arg(cardWords(card))
                                        : QStringLiteral("%1 plays the %2.")
                                              .arg(seatName(table, seat), cardWords(card)));
        }
        if (now.tricksPlayed > m_last.tricksPlayed && table.trickWinnerCard >= 0) {
            const int winner = ownerOf(table.trickWinnerCard);
            if (winner >= 0)
                said << (isYou(table, winner)
                             ? QStringLiteral("You take the trick.")
                             : QStringLiteral("%1 takes the trick.").arg(seatName(table, winner)));
        }
        if (now.score != m_last.score)
            said << QStringLiteral("The hand is over. %1.").arg(scoreSpeech(table));
        if (now.turn >= 0 && now.turn != m_last.turn)
            said << (isYou(table, now.turn)
                         ? QStringLiteral("Your turn.")
                         : QStringLiteral("%1's turn.").arg(seatName(table, now.turn)));
    }
    m_seen = true;
    m_last = now;
    return said;
}

} // namespace corvane::ui
