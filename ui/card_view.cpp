#include "ui/card_view.h"

#include "ui/card_renderer.h"

#include <QMouseEvent>
#include <QPainter>

namespace corvane::ui {

CardView::CardView(int index, QWidget* parent) : QWidget(parent), m_index(index) {
    setFixedSize(CardPixelSize);
    setMouseTracking(true);
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

void CardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_pixmap);
}

void CardView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit clicked(m_index);
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
