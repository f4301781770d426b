// Court figures: each half of the panel holds a bust (head, headwear, hair, robe, the emblem it
// carries) and the other half is the same bust turned about the centre, as on printed cards.
// Black suits keep to blues, gold and black so that no red ever shows on a black card.
#include "ui/cards/court_painter.h"

#include "ui/cards/suit_painter.h"

#include <QPainter>
#include <QPainterPath>

namespace corvane::ui {

namespace {

const QRectF Panel(14.5, 9.0, 42.0, 78.0);

struct Palette {
    QColor ink;    // the suit's own colour: frame and pips
    QColor robe;   // main garment
    QColor second; // sleeves, feather, petals
    QColor jewel;  // stones in crowns
    QColor hair;
};

const QColor Gold(226, 176, 48);
const QColor GoldDark(150, 108, 20);
const QColor Skin(252, 224, 192);
const QColor Outline(40, 34, 30);
const QColor Cream(255, 250, 236);

Palette paletteFor(int suit, int face) {
    const QColor red(200, 22, 36);
    const QColor blue(36, 64, 150);
    const QColor black(26, 26, 32);
    Palette p;
    p.ink = suitInk(suit);
    switch (suit) {
    case Hearts:
        p.robe = red;
        p.second = blue;
        p.jewel = blue;
        break;
    case Diamonds:
        p.robe = blue;
        p.second = red;
        p.jewel = red;
        break;
    case Spades:
        p.robe = black;
        p.second = blue;
        p.jewel = blue;
        break;
    default:
        p.robe = blue;
        p.second = black;
        p.jewel = QColor(40, 150, 110);
        break;
    }
    if (face == King) {
        p.hair = QColor(236, 236, 240);
    } else if (face == Queen) {
        p.hair = QColor(120, 72, 30);
    } else {
        p.hair = QColor(176, 128, 50);
    }
    return p;
}

QPen outlinePen(qreal width = 0.5) {
    return QPen(Outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void paintRobe(QPainter& painter, const Palette& p, int suit, int face, qreal h) {
    QPainterPath robe;
    robe.moveTo(1.5, h);
    robe.lineTo(1.5, 32);
    robe.cubicTo(1.5, 26.5, 7, 23.5, 14, 22.5);
    robe.lineTo(30, 22.5);
    robe.cubicTo(37, 23.5, 40.5, 26.5, 40.5, 32);
    robe.lineTo(40.5, h);
    robe.closeSubpath();
    painter.setPen(outlinePen());
    painter.setBrush(p.robe);
    painter.drawPath(robe);
    // Sleeves in the second colour with gold cuffs.
    painter.setBrush(p.second);
    painter.drawRect(QRectF(1.5, 31, 7, h - 31));
    painter.drawRect(QRectF(33.5, 31, 7, h - 31));
    painter.setBrush(Gold);
    painter.drawRect(QRectF(1.5, 31, 7, 2));
    painter.drawRect(QRectF(33.5, 31, 7, 2));
    // The front panel: gold with a row of dots in the suit's ink.
    painter.setBrush(Gold);
    painter.drawRect(QRectF(19.5, 27, 5, h - 27));
    painter.setPen(Qt::NoPen);
    painter.setBrush(p.ink == suitInk(Hearts) ? p.ink : p.second);
    for (qreal y = 29.5; y < h - 1; y += 3) {
        painter.drawEllipse(QPointF(22, y), 0.9, 0.9);
    }
    // The suit's badge embroidered on the robe, either side of the front panel.
    paintSuit(painter, suit, QRectF(11.5, 31.5, 5, 5), Gold);
    paintSuit(painter, suit, QRectF(27.5, 31.5, 5, 5), Gold);
    // Collar: ermine for the King, lace for the Queen, a plain gold band for the Jack.
    QPainterPath collar;
    collar.moveTo(13, 22.5);
    collar.lineTo(31, 22.5);
    collar.lineTo(22, 30.5);
    collar.closeSubpath();
    painter.setPen(outlinePen());
    painter.setBrush(face == Jack ? Gold : Qt::white);
    painter.drawPath(collar);
    if (face == King) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Outline);
        for (const QPointF& d : {QPointF(17, 24), QPointF(22, 24), QPointF(27, 24),
                                 QPointF(19.5, 26.5), QPointF(24.5, 26.5)}) {
            painter.drawRect(QRectF(d.x() - 0.4, d.y() - 0.7, 0.8, 1.4));
        }
    } else if (face == Queen) {
        painter.setPen(QPen(p.second, 0.5));
        painter.setBrush(Qt::NoBrush);
        for (qreal x = 15; x <= 29; x += 2.8) {
            painter.drawArc(QRectF(x - 1.3, 21.8, 2.6, 2.6), 180 * 16, 180 * 16);
        }
    }
}

void paintHead(QPainter& painter, const Palette& p, int face) {
    const QPointF c(22, 14.5);
    painter.setPen(outlinePen());
    // Hair behind the face: the Queen's falls to her shoulders.
    painter.setBrush(p.hair);
    if (face == Queen) {
        QPainterPath hair;
        hair.moveTo(15, 11);
        hair.cubicTo(13, 17, 13.5, 21, 12, 24);
        hair.lineTo(32, 24);
        hair.cubicTo(30.5, 21, 31, 17, 29, 11);
        hair.closeSubpath();
        painter.drawPath(hair);
    } else {
        painter.drawEllipse(QRectF(c.x() - 7, c.y() - 7, 14, 11));
    }
    // Neck and face.
    painter.setBrush(Skin);
    painter.drawRect(QRectF(c.x() - 2.2, c.y() + 4, 4.4, 4.5));
    painter.drawEllipse(QRectF(c.x() - 5.3, c.y() - 6.3, 10.6, 12.6));
    if (face == King) {
        QPainterPath beard;
        beard.moveTo(c.x() - 5.2, c.y() + 0.5);
        beard.cubicTo(c.x() - 5, c.y() + 7, c.x() - 2, c.y() + 9.5, c.x(), c.y() + 10);
        beard.cubicTo(c.x() + 2, c.y() + 9.5, c.x() + 5, c.y() + 7, c.x() + 5.2, c.y() + 0.5);
        beard.cubicTo(c.x() + 3, c.y() + 3.5, c.x() - 3, c.y() + 3.5, c.x() - 5.2, c.y() + 0.5);
        painter.setBrush(p.hair);
        painter.drawPath(beard);
        // Moustache.
        painter.setPen(QPen(QColor(150, 150, 160), 0.7, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(c.x() - 2.8, c.y() + 3.2), QPointF(c.x(), c.y() + 2.4));
        painter.drawLine(QPointF(c.x() + 2.8, c.y() + 3.2), QPointF(c.x(), c.y() + 2.4));
    } else {
        painter.setPen(QPen(QColor(150, 80, 70), 0.6, Qt::SolidLine, Qt::RoundCap));
        if (p.ink != suitInk(Hearts)) {
            painter.setPen(QPen(QColor(120, 84, 70), 0.6, Qt::SolidLine, Qt::RoundCap));
        }
        painter.drawLine(QPointF(c.x() - 1.3, c.y() + 3), QPointF(c.x() + 1.3, c.y() + 3));
    }
    // Eyes, brows and nose.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Outline);
    painter.drawEllipse(QPointF(c.x() - 2.1, c.y() - 0.8), 0.65, 0.65);
    painter.drawEllipse(QPointF(c.x() + 2.1, c.y() - 0.8), 0.65, 0.65);
    painter.setPen(QPen(Outline, 0.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(c.x() - 3, c.y() - 2.3), QPointF(c.x() - 1.2, c.y() - 2.5));
    painter.drawLine(QPointF(c.x() + 3, c.y() - 2.3), QPointF(c.x() + 1.2, c.y() - 2.5));
    painter.drawLine(QPointF(c.x() + 0.2, c.y() - 0.5), QPointF(c.x() - 0.4, c.y() + 1.4));
}

void paintHeadwear(QPainter& painter, const Palette& p, int face) {
    painter.setPen(outlinePen());
    if (face == Jack) {
        // A flat cap, tilted, with a feather.
        QPainterPath feather;
        feather.moveTo(27, 8);
        feather.cubicTo(31, 2, 36, 1, 39, 2.5);
        feather.cubicTo(35, 3.5, 32, 6, 29, 9);
        feather.closeSubpath();
        painter.setBrush(p.second);
        painter.drawPath(feather);
        QPainterPath cap;
        cap.moveTo(14.5, 10.5);
        cap.cubicTo(14, 5, 20, 3, 25, 3.5);
        cap.cubicTo(29, 4, 31, 7, 30, 10);
        cap.closeSubpath();
        painter.setBrush(p.robe);
        painter.drawPath(cap);
        painter.setBrush(Gold);
        painter.drawRect(QRectF(14.5, 9, 15.5, 2));
        return;
    }
    // Crowns: five points for the King, a lower three-pointed one for the Queen.
    QPolygonF crown;
    if (face == King) {
        crown << QPointF(15.5, 9.5) << QPointF(14.5, 1.5) << QPointF(18.2, 5) << QPointF(22, 0.5)
              << QPointF(25.8, 5) << QPointF(29.5, 1.5) << QPointF(28.5, 9.5);
    } else {
        crown << QPointF(16.5, 9) << QPointF(16, 4) << QPointF(19.2, 6.2) << QPointF(22, 2.5)
              << QPointF(24.8, 6.2) << QPointF(28, 4) << QPointF(27.5, 9);
    }
    painter.setBrush(Gold);
    painter.drawPolygon(crown);
    painter.setPen(Qt::NoPen);
    painter.setBrush(p.jewel);
    painter.drawEllipse(QPointF(22, 7.3), 1.2, 1.2);
    painter.setBrush(GoldDark);
    for (int i = 1; i < crown.size() - 1; i += 2) {
        painter.drawEllipse(crown[i], 0.9, 0.9);
    }
}

void paintEmblem(QPainter& painter, const Palette& p, int face, qreal h) {
    painter.setPen(outlinePen());
    if (face == King) {
        // An upright sword beside the head.
        QPolygonF blade;
        blade << QPointF(35, 2) << QPointF(36.4, 4) << QPointF(36.4, 24) << QPointF(33.6, 24)
              << QPointF(33.6, 4);
        painter.setBrush(QColor(214, 220, 230));
        painter.drawPolygon(blade);
        painter.setBrush(Gold);
        painter.drawRect(QRectF(30.5, 24, 9, 1.8));
        painter.drawRect(QRectF(34.2, 25.8, 1.6, 4));
        painter.drawEllipse(QPointF(35, 30.5), 1.2, 1.2);
    } else if (face == Queen) {
        // A flower held up.
        painter.setPen(QPen(QColor(40, 110, 60), 0.8));
        painter.drawLine(QPointF(35.5, 10), QPointF(35.5, 30));
        painter.setPen(outlinePen(0.4));
        painter.setBrush(QColor(60, 140, 80));
        painter.drawEllipse(QRectF(35.5, 17, 4, 2));
        painter.setBrush(p.second);
        for (int i = 0; i < 5; ++i) {
            painter.save();
            painter.translate(35.5, 8);
            painter.rotate(i * 72);
            painter.drawEllipse(QRectF(-1.4, -4, 2.8, 4));
            painter.restore();
        }
        painter.setBrush(Gold);
        painter.drawEllipse(QPointF(35.5, 8), 1.3, 1.3);
    } else {
        // A halberd.
        painter.setPen(outlinePen(0.4));
        painter.setBrush(QColor(130, 88, 40));
        painter.drawRect(QRectF(35, 5, 1.5, h - 5));
        QPainterPath axe;
        axe.moveTo(35.75, 0.5);
        axe.lineTo(37.2, 5);
        axe.lineTo(34.3, 5);
        axe.closeSubpath();
        axe.moveTo(36.5, 6);
        axe.cubicTo(41, 6, 41, 12, 39.5, 14);
        axe.lineTo(36.5, 11);
        axe.closeSubpath();
        painter.setBrush(QColor(214, 220, 230));
        painter.drawPath(axe);
    }
}

void paintHalf(QPainter& painter, const Palette& p, int suit, int face) {
    const qreal h = Panel.height() / 2;
    painter.translate(0, 1.0);
    paintRobe(painter, p, suit, face, h);
    paintEmblem(painter, p, face, h);
    paintHead(painter, p, face);
    paintHeadwear(painter, p, face);
    paintSuit(painter, suit, QRectF(2.5, 2.5, 8, 8), p.ink);
}

} // namespace

void paintCourt(QPainter& painter, Card card) {
    const Palette p = paletteFor(card.suit(), card.face());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Cream);
    painter.drawRect(Panel);
    painter.save();
    painter.setClipRect(Panel.adjusted(0.6, 0.6, -0.6, -0.6));
    for (int half = 0; half < 2; ++half) {
        painter.save();
        if (half == 1) {
            painter.translate(Panel.center());
            painter.rotate(180);
            painter.translate(-Panel.center());
        }
        painter.translate(Panel.topLeft());
        paintHalf(painter, p, card.suit(), card.face());
        painter.restore();
    }
    painter.restore();
    // The divide between the two halves and the frame.
    painter.setPen(QPen(p.ink, 0.5));
    painter.setBrush(Gold);
    painter.drawRect(QRectF(Panel.left(), Panel.center().y() - 0.9, Panel.width(), 1.8));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(p.ink, 0.9));
    painter.drawRect(Panel);
    painter.setPen(QPen(Gold, 0.5));
    painter.drawRect(Panel.adjusted(1.3, 1.3, -1.3, -1.3));
    painter.restore();
}

} // namespace corvane::ui
