// Back designs. Each fills the field inside the white margin with a repeating pattern; the
// patterns are centred on the card so both ends look alike, as a back should when turned round.
#include "ui/cards/card_back_painter.h"

#include "ui/cards/card_face_painter.h"
#include "ui/cards/suit_painter.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <numbers>

namespace corvane::ui {

namespace {

constexpr qreal Margin = 4.0;
constexpr qreal FieldRadius = 2.5;

QRectF field() {
    return cardRect().adjusted(Margin, Margin, -Margin, -Margin);
}

// Centre-symmetric tiling: the steps run outwards from the card's centre.
template <typename Fn> void tile(qreal stepX, qreal stepY, bool stagger, Fn&& fn) {
    const QRectF f = field();
    const QPointF c = f.center();
    const int nx = static_cast<int>(f.width() / stepX / 2) + 2;
    const int ny = static_cast<int>(f.height() / stepY / 2) + 2;
    for (int j = -ny; j <= ny; ++j) {
        const qreal shift = (stagger && (j & 1)) ? stepX / 2 : 0.0;
        for (int i = -nx; i <= nx; ++i) {
            fn(QPointF(c.x() + i * stepX + shift, c.y() + j * stepY), i, j);
        }
    }
}

void innerFrame(QPainter& painter, const QColor& colour, qreal inset = 2.0, qreal width = 0.7) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, width));
    painter.drawRoundedRect(field().adjusted(inset, inset, -inset, -inset), 1.5, 1.5);
}

void blueLattice(QPainter& painter) {
    const QRectF f = field();
    QLinearGradient g(f.topLeft(), f.bottomRight());
    g.setColorAt(0, QColor(30, 76, 170));
    g.setColorAt(0.5, QColor(22, 58, 140));
    g.setColorAt(1, QColor(30, 76, 170));
    painter.fillRect(f, g);
    painter.setPen(QPen(QColor(150, 185, 245), 0.7));
    const QPointF c = f.center();
    for (int k = -30; k <= 30; ++k) {
        const qreal o = k * 6.0;
        painter.drawLine(QPointF(c.x() + o - 100, c.y() - 100),
                         QPointF(c.x() + o + 100, c.y() + 100));
        painter.drawLine(QPointF(c.x() + o + 100, c.y() - 100),
                         QPointF(c.x() + o - 100, c.y() + 100));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    tile(6, 6, false, [&](QPointF p, int, int) { painter.drawEllipse(p, 0.8, 0.8); });
    painter.setBrush(QColor(255, 255, 255, 110));
    tile(6, 6, false,
         [&](QPointF p, int, int) { painter.drawEllipse(p + QPointF(3, 3), 1.1, 1.1); });
    innerFrame(painter, Qt::white);
}

void redDiamonds(QPainter& painter) {
    const QRectF f = field();
    painter.fillRect(f, QColor(170, 18, 36));
    const QColor light(214, 44, 60);
    tile(8, 10, false, [&](QPointF p, int i, int j) {
        QPolygonF d;
        d << p + QPointF(0, -5) << p + QPointF(4, 0) << p + QPointF(0, 5) << p + QPointF(-4, 0);
        painter.setPen(QPen(QColor(250, 210, 120), 0.5));
        painter.setBrush(((i + j) & 1) ? light : QColor(140, 10, 28));
        painter.drawPolygon(d);
    });
    innerFrame(painter, QColor(250, 220, 140), 2.0, 0.9);
}

void greenTartan(QPainter& painter) {
    const QRectF f = field();
    painter.fillRect(f, QColor(24, 104, 62));
    const QPointF c = f.center();
    const qreal period = 16;
    struct Band {
        qreal offset, width;
        QColor colour;
    };
    const std::array<Band, 4> bands{{{0, 7, QColor(10, 50, 30, 150)},
                                     {8, 3, QColor(20, 30, 90, 140)},
                                     {4.5, 0.7, QColor(245, 215, 90, 220)},
                                     {12, 0.6, QColor(210, 40, 40, 200)}}};
    painter.setPen(Qt::NoPen);
    for (const Band& b : bands) {
        painter.setBrush(b.colour);
        for (int k = -6; k <= 6; ++k) {
            const qreal x = c.x() + k * period + b.offset - b.width / 2;
            const qreal y = c.y() + k * period + b.offset - b.width / 2;
            painter.drawRect(QRectF(x, f.top(), b.width, f.height()));
            painter.drawRect(QRectF(f.left(), y, f.width(), b.width));
        }
    }
    innerFrame(painter, QColor(245, 215, 90));
}

void celticRings(QPainter& painter) {
    const QRectF f = field();
    QRadialGradient g(f.center(), 50);
    g.setColorAt(0, QColor(36, 110, 90));
    g.setColorAt(1, QColor(16, 64, 54));
    painter.fillRect(f, g);
    painter.setBrush(Qt::NoBrush);
    // Rings drawn twice, dark then gold, so every crossing reads as woven.
    for (const auto& [colour, width] :
         {std::pair{QColor(8, 36, 30), 2.6}, std::pair{QColor(232, 196, 90), 1.2}}) {
        painter.setPen(QPen(colour, width));
        tile(10.5, 10.5, false, [&](QPointF p, int i, int j) {
            if (((i + j) & 1) == 0) {
                painter.drawEllipse(p, 7.4, 7.4);
            }
        });
    }
    for (const auto& [colour, width] :
         {std::pair{QColor(8, 36, 30), 2.6}, std::pair{QColor(232, 196, 90), 1.2}}) {
        painter.setPen(QPen(colour, width));
        tile(10.5, 10.5, false, [&](QPointF p, int i, int j) {
            if (((i + j) & 1) == 1) {
                painter.drawArc(QRectF(p.x() - 7.4, p.y() - 7.4, 14.8, 14.8), 0, 180 * 16);
            }
        });
    }
    innerFrame(painter, QColor(232, 196, 90));
}

void oceanWaves(QPainter& painter) {
    const QRectF f = field();
    painter.fillRect(f, QColor(18, 96, 140));
    const qreal r = 7.0;
    const QRectF fld = field();
    const QPointF c = fld.center();
    for (int j = -12; j <= 12; ++j) {
        const qreal y = c.y() + j * r * 0.5;
        const qreal shift = (j & 1) ? r : 0.0;
        for (int i = -8; i <= 8; ++i) {
            const QPointF p(c.x() + i * 2 * r + shift, y);
            for (int ring = 0; ring < 4; ++ring) {
                const qreal rr = r - ring * 1.75;
                painter.setPen(Qt::NoPen);
                painter.setBrush(ring % 2 ? QColor(40, 140, 190) : QColor(14, 80, 124));
                if (ring == 0) {
                    painter.setPen(QPen(QColor(220, 240, 250), 0.6));
                }
                painter.drawEllipse(p, rr, rr);
            }
        }
    }
    innerFrame(painter, Qt::white);
}

void sunburst(QPainter& painter) {
    const QRectF f = field();
    const QPointF c = f.center();
    painter.fillRect(f, QColor(222, 110, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(246, 172, 40));
    for (int k = 0; k < 36; k += 2) {
        QPainterPath ray;
        ray.moveTo(c);
        ray.arcTo(QRectF(c.x() - 90, c.y() - 90, 180, 180), k * 10.0, 10.0);
        ray.closeSubpath();
        painter.drawPath(ray);
    }
    QRadialGradient glow(c, 16);
    glow.setColorAt(0, QColor(255, 246, 190));
    glow.setColorAt(0.6, QColor(252, 214, 90));
    glow.setColorAt(1, QColor(236, 150, 30));
    painter.setBrush(glow);
    painter.setPen(QPen(QColor(150, 60, 10), 0.8));
    painter.drawEllipse(c, 12, 12);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(c, 14.5, 14.5);
    innerFrame(painter, QColor(255, 240, 200));
}

QPainterPath mapleLeaf() {
    static const QPointF half[] = {{0, -1},       {0.14, -0.6}, {0.4, -0.74}, {0.32, -0.28},
                                   {0.74, -0.52}, {0.64, -0.2}, {0.98, -0.1}, {0.58, 0.16},
                                   {0.66, 0.42},  {0.1, 0.3},   {0.07, 0.85}};
    QPolygonF poly;
    for (const QPointF& p : half) {
        poly << p;
    }
    for (int k = static_cast<int>(std::size(half)) - 1; k >= 1; --k) {
        poly << QPointF(-half[k].x(), half[k].y());
    }
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

void mapleLeaves(QPainter& painter) {
    const QRectF f = field();
    painter.fillRect(f, QColor(74, 44, 26));
    const QPainterPath leaf = mapleLeaf();
    tile(12, 12, true, [&](QPointF p, int i, int j) {
        painter.save();
        painter.translate(p);
        painter.rotate(((i + j) & 1) ? -18 : 18);
        painter.scale(4.6, 4.6);
        painter.setPen(Qt::NoPen);
        painter.setBrush((j & 1) ? QColor(236, 180, 60) : QColor(226, 100, 30));
        painter.drawPath(leaf);
        painter.restore();
    });
    innerFrame(painter, QColor(240, 200, 120));
}

QPainterPath star(QPointF c, qreal outer) {
    QPolygonF poly;
    for (int k = 0; k < 10; ++k) {
        const qreal r = (k & 1) ? outer * 0.42 : outer;
        const qreal a = (-90 + k * 36) * std::numbers::pi / 180;
        poly << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    }
    QPainterPath p;
    p.addPolygon(poly);
    p.closeSubpath();
    return p;
}

void stars(QPainter& painter) {
    const QRectF f = field();
    QLinearGradient g(f.topLeft(), f.bottomLeft());
    g.setColorAt(0, QColor(18, 26, 74));
    g.setColorAt(0.5, QColor(30, 42, 110));
    g.setColorAt(1, QColor(18, 26, 74));
    painter.fillRect(f, g);
    painter.setPen(Qt::NoPen);
    tile(10, 10, true, [&](QPointF p, int i, int j) {
        const bool big = ((i + j) & 1) == 0;
        painter.setBrush(big ? QColor(250, 212, 80) : QColor(220, 230, 255));
        painter.drawPath(star(p, big ? 3.4 : 1.8));
    });
    innerFrame(painter, QColor(250, 212, 80));
}

} // namespace

void paintBack(QPainter& painter, int design) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintCardBlank(painter);
    painter.save();
    QPainterPath clip;
    clip.addRoundedRect(field(), FieldRadius, FieldRadius);
    painter.setClipPath(clip);
    switch (design & 7) {
    case 0:
        blueLattice(painter);
        break;
    case 1:
        redDiamonds(painter);
        break;
    case 2:
        greenTartan(painter);
        break;
    case 3:
        celticRings(painter);
        break;
    case 4:
        oceanWaves(painter);
        break;
    case 5:
        sunburst(painter);
        break;
    case 6:
        mapleLeaves(painter);
        break;
    default:
        stars(painter);
        break;
    }
    painter.restore();
    painter.restore();
}

QString backDesignName(int design) {
    static const char* const names[8] = {QT_TRANSLATE_NOOP("CardBacks", "Blue Lattice"),
                                         QT_TRANSLATE_NOOP("CardBacks", "Red Diamonds"),
                                         QT_TRANSLATE_NOOP("CardBacks", "Green Tartan"),
                                         QT_TRANSLATE_NOOP("CardBacks", "Celtic Rings"),
                                         QT_TRANSLATE_NOOP("CardBacks", "Ocean Waves"),
                                         QT_TRANSLATE_NOOP("CardBacks", "Sunburst"),
                                         QT_TRANSLATE_NOOP("CardBacks", "Maple Leaves"),
                                         QT_TRANSLATE_NOOP("CardBacks", "Starry Night")};
    return QCoreApplication::translate("CardBacks", names[design & 7]);
}

} // namespace corvane::ui
