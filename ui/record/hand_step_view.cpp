// Lays the four hands round a small baize at the widget's size and paints the step.
#include "ui/record/hand_step_view.h"

#include "ui/cards/card_renderer.h"

#include <QPainter>
#include <algorithm>

namespace corvane::ui {

namespace {
const QColor Felt(0, 110, 50);
}

HandStepView::HandStepView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("handStep"));
}

void HandStepView::setHand(const RecordedHand& hand, const std::array<std::string, 4>& names,
                           int backDesign) {
    m_hand = hand;
    m_names = names;
    m_backDesign = backDesign;
    m_step = std::clamp(m_step, 0, lastStep());
    setAccessibleDescription(caption());
    update();
}

void HandStepView::setStep(int step) {
    m_step = std::clamp(step, 0, lastStep());
    setAccessibleDescription(caption());
    update();
}

std::vector<Card> HandStepView::handAt(int seat) const {
    const auto s = static_cast<size_t>(seat);
    std::vector<Card> cards;
    if (m_step == 0) {
        cards.assign(m_hand.dealt[s].begin(), m_hand.dealt[s].end());
        return cards;
    }
    // A card played by this step lies in its trick, not in the hand.
    std::vector<Card> played;
    for (int t = 0; t < m_step && t < lastStep(); ++t) {
        const RecordedTrick& trick = m_hand.tricks[static_cast<size_t>(t)];
        if (std::ranges::find(trick.order, seat) != trick.order.end())
            played.push_back(trick.bySeat[s]);
    }
    // Not known: as many backs as the seat still holds.
    if (!m_hand.held[s][0].isValid())
        return std::vector<Card>(5 - played.size(), Card());
    for (Card c : m_hand.held[s])
        if (std::ranges::find(played, c) == played.end())
            cards.push_back(c);
    return cards;
}

QString HandStepView::caption() const {
    if (m_hand.number == 0)
        return {};
    auto name = [&](int seat) {
        return QString::fromStdString(m_names[static_cast<size_t>(seat & 3)]);
    };
    if (m_step == 0)
        return tr("Hand %1: the deal, %2 dealing").arg(m_hand.number).arg(name(m_hand.dealer));
    const RecordedTrick& t = m_hand.tricks[static_cast<size_t>(m_step - 1)];
    if (!t.complete())
        return tr("Trick %1: %2 led").arg(m_step).arg(name(t.leader));
    return (t.units == 2 ? tr("Trick %1: %2 led, %3 took it with the top card")
                         : tr("Trick %1: %2 led, %3 took it"))
        .arg(m_step)
        .arg(name(t.leader), name(t.winner));
}

void HandStepView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Felt);
    if (m_hand.number == 0)
        return; // no hand dealt yet: nobody sits at the small table
    const qreal dpr = devicePixelRatioF();
    const QFontMetrics fm = p.fontMetrics();
    const int margin = fm.height() + 4;
    const int gap = 4;
    // Cards sized so that nothing lies over a card of another place: the top and bottom hands,
    // the trick's cross between them (two cards high, three wide) and the side hands beside it.
    const qreal zoom = std::min((width() - 12.0 - 4 * gap) / (71.0 * 5.8),
                                (height() - 2.0 * margin - 4 * gap) / (96.0 * 4));
    const QSize card = CardRenderer::cardSize(zoom);
    const int overlap = card.width() * 2 / 3;
    const int fan = card.width() + 4 * overlap;

    auto drawCard = [&](QPoint at, Card c) {
        p.drawPixmap(at, c.isValid() ? cardRenderer().face(c, dpr, zoom)
                                     : cardRenderer().back(m_backDesign, dpr, zoom));
    };
    const int cx = width() / 2;
    const int cy = height() / 2;
    // Where each seat's hand starts: bottom, left, top, right (left and right fan downwards).
    const std::array<QPoint, 4> handAt0{
        QPoint(cx - fan / 2, height() - card.height() - margin),
        QPoint(6, cy - card.height() / 2 - overlap), QPoint(cx - fan / 2, margin),
        QPoint(width() - card.width() - 6, cy - card.height() / 2 - overlap)};
    p.setPen(Qt::white);
    for (int seat = 0; seat < 4; ++seat) {
        const std::vector<Card> cards = handAt(seat);
        const QPoint start = handAt0[static_cast<size_t>(seat)];
        const bool across = seat % 2 == 0;
        for (size_t k = 0; k < cards.size(); ++k) {
            const int step = across ? overlap : overlap / 2;
            drawCard(across ? start + QPoint(static_cast<int>(k) * step, 0)
                            : start + QPoint(0, static_cast<int>(k) * step),
                     cards[k]);
        }
        QString label = QString::fromStdString(m_names[static_cast<size_t>(seat)]);
        if (seat == m_hand.dealer)
            label = tr("%1 (dealer)").arg(label);
        if (seat == m_hand.bidder)
            label = tr("%1 bid %2").arg(label).arg(m_hand.bid);
        QRect text;
        switch (seat) {
        case 0:
            text = QRect(0, height() - margin, width(), margin);
            break;
        case 2:
            text = QRect(0, 0, width(), margin);
            break;
        case 1:
            text = QRect(4, start.y() - margin, width() / 3, margin);
            break;
        default:
            text = QRect(width() * 2 / 3 - 4, start.y() - margin, width() / 3, margin);
            break;
        }
        p.drawText(text,
                   (seat == 1   ? Qt::AlignLeft
                    : seat == 3 ? Qt::AlignRight
                                : Qt::AlignHCenter) |
                       Qt::AlignVCenter,
                   label);
    }

    if (m_step == 0) {
        // The kitty, face up where the record knows it.
        const int kittyWidth = card.width() + 2 * overlap;
        for (size_t k = 0; k < 3; ++k)
            drawCard(
                QPoint(cx - kittyWidth / 2 + static_cast<int>(k) * overlap, cy - card.height() / 2),
                m_hand.kitty[k]);
        return;
    }
    const RecordedTrick& t = m_hand.tricks[static_cast<size_t>(m_step - 1)];
    // A cross, each card clear of the others: the player's below the middle, the partner's
    // above it, the side seats' level with it.
    const int left = cx - card.width() / 2;
    const std::array<QPoint, 4> place{QPoint(left, cy + gap / 2),
                                      QPoint(left - card.width() - gap, cy - card.height() / 2),
                                      QPoint(left, cy - card.height() - gap / 2),
                                      QPoint(left + card.width() + gap, cy - card.height() / 2)};
    for (int seat : t.order)
        drawCard(place[static_cast<size_t>(seat & 3)], t.bySeat[static_cast<size_t>(seat & 3)]);
    if (t.complete()) {
        const qreal pen = std::max(2.0, 3.0 * zoom);
        p.setPen(QPen(QColor(255, 200, 0), pen));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(place[static_cast<size_t>(t.winner)], card).adjusted(-1, -1, 1, 1),
                          3, 3);
    }
}

} // namespace corvane::ui
