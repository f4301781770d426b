// The glide of a dealt or drawn card: steps of 120 twips towards home on each axis, then home.
#pragma once

#include "table/layout.h"

#include <vector>

namespace corvane {

// Every intermediate position from `from` to `home`, `home` last. An axis that is off the 120-twip
// grid takes a shorter last step, so the glide always ends exactly at home.
std::vector<Point> glidePath(Point from, Point home);

// The spiral on which a won game sends a seat's table card off: 472 positions.
std::vector<Point> spiralPath(int seat, Point start);

// Where that spiral ends.
Point spiralEnd(int seat, Point start);

} // namespace corvane
