// The court panels of the Jacks, Queens and Kings: a framed, two-headed figure in the suit's
// colours, painted in card coordinates.
#pragma once

#include "cards/card.h"

class QPainter;

namespace corvane::ui {

// The framed panel with the mirrored figure of a Jack, Queen or King (indexes not included).
void paintCourt(QPainter& painter, Card card);

} // namespace corvane::ui
