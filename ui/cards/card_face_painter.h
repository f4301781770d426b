// Painting one card face, the white card with its corner indexes and its pips, ace or court
// panel, in card coordinates (CardPixelSize, device-independent pixels).
#pragma once

#include "cards/card.h"

#include <QRectF>

class QPainter;

namespace corvane::ui {

// The card's outline: the rounded rectangle every face and back is cut to.
QRectF cardRect();
inline constexpr qreal CardCornerRadius = 4.5;

// The white card with its thin border, corners left transparent.
void paintCardBlank(QPainter& painter);

// The whole face of `card`.
void paintFace(QPainter& painter, Card card);

} // namespace corvane::ui
