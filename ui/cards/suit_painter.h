// The four suit symbols as vector outlines and the two inks, shared by the faces, the indexes,
// the suit pictures and the window icon, so a suit looks the same at every size and on every
// system.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

class QPainter;

namespace corvane::ui {

// The ink of a suit: a warm red for diamonds and hearts, a soft black for spades and clubs.
QColor suitInk(int suit);

// The outline of suit 0 spades, 1 diamonds, 2 clubs, 3 hearts in a 100 x 100 box at the origin.
const QPainterPath& suitOutline(int suit);

// Fills the suit's outline into `box` (centred, aspect kept), upside down when `inverted`.
void paintSuit(QPainter& painter, int suit, const QRectF& box, const QColor& ink,
               bool inverted = false);
inline void paintSuit(QPainter& painter, int suit, const QRectF& box, bool inverted = false) {
    paintSuit(painter, suit, box, suitInk(suit), inverted);
}

// The outline placed into `box` the way paintSuit draws it, for strokes and clips.
QPainterPath suitPathIn(int suit, const QRectF& box, bool inverted = false);

} // namespace corvane::ui
