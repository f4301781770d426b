#include "ui/table/card_view.h"

#include "ui/cards/card_renderer.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace corvane::ui {

CardView::CardView(int index, QWidget* parent) : QWidget(parent), m_index(index) {
    setFixedSize(CardPixelSize);
    setMouseTracking(true);
    // Focus comes from the arrow keys (and the pointer), not Tab: five to twenty-four stops
    // between the buttons would make Tab useless.
    setFocusPolicy(Qt::ClickFocus);
    setObjectName(QStringLiteral("picCard%1").arg(index));
    // The card's own rounded corners show the baize behind them.
    setAttribute(Qt::WA_TranslucentBackground);
}

void CardView::setPixmap(const QPixmap& pixmap) {
    if (pixmap.cacheKey() == m_pixmap.cacheKey())
        return;
    m_pixmap = pixmap;
    update();
}

void CardView::setKeyboardMark(bool marked) {
    if (marked == m_marked)
        return;
    m_marked = marked;
    update();
}

void CardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_pixmap);
    if (m_marked) {
        // A dark ring with a bright one inside reads on the white face and on every back.
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal w = std::max(2.0, width() / 24.0);
        const QRectF ring = QRectF(rect()).adjusted(w / 2, w / 2, -w / 2, -w / 2);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(20, 40, 120), w));
        painter.drawRoundedRect(ring, w * 2, w * 2);
        painter.setPen(QPen(QColor(255, 200, 0), w / 2));
        painter.drawRoundedRect(ring.adjusted(w * 0.75, w * 0.75, -w * 0.75, -w * 0.75), w * 1.5,
                                w * 1.5);
    }
}

void CardView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        press();
}

void CardView::mouseMoveEvent(QMouseEvent*) {
    updatePointer();
}

void CardView::enterEvent(QEnterEvent*) {
    updatePointer();
}

void CardView::updatePointer() {
    const bool refused = m_refused && m_refused(m_index);
    setCursor(refused ? Qt::ForbiddenCursor : Qt::ArrowCursor);
}

} // namespace corvane::ui
