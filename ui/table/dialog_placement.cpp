// The dialog-placement rule applied to Qt windows.
#include "ui/table/dialog_placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace corvane::ui {

namespace {

int pixelsToTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

// The frame the window manager last gave a window of each kind (a dialog, a tool window): a
// window about to be shown gets the same, which the table's own frame (a title bar of another
// height, a thicker bottom edge) does not tell.
QSize& seenFrameExtra(Qt::WindowType type) {
    static QSize dialog;
    static QSize tool;
    return type == Qt::Tool ? tool : dialog;
}

} // namespace

QPoint placeDialogPixels(const QRect& tableFrame, const QSize& dialogFrame, double zoom) {
    const TwipRect table{pixelsToTwips(tableFrame.left()), pixelsToTwips(tableFrame.top()),
                         pixelsToTwips(tableFrame.width()), pixelsToTwips(tableFrame.height())};
    const TwipPoint at = placeDialogTwips(table, pixelsToTwips(dialogFrame.width()),
                                          pixelsToTwips(dialogFrame.height()), zoom);
    return {twipsToPixels(at.left), twipsToPixels(at.top)};
}

QSize expectedFrame(const QWidget* window, const QWidget* table) {
    const QSize frame = window->frameGeometry().size();
    if (window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return frame;
    QSize& seen = seenFrameExtra(window->windowType());
    if (window->isVisible() && frame != window->size()) {
        seen = frame - window->size();
        return frame;
    }
    // The window manager has not framed the window yet: its frame will look like the last one of
    // its kind, or else like the table's.
    const QSize tableExtra = table->frameGeometry().size() - table->size();
    return window->size() + (seen.isEmpty() ? tableExtra : seen);
}

void keepOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect inside = window->geometry();
    const QRect outside = window->frameGeometry();
    QMargins frame(inside.left() - outside.left(), inside.top() - outside.top(),
                   outside.right() - inside.right(), outside.bottom() - inside.bottom());
    if (frame.isNull())
        frame = QMargins(4, 30, 4, 4); // not framed yet: a title bar and thin edges
    const QSize room = area.size().shrunkBy(frame);
    const QSize size = inside.size().boundedTo(room);
    if (size != inside.size())
        window->resize(size);
    // A window whose least size is larger than the screen keeps its title bar on it, to be
    // moved by; its far edge is what goes off.
    const QSize whole = window->size().grownBy(frame);
    const int left =
        std::max(area.left(), std::min(outside.left(), area.right() + 1 - whole.width()));
    const int top =
        std::max(area.top(), std::min(outside.top(), area.bottom() + 1 - whole.height()));
    if (QPoint(left, top) != outside.topLeft())
        window->move(left, top);
}

void PlaceDialog(QWidget* dialog, const QWidget* table, double zoom) {
    if (dialog == nullptr || table == nullptr || dialog == table)
        return;

    if (dialog->parentWidget() != table) {
        // Reparenting hides a window; keep what the caller asked for and show it again.
        const bool wasVisible = dialog->isVisible();
        Qt::WindowFlags flags = dialog->windowFlags();
        const Qt::WindowType type = dialog->windowType();
        if (type != Qt::Dialog && type != Qt::Tool)
            flags = (flags & ~Qt::WindowType_Mask) | Qt::Dialog;
        dialog->setParent(const_cast<QWidget*>(table), flags);
        if (wasVisible)
            dialog->show();
    }

    const QSize dialogFrame = expectedFrame(dialog, table);
    const bool framed = !dialog->windowFlags().testFlag(Qt::FramelessWindowHint);
    const QPoint at = placeDialogPixels(table->frameGeometry(), dialogFrame, zoom);
    const bool frameKnown = dialog->frameGeometry().topLeft() != dialog->geometry().topLeft();
    if (framed && dialog->testAttribute(Qt::WA_WState_Created) && !frameKnown) {
        // A window shown before but not framed now (hidden, the window manager has let go of
        // its frame): Qt takes the point for the corner of the window's inside, where the window
        // manager then leaves it, its frame reaching up past it. Give the inside's corner,
        // assuming the table's frame.
        const QPoint tableInside = table->geometry().topLeft() - table->frameGeometry().topLeft();
        dialog->move(at + tableInside);
    } else {
        dialog->move(at);
    }
    dialog->raise();
}

} // namespace corvane::ui
