// The renderer's pixmaps: each picture is painted once per size and screen density and kept,
// since the table asks for the same faces and backs on every repaint.
#include "ui/cards/card_renderer.h"

#include "ui/cards/card_back_painter.h"
#include "ui/cards/card_face_painter.h"
#include "ui/cards/suit_painter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace corvane::ui {

namespace {

enum class Kind : quint64 { Face = 1, Back = 2, Suit = 3, Icon = 4 };

// Kind, subject (card number, design or suit), logical size and density in hundredths.
quint64 cacheKey(Kind kind, int subject, int pixels, qreal dpr) {
    const auto density = static_cast<quint64>(std::lround(dpr * 100)) & 0xFFFFF;
    return (static_cast<quint64>(kind) << 56) | (static_cast<quint64>(subject & 0xFF) << 48) |
           (static_cast<quint64>(pixels & 0xFFFFF) << 20) | density;
}

QPixmap canvas(QSize logical, qreal dpr) {
    QPixmap pixmap(QSize(static_cast<int>(std::ceil(logical.width() * dpr - 0.01)),
                         static_cast<int>(std::ceil(logical.height() * dpr - 0.01))));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

qreal sanitisedDpr(qreal dpr) {
    return (dpr >= 0.25 && dpr <= 16.0) ? dpr : 1.0;
}

// The cached picture under `key`, or a new one of `logical` size that `paint` draws, kept.
template <typename Paint>
QPixmap cachedOrPainted(QHash<quint64, QPixmap>& cache, quint64 key, QSize logical, qreal dpr,
                        Paint&& paint) {
    if (const auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QPixmap pixmap = canvas(logical, dpr);
    {
        QPainter painter(&pixmap);
        paint(painter);
    }
    cache.insert(key, pixmap);
    return pixmap;
}

} // namespace

QSize CardRenderer::cardSize(qreal zoom) {
    zoom = std::clamp(zoom, 0.25, 16.0);
    return {static_cast<int>(CardPixelSize.width() * zoom + 0.5),
            static_cast<int>(CardPixelSize.height() * zoom + 0.5)};
}

QPixmap CardRenderer::face(Card card, qreal dpr, qreal zoom) {
    dpr = sanitisedDpr(dpr);
    const QSize size = cardSize(zoom);
    return cachedOrPainted(m_cache, cacheKey(Kind::Face, card.number(), size.width(), dpr), size,
                           dpr, [&](QPainter& painter) {
                               painter.scale(size.width() / qreal(CardPixelSize.width()),
                                             size.height() / qreal(CardPixelSize.height()));
                               paintFace(painter, card);
                           });
}

QPixmap CardRenderer::back(int design, qreal dpr, qreal zoom) {
    dpr = sanitisedDpr(dpr);
    design = ((design % BackDesignCount) + BackDesignCount) % BackDesignCount;
    const QSize size = cardSize(zoom);
    return cachedOrPainted(m_cache, cacheKey(Kind::Back, design, size.width(), dpr), size, dpr,
                           [&](QPainter& painter) {
                               painter.scale(size.width() / qreal(CardPixelSize.width()),
                                             size.height() / qreal(CardPixelSize.height()));
                               paintBack(painter, design);
                           });
}

QPixmap CardRenderer::suitSymbol(int suit, int pixels, qreal dpr) {
    dpr = sanitisedDpr(dpr);
    suit &= 3;
    pixels = std::clamp(pixels, 1, 4096);
    return cachedOrPainted(m_cache, cacheKey(Kind::Suit, suit, pixels, dpr), QSize(pixels, pixels),
                           dpr, [&](QPainter& painter) {
                               const qreal pad = pixels * 0.06;
                               paintSuit(painter, suit,
                                         QRectF(pad, pad, pixels - 2 * pad, pixels - 2 * pad));
                           });
}

QString CardRenderer::backName(int design) {
    return backDesignName(((design % BackDesignCount) + BackDesignCount) % BackDesignCount);
}

QPixmap CardRenderer::iconImage(int pixels) {
    return cachedOrPainted(
        m_cache, cacheKey(Kind::Icon, 0, pixels, 1.0), QSize(pixels, pixels), 1.0,
        [&](QPainter& painter) {
            painter.setRenderHint(QPainter::Antialiasing);
            const qreal s = pixels;
            // A small white card, tilted, with the four suits; at the smallest sizes only the
            // spade and heart, which still read at sixteen pixels.
            painter.translate(s / 2, s / 2);
            painter.rotate(-8);
            const QRectF card(-s * 0.36, -s * 0.47, s * 0.72, s * 0.94);
            painter.setPen(QPen(QColor(60, 60, 70), std::max(1.0, s / 48)));
            painter.setBrush(Qt::white);
            painter.drawRoundedRect(card, s * 0.08, s * 0.08);
            if (pixels < 32) {
                paintSuit(painter, Spades, QRectF(-s * 0.32, -s * 0.40, s * 0.42, s * 0.42));
                paintSuit(painter, Hearts, QRectF(-s * 0.10, -s * 0.02, s * 0.42, s * 0.42));
            } else {
                const qreal q = s * 0.3;
                paintSuit(painter, Spades, QRectF(-s * 0.32, -s * 0.4, q, q));
                paintSuit(painter, Hearts, QRectF(s * 0.02, -s * 0.4, q, q));
                paintSuit(painter, Diamonds, QRectF(-s * 0.32, s * 0.08, q, q));
                paintSuit(painter, Clubs, QRectF(s * 0.02, s * 0.08, q, q));
            }
        });
}

QIcon CardRenderer::windowIcon() {
    QIcon icon;
    for (int pixels : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(iconImage(pixels));
    }
    return icon;
}

CardRenderer& cardRenderer() {
    static CardRenderer renderer;
    return renderer;
}

} // namespace corvane::ui
