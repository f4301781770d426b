// Where every dialog of the table goes: over the bottom right corner of the table window, its own
// bottom right corner 350 twips left of and 600 twips above the window's, and above the window.
#pragma once

#include "ui/table/twips.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace corvane::ui {

inline constexpr int PlacementRightTwips = 350;
inline constexpr int PlacementBottomTwips = 600;

// A rectangle of a dialog layout given in twips, in pixels rounded to the nearest pixel, so that a
// 1060 x 1435 card picture comes out a full card of 71 x 96.
constexpr int twipsToPixels(int twips) {
    return (twips >= 0 ? twips + TwipsPerPixel / 2 : twips - TwipsPerPixel / 2) / TwipsPerPixel;
}
constexpr QRect pixelRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// A window's outer rectangle (frame and title bar included) in twips.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct TwipPoint {
    int left = 0;
    int top = 0;
    bool operator==(const TwipPoint&) const = default;
};

// The top-left corner of a dialog of `dialogWidth` x `dialogHeight` twips over `table`. The result
// is not kept on the screen: a dialog larger than the space left of or above the corner gets a
// negative position, as it should, so every dialog sits at the same corner whatever its size.
// At a zoom other than 100% the corner's distances grow with the table.
constexpr TwipPoint placeDialogTwips(const TwipRect& table, int dialogWidth, int dialogHeight,
                                     double zoom = 1.0) {
    return {table.left + table.width - dialogWidth - static_cast<int>(PlacementRightTwips * zoom),
            table.top + table.height - dialogHeight -
                static_cast<int>(PlacementBottomTwips * zoom)};
}

// The same rule on pixel frame rectangles: the arithmetic is done in twips and the result rounded
// to the nearest pixel (350 twips is 23 1/3 pixels).
QPoint placeDialogPixels(const QRect& tableFrame, const QSize& dialogFrame, double zoom = 1.0);

// Moves `dialog` (a top-level window) over the bottom right corner of `table`, using both frame
// rectangles, and keeps it above the table window.
//
// "Topmost" is mapped to "above the table window": the dialog becomes a transient child window of
// the table (Qt::Dialog or Qt::Tool with the table as parent), which every window manager keeps in
// front of its parent and which moves to the front with it. A window on top of every other
// program's windows would cover the person's other work while the game waits for a click, and
// Wayland compositors ignore the request anyway. Call it just before showing the dialog: a window
// that is moved once shown but before the window manager has framed it is placed as if it had no
// frame (its frame ends up a title bar higher). Before its first showing the dialog is assumed to
// have the frame last seen on a window of its kind, else the table's; a shown dialog may be
// placed again at any time, and should be once its frame is known (ToolWindow::framed).
void PlaceDialog(QWidget* dialog, const QWidget* table, double zoom = 1.0);

// Shrinks and moves a top-level `window`, frame included, into its screen's work area: a window
// the program opens is never larger than the screen or off it. The small windows over the table
// keep their corner instead, wherever it is.
void keepOnScreen(QWidget* window);

// The frame rectangle's size `window` has or will have once shown: its own when the window
// manager has framed it, else the last seen on a window of its kind, else the table's.
QSize expectedFrame(const QWidget* window, const QWidget* table);

} // namespace corvane::ui
