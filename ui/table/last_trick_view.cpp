// Paints the last trick at the table's scale, over the trick places of the layout.
#include "ui/table/last_trick_view.h"

#include "table/layout.h"
#include "ui/cards/card_renderer.h"
#include "ui/table/table_view.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace corvane::ui {

LastTrickView::LastTrickView(TableView* table) : QWidget(table), m_table(table) {
    setObjectName(QStringLiteral("lastTrick"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(tr("Last trick"));
    table->installEventFilter(this);
    hide();
}

void LastTrickView::showTrick(const RecordedTrick& trick) {
    m_trick = trick;
    setGeometry(m_table->rect());
    raise();
    show();
    update();
}

bool LastTrickView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_table && event->type() == QEvent::Resize)
        setGeometry(m_table->rect());
    return QWidget::eventFilter(watched, event);
}

void LastTrickView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const TableScale& scale = m_table->scale();
    const qreal dpr = devicePixelRatioF();
    const QSize card = CardRenderer::cardSize(scale.zoom);
    for (int seat : m_trick.order) {
        const Card c = m_trick.bySeat[static_cast<size_t>(seat & 3)];
        if (!c.isValid())
            continue;
        const QPoint at = scale.point(trickPosition(seat));
        painter.drawPixmap(at, cardRenderer().face(c, dpr, scale.zoom));
    }
    if (m_trick.winner < 0)
        return;
    // The winner's card ringed in gold, drawn last so that no other card hides the ring.
    const QRectF winner(scale.point(trickPosition(m_trick.winner)), card);
    const qreal pen = std::max(2.0, 3.0 * scale.zoom);
    painter.setPen(QPen(QColor(255, 200, 0), pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(winner.adjusted(-pen / 2, -pen / 2, pen / 2, pen / 2), 4 * scale.zoom,
                            4 * scale.zoom);
}

} // namespace corvane::ui
