// The faces: the blank card, the two corner indexes, the classic pip patterns of the spot cards
// and the large ace pip. Court panels are in court_painter.cpp.
#include "ui/cards/card_face_painter.h"

#include "ui/cards/card_renderer.h"
#include "ui/cards/court_painter.h"
#include "ui/cards/suit_painter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <span>

namespace corvane::ui {

namespace {

constexpr qreal IndexCentreX = 7.5;
constexpr qreal IndexTop = 4.5;
constexpr qreal IndexRankHeight = 10.0;
constexpr qreal IndexPipSize = 7.5;

QString rankText(int face) {
    switch (face) {
    case Ace:
        return QStringLiteral("A");
    case Jack:
        return QStringLiteral("J");
    case Queen:
        return QStringLiteral("Q");
    case King:
        return QStringLiteral("K");
    default:
        return QString::number(face);
    }
}

// The rank as an outline fitted to a fixed cap height: fonts differ in their metrics, so the
// glyphs are measured and scaled rather than trusted to a point size.
QPainterPath rankPath(int face) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("Times New Roman"), QStringLiteral("serif")});
    font.setBold(true);
    font.setPixelSize(100);
    font.setStretch(face == 10 ? QFont::ExtraCondensed : QFont::SemiCondensed);
    font.setLetterSpacing(QFont::AbsoluteSpacing, face == 10 ? -6 : 0);
    QPainterPath text;
    text.addText(0, 0, font, rankText(face));
    const QRectF bounds = text.boundingRect();
    const qreal maxWidth = face == 10 ? 11.5 : 9.0;
    const qreal sy = IndexRankHeight / bounds.height();
    const qreal sx = std::min(sy, maxWidth / bounds.width());
    QTransform t;
    t.translate(IndexCentreX, IndexTop);
    t.scale(sx, sy);
    t.translate(-bounds.center().x(), -bounds.top());
    return t.map(text);
}

void paintIndex(QPainter& painter, Card card) {
    const QColor ink = suitInk(card.suit());
    const QPainterPath rank = rankPath(card.face());
    const QRectF pipBox(IndexCentreX - IndexPipSize / 2, IndexTop + IndexRankHeight + 2.5,
                        IndexPipSize, IndexPipSize);
    for (int corner = 0; corner < 2; ++corner) {
        painter.save();
        if (corner == 1) {
            painter.translate(CardPixelSize.width(), CardPixelSize.height());
            painter.rotate(180);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawPath(rank);
        paintSuit(painter, card.suit(), pipBox, ink);
        painter.restore();
    }
}

struct Pip {
    qreal column; // 0 left, 1 middle, 2 right
    qreal row;    // 0 top to 1 bottom of the pip field
};

// The classic patterns: pips below the middle stand upside down.
std::span<const Pip> pipPattern(int face) {
    static constexpr Pip two[] = {{1, 0}, {1, 1}};
    static constexpr Pip three[] = {{1, 0}, {1, 0.5}, {1, 1}};
    static constexpr Pip four[] = {{0, 0}, {2, 0}, {0, 1}, {2, 1}};
    static constexpr Pip five[] = {{0, 0}, {2, 0}, {1, 0.5}, {0, 1}, {2, 1}};
    static constexpr Pip six[] = {{0, 0}, {2, 0}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}};
    static constexpr Pip seven[] = {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}};
    static constexpr Pip eight[] = {{0, 0},   {2, 0},    {1, 0.25}, {0, 0.5},
                                    {2, 0.5}, {1, 0.75}, {0, 1},    {2, 1}};
    static constexpr Pip nine[] = {{0, 0},       {2, 0},       {0, 1.0 / 3}, {2, 1.0 / 3}, {1, 0.5},
                                   {0, 2.0 / 3}, {2, 2.0 / 3}, {0, 1},       {2, 1}};
    static constexpr Pip ten[] = {{0, 0},       {2, 0},       {1, 1.0 / 6}, {0, 1.0 / 3},
                                  {2, 1.0 / 3}, {0, 2.0 / 3}, {2, 2.0 / 3}, {1, 5.0 / 6},
                                  {0, 1},       {2, 1}};
    switch (face) {
    case 2:
        return two;
    case 3:
        return three;
    case 4:
        return four;
    case 5:
        return five;
    case 6:
        return six;
    case 7:
        return seven;
    case 8:
        return eight;
    case 9:
        return nine;
    default:
        return ten;
    }
}

void paintPips(QPainter& painter, Card card) {
    constexpr qreal columns[] = {21.5, 35.5, 49.5};
    constexpr qreal top = 17.0;
    constexpr qreal bottom = 79.0;
    constexpr qreal size = 13.5;
    for (const Pip& pip : pipPattern(card.face())) {
        const QPointF centre(columns[static_cast<int>(pip.column)], top + (bottom - top) * pip.row);
        const QRectF box(centre.x() - size / 2, centre.y() - size / 2, size, size);
        paintSuit(painter, card.suit(), box, pip.row > 0.5);
    }
}

// The ace of spades carries the maker's flourish: a ringed medallion behind a large spade with
// an inner white line.
void paintAceOfSpades(QPainter& painter) {
    const QPointF centre(35.5, 48);
    const QColor ink = suitInk(Spades);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink, 0.9));
    painter.drawEllipse(centre, 25.5, 25.5);
    painter.setPen(QPen(ink, 0.5));
    painter.drawEllipse(centre, 23.3, 23.3);
    // Beads around the ring.
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (int i = 0; i < 24; ++i) {
        painter.save();
        painter.translate(centre);
        painter.rotate(i * 15.0 + 7.5);
        painter.drawEllipse(QPointF(0, -27.6), i % 2 ? 0.7 : 1.1, i % 2 ? 0.7 : 1.1);
        painter.restore();
    }
    // Leaves left and right of the ring.
    for (int side = -1; side <= 1; side += 2) {
        QPainterPath leaf;
        const qreal x = centre.x() + side * 25.5;
        leaf.moveTo(x, centre.y() - 7);
        leaf.cubicTo(x + side * 5, centre.y() - 4, x + side * 5, centre.y() + 4, x, centre.y() + 7);
        leaf.cubicTo(x + side * 2, centre.y() + 3, x + side * 2, centre.y() - 3, x, centre.y() - 7);
        painter.drawPath(leaf);
    }
    const QRectF spadeBox(centre.x() - 19, centre.y() - 20, 38, 38);
    paintSuit(painter, Spades, spadeBox, ink);
    const QRectF inner = spadeBox.adjusted(5.5, 5.5, -5.5, -5.5).translated(0, -1.2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 0.7));
    painter.drawPath(suitPathIn(Spades, inner));
    // A small four-pointed star in the heart of the spade.
    QPainterPath star;
    const QPointF s(centre.x(), centre.y() - 0.5);
    star.moveTo(s + QPointF(0, -5));
    star.quadTo(s, s + QPointF(3.2, 0));
    star.quadTo(s, s + QPointF(0, 5));
    star.quadTo(s, s + QPointF(-3.2, 0));
    star.quadTo(s, s + QPointF(0, -5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(star);
    painter.restore();
}

void paintAce(QPainter& painter, Card card) {
    if (card.suit() == Spades) {
        paintAceOfSpades(painter);
        return;
    }
    const qreal size = card.suit() == Diamonds ? 30 : 28;
    paintSuit(painter, card.suit(), QRectF(35.5 - size / 2, 48 - size / 2, size, size));
}

} // namespace

QRectF cardRect() {
    return QRectF(0, 0, CardPixelSize.width(), CardPixelSize.height());
}

void paintCardBlank(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(96, 96, 104), 0.8));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(cardRect().adjusted(0.4, 0.4, -0.4, -0.4), CardCornerRadius,
                            CardCornerRadius);
    painter.restore();
}

void paintFace(QPainter& painter, Card card) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintCardBlank(painter);
    if (card.isValid()) {
        if (card.face() >= Jack) {
            paintCourt(painter, card);
        } else if (card.face() == Ace) {
            paintAce(painter, card);
        } else {
            paintPips(painter, card);
        }
        paintIndex(painter, card);
    }
    painter.restore();
}

} // namespace corvane::ui
