// The layout is given in twips; the window draws at 15 twips to a pixel and leaves the rest of the
// scaling to Qt's device pixel ratio.
#pragma once

#include "table/layout.h"

#include <QPoint>
#include <QRect>

namespace corvane::ui {

inline constexpr int TwipsPerPixel = 15;

constexpr int px(int twips) {
    return twips / TwipsPerPixel;
}
inline QPoint toPixels(Point p) {
    return {px(p.left), px(p.top)};
}
inline QRect twipRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

} // namespace corvane::ui
