// Suit outlines drawn from curves rather than font glyphs: a font's hearts and clubs differ from
// one system to the next and blur at the small sizes of the corner indexes.
#include "ui/cards/suit_painter.h"

#include <QPainter>
#include <QTransform>
#include <array>

namespace corvane::ui {

namespace {

QPainterPath spade() {
    QPainterPath p;
    p.moveTo(50, 1);
    p.cubicTo(58, 18, 97, 34, 97, 60);
    p.cubicTo(97, 75, 86, 84, 73, 84);
    p.cubicTo(64, 84, 57, 80, 53, 73);
    p.cubicTo(54, 86, 60, 93, 70, 99);
    p.lineTo(30, 99);
    p.cubicTo(40, 93, 46, 86, 47, 73);
    p.cubicTo(43, 80, 36, 84, 27, 84);
    p.cubicTo(14, 84, 3, 75, 3, 60);
    p.cubicTo(3, 34, 42, 18, 50, 1);
    p.closeSubpath();
    return p;
}

QPainterPath diamond() {
    QPainterPath p;
    p.moveTo(50, 1);
    p.cubicTo(59, 17, 72, 35, 88, 50);
    p.cubicTo(72, 65, 59, 83, 50, 99);
    p.cubicTo(41, 83, 28, 65, 12, 50);
    p.cubicTo(28, 35, 41, 17, 50, 1);
    p.closeSubpath();
    return p;
}

QPainterPath club() {
    QPainterPath lobes;
    lobes.setFillRule(Qt::WindingFill);
    lobes.addEllipse(QPointF(50, 25), 23, 23);
    lobes.addEllipse(QPointF(25, 60), 23, 23);
    lobes.addEllipse(QPointF(75, 60), 23, 23);
    lobes.addEllipse(QPointF(50, 52), 12, 12);
    QPainterPath stem;
    stem.moveTo(46.5, 55);
    stem.cubicTo(46, 78, 42, 90, 30, 99);
    stem.lineTo(70, 99);
    stem.cubicTo(58, 90, 54, 78, 53.5, 55);
    stem.closeSubpath();
    return lobes.united(stem).simplified();
}

QPainterPath heart() {
    QPainterPath p;
    p.moveTo(50, 97);
    p.cubicTo(38, 80, 2, 58, 2, 31);
    p.cubicTo(2, 14, 14, 3, 28, 3);
    p.cubicTo(39, 3, 47, 10, 50, 20);
    p.cubicTo(53, 10, 61, 3, 72, 3);
    p.cubicTo(86, 3, 98, 14, 98, 31);
    p.cubicTo(98, 58, 62, 80, 50, 97);
    p.closeSubpath();
    return p;
}

} // namespace

QColor suitInk(int suit) {
    return (suit & 1) ? QColor(204, 18, 38) : QColor(22, 22, 28);
}

const QPainterPath& suitOutline(int suit) {
    static const std::array<QPainterPath, 4> outlines{spade(), diamond(), club(), heart()};
    return outlines[static_cast<std::size_t>(suit & 3)];
}

QPainterPath suitPathIn(int suit, const QRectF& box, bool inverted) {
    const qreal side = std::min(box.width(), box.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    if (inverted) {
        t.rotate(180);
    }
    t.scale(side / 100.0, side / 100.0);
    t.translate(-50, -50);
    return t.map(suitOutline(suit));
}

void paintSuit(QPainter& painter, int suit, const QRectF& box, const QColor& ink, bool inverted) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(suitPathIn(suit, box, inverted));
    painter.restore();
}

} // namespace corvane::ui
