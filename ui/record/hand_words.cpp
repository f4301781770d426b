// Builds the history's description of a hand as simple HTML.
#include "ui/record/hand_words.h"

#include <QStringList>

namespace corvane::ui {

QString cardsInWords(const std::vector<Card>& cards) {
    QStringList words;
    for (Card c : cards)
        words << (c.isValid() ? QString::fromStdString(shortName(c)) : QStringLiteral("?"));
    return words.join(QLatin1Char(' '));
}

QString countOf(int n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

namespace {
// The verb after a seat's name: the player's own seat is "You", who "go" and "deal".
QString says(const QString& who, const char* verb, const char* itself) {
    return who + QLatin1Char(' ') +
           QString::fromLatin1(who == QLatin1String("You") ? verb : itself);
}
} // namespace

QString handInWords(const RecordedHand& h, const std::array<std::string, 4>& names) {
    auto name = [&](int seat) {
        return QString::fromStdString(names[static_cast<size_t>(seat & 3)]).toHtmlEscaped();
    };
    QString html = QStringLiteral("<b>Hand %1</b>, %2.<br>")
                       .arg(h.number)
                       .arg(says(name(h.dealer), "deal", "deals"));
    QStringList bids;
    for (const RecordedBid& b : h.bids)
        bids << name(b.seat) + QLatin1Char(' ') + QString::fromStdString(b.bid);
    html += QStringLiteral("Bids: %1.<br>")
                .arg(bids.isEmpty() ? QStringLiteral("none yet") : bids.join(QStringLiteral(", ")));
    if (h.stage == HandStage::Misdealt)
        return html + QStringLiteral("Everybody passed: a misdeal.");
    if (h.bidder >= 0)
        html += QStringLiteral("%1 %2 on %3.<br>")
                    .arg(says(name(h.bidder), "go", "goes"))
                    .arg(h.bid)
                    .arg(QString::fromStdString(SuitName(h.trump)));
    html +=
        QStringLiteral("<table cellspacing=4><tr><th align=left>Seat</th><th align=left>Dealt</th>"
                       "<th align=left>Drew</th><th align=left>Played with</th></tr>");
    for (int s = 0; s < 4; ++s) {
        const auto& dealt = h.dealt[static_cast<size_t>(s)];
        const auto& held = h.held[static_cast<size_t>(s)];
        const bool known = dealt[0].isValid();
        const bool heldKnown = held[0].isValid();
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>")
                    .arg(name(s),
                         known ? cardsInWords({dealt.begin(), dealt.end()})
                               : QStringLiteral("not seen"),
                         heldKnown ? cardsInWords(h.drawn(s)) : QString(),
                         heldKnown ? cardsInWords({held.begin(), held.end()}) : QString());
    }
    html += QStringLiteral("</table>");
    if (h.kitty[0].isValid())
        html +=
            QStringLiteral("Kitty: %1.<br>").arg(cardsInWords({h.kitty.begin(), h.kitty.end()}));
    int k = 0;
    for (const RecordedTrick& t : h.tricks) {
        QStringList played;
        for (int seat : t.order)
            played << name(seat) + QLatin1Char(' ') +
                          QString::fromStdString(
                              shortName(t.bySeat[static_cast<size_t>(seat & 3)]));
        html += QStringLiteral("Trick %1: %2").arg(++k).arg(played.join(QStringLiteral(", ")));
        if (t.complete())
            html +=
                QStringLiteral(" &rarr; <b>%1</b>%2")
                    .arg(name(t.winner), t.units == 2 ? QStringLiteral(" (top card)") : QString());
        html += QStringLiteral("<br>");
    }
    if (h.stage == HandStage::Scored) {
        const auto points = h.trickPoints();
        html += QStringLiteral("Points taken: %1 and %2 %3, %4 and %5 %6. ")
                    .arg(name(0), name(2))
                    .arg(points[0])
                    .arg(name(1), name(3))
                    .arg(points[1]);
        html += h.made ? QStringLiteral("The bid is made: %1 points.").arg(h.points)
                       : QStringLiteral("The bidder goes down %1.").arg(h.points);
        html += QStringLiteral("<br>Score: %1 to %2.").arg(h.scores[0]).arg(h.scores[1]);
    }
    return html;
}

} // namespace corvane::ui
