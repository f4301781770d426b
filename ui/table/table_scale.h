// Where the table's layout, given in twips, lands on a table drawn at any size: 15 twips to a
// pixel at 100%, times the zoom, from the corner where the table starts on the baize. At 100% it
// gives exactly the pixels of the layout (twips divided by 15, rounded toward zero).
#pragma once

#include "table/layout.h"
#include "ui/table/twips.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

namespace corvane::ui {

struct TableScale {
    double zoom = 1.0;
    QPoint origin; // the table's top left corner on the view

    int length(int twips) const { return static_cast<int>(twips * zoom / TwipsPerPixel); }
    QPoint point(int left, int top) const { return origin + QPoint(length(left), length(top)); }
    QPoint point(Point p) const { return point(p.left, p.top); }
    QRect rect(int left, int top, int width, int height) const {
        return {point(left, top), QSize(length(width), length(height))};
    }
    QSize size(QSize pixelsAtOne) const {
        return {static_cast<int>(pixelsAtOne.width() * zoom + 0.5),
                static_cast<int>(pixelsAtOne.height() * zoom + 0.5)};
    }

    // The table's size in pixels at `zoom`.
    static QSize tableSize(double zoom) {
        return TableScale{zoom, {}}.size(QSize(px(TableWidth), px(TableHeight)));
    }
    // The largest zoom at which the table fits `area`, and the corner that centres it there.
    static TableScale fitting(QSize area, double smallest = 0.25) {
        const QSize one = tableSize(1.0);
        double z =
            std::min(area.width() / double(one.width()), area.height() / double(one.height()));
        z = std::max(z, smallest);
        return centred(area, z);
    }
    static TableScale centred(QSize area, double zoom) {
        const QSize table = tableSize(zoom);
        return {zoom, QPoint(std::max(0, (area.width() - table.width()) / 2),
                             std::max(0, (area.height() - table.height()) / 2))};
    }
};

} // namespace corvane::ui
