// The dialog-placement rule applied to Qt windows.
#include "ui/dialog_placement.h"

#include <QWidget>

namespace corvane::ui {

namespace {

int pixelsToTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

} // namespace

QPoint placeDialogPixels(const QRect& tableFrame, const QSize& dialogFrame) {
    const TwipRect table{pixelsToTwips(tableFrame.left()), pixelsToTwips(tableFrame.top()),
                         pixelsToTwips(tableFrame.width()), pixelsToTwips(tableFrame.height())};
    const TwipPoint at = placeDialogTwips(table, pixelsToTwips(dialogFrame.width()),
                                          pixelsToTwips(dialogFrame.height()));
    return {twipsToPixels(at.left), twipsToPixels(at.top)};
}

void PlaceDialog(QWidget* dialog, const QWidget* table) {
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

    QSize dialogFrame = dialog->frameGeometry().size();
    const bool framed = !dialog->windowFlags().testFlag(Qt::FramelessWindowHint);
    if (framed && (!dialog->isVisible() || dialogFrame == dialog->size())) {
        // The window manager has not framed the dialog yet: its frame will look like the table's.
        const QSize tableExtra = table->frameGeometry().size() - table->size();
        dialogFrame = dialog->size() + tableExtra;
    }
    dialog->move(placeDialogPixels(table->frameGeometry(), dialogFrame));
    dialog->raise();
}

} // namespace corvane::ui
