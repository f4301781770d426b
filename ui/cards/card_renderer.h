// ui/cards: the card faces, backs and suit symbols, painted by the program itself.
// Our own drawing of the cards: the 52 faces, the eight back designs and the four suit symbols,
// painted with QPainter at any device pixel ratio and cached. A card is 71 x 96 at 1x.
#pragma once

#include "cards/card.h"

#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace corvane::ui {

inline constexpr QSize CardPixelSize{71, 96};
inline constexpr int BackDesignCount = 8;

class CardRenderer {
public:
    // The face of a card, CardPixelSize times `zoom` in device-independent pixels at ratio `dpr`,
    // painted afresh at that size.
    QPixmap face(Card card, qreal dpr = 1.0, qreal zoom = 1.0);
    // Back design 0-7 (out-of-range designs are taken modulo eight).
    QPixmap back(int design, qreal dpr = 1.0, qreal zoom = 1.0);
    // A card's size in device-independent pixels at `zoom`.
    static QSize cardSize(qreal zoom);
    // The symbol of suit 0 spades, 1 diamonds, 2 clubs, 3 hearts, `pixels` square.
    QPixmap suitSymbol(int suit, int pixels, qreal dpr = 1.0);
    // A short name of a back design for its tooltip.
    static QString backName(int design);
    // The program's window icon.
    QIcon windowIcon();

    std::size_t cachedCount() const { return static_cast<std::size_t>(m_cache.size()); }

private:
    QPixmap iconImage(int pixels);

    QHash<quint64, QPixmap> m_cache;
};

// The one renderer the window and its dialogs share.
CardRenderer& cardRenderer();

} // namespace corvane::ui
