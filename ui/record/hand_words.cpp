// Builds the history's description of a hand as simple HTML.
#include "ui/record/hand_words.h"

#include "table/table.h"
#include "ui/cards/card_words.h"
#include "ui/table/saying_words.h"

#include <QCoreApplication>
#include <QStringList>

namespace corvane::ui {

QString cardsInWords(const std::vector<Card>& cards) {
    QStringList words;
    for (Card c : cards)
        words << (c.isValid() ? QString::fromStdString(shortName(c)) : QStringLiteral("?"));
    return words.join(QLatin1Char(' '));
}

namespace {

class HandWords {
    Q_DECLARE_TR_FUNCTIONS(HandWords)
};

bool isYou(const std::string& name) {
    return name == LocalPlayerName;
}

} // namespace

QString handInWords(const RecordedHand& h, const std::array<std::string, 4>& names) {
    auto name = [&](int seat) {
        const std::string& n = names[static_cast<size_t>(seat & 3)];
        return (isYou(n) ? HandWords::tr("You") : QString::fromStdString(n)).toHtmlEscaped();
    };
    auto you = [&](int seat) { return isYou(names[static_cast<size_t>(seat & 3)]); };
    QString html =
        you(h.dealer)
            ? HandWords::tr("<b>Hand %1</b>, you deal.<br>").arg(h.number)
            : HandWords::tr("<b>Hand %1</b>, %2 deals.<br>").arg(h.number).arg(name(h.dealer));
    QStringList bids;
    for (const RecordedBid& b : h.bids)
        bids << HandWords::tr("%1 %2", "a seat and its bid")
                    .arg(name(b.seat), SayingWords::bid(b.bid));
    html += HandWords::tr("Bids: %1.<br>")
                .arg(bids.isEmpty() ? HandWords::tr("none yet") : bids.join(HandWords::tr(", ")));
    if (h.stage == HandStage::Misdealt)
        return html + HandWords::tr("Everybody passed: a misdeal.");
    if (h.bidder >= 0)
        html += you(h.bidder)
                    ? HandWords::tr("You go %1 on %2.<br>").arg(h.bid).arg(CardWords::suit(h.trump))
                    : HandWords::tr("%1 goes %2 on %3.<br>")
                          .arg(name(h.bidder))
                          .arg(h.bid)
                          .arg(CardWords::suit(h.trump));
    html +=
        HandWords::tr("<table cellspacing=4><tr><th align=left>Seat</th><th align=left>Dealt</th>"
                      "<th align=left>Drew</th><th align=left>Played with</th></tr>");
    for (int s = 0; s < 4; ++s) {
        const auto& dealt = h.dealt[static_cast<size_t>(s)];
        const auto& held = h.held[static_cast<size_t>(s)];
        const bool known = dealt[0].isValid();
        const bool heldKnown = held[0].isValid();
        html +=
            QStringLiteral(
                "<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>") // untranslated: markup
                .arg(name(s),
                     known ? cardsInWords({dealt.begin(), dealt.end()}) : HandWords::tr("not seen"),
                     heldKnown ? cardsInWords(h.drawn(s)) : QString(),
                     heldKnown ? cardsInWords({held.begin(), held.end()}) : QString());
    }
    html += QStringLiteral("</table>");
    if (h.kitty[0].isValid())
        html += HandWords::tr("Kitty: %1.<br>").arg(cardsInWords({h.kitty.begin(), h.kitty.end()}));
    int k = 0;
    for (const RecordedTrick& t : h.tricks) {
        QStringList played;
        for (int seat : t.order)
            played << HandWords::tr("%1 %2", "a seat and its card")
                          .arg(name(seat), QString::fromStdString(
                                               shortName(t.bySeat[static_cast<size_t>(seat & 3)])));
        html += HandWords::tr("Trick %1: %2").arg(++k).arg(played.join(HandWords::tr(", ")));
        if (t.complete())
            html += (t.units == 2 ? HandWords::tr(" &rarr; <b>%1</b> (top card)")
                                  : HandWords::tr(" &rarr; <b>%1</b>"))
                        .arg(name(t.winner));
        html += QStringLiteral("<br>");
    }
    if (h.stage == HandStage::Scored) {
        const auto points = h.trickPoints();
        html += HandWords::tr("Points taken: %1 and %2 %3, %4 and %5 %6. ")
                    .arg(name(0), name(2))
                    .arg(points[0])
                    .arg(name(1), name(3))
                    .arg(points[1]);
        html += h.made ? HandWords::tr("The bid is made: %1 points.").arg(h.points)
                       : HandWords::tr("The bidder goes down %1.").arg(h.points);
        html += HandWords::tr("<br>Score: %1 to %2.").arg(h.scores[0]).arg(h.scores[1]);
    }
    return html;
}

} // namespace corvane::ui
