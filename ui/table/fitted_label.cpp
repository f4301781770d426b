#include "ui/table/fitted_label.h"

#include <QFontMetricsF>
#include <QPainter>

namespace corvane::ui {

namespace {
// Room kept between the caption and the box's border on each side.
constexpr int Margin = 2;
} // namespace

QFont FittedLabel::fittedFont() const {
    QFont f = font();
    const int room = contentsRect().width() - 2 * Margin;
    const qreal wide = QFontMetricsF(f).horizontalAdvance(text());
    if (room > 0 && wide > room)
        f.setPointSizeF(f.pointSizeF() * room / wide);
    return f;
}

void FittedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(fittedFont());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
}

} // namespace corvane::ui
