// The eight card-back designs, painted in card coordinates, and their short names.
#pragma once

#include <QString>

class QPainter;

namespace corvane::ui {

// Back design 0-7 (taken modulo eight): a white-margined card with a patterned field.
void paintBack(QPainter& painter, int design);

// "Blue Lattice", "Red Diamonds", ... for tooltips.
QString backDesignName(int design);

} // namespace corvane::ui
