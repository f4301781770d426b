// Placeholder drawing until the full card faces and backs are painted: plain frames with the
// card's short name. (Being replaced by the real renderer.)
#include "ui/card_renderer.h"

#include <QPainter>

namespace corvane::ui {

namespace {
QPixmap blank(qreal dpr) {
    QPixmap p(CardPixelSize * dpr);
    p.setDevicePixelRatio(dpr);
    p.fill(Qt::white);
    return p;
}
} // namespace

QPixmap CardRenderer::face(Card card, qreal dpr) {
    QPixmap p = blank(dpr);
    QPainter painter(&p);
    painter.drawRect(0, 0, 70, 95);
    painter.drawText(QRect(0, 0, 71, 96), Qt::AlignCenter, QString::fromStdString(shortName(card)));
    return p;
}

QPixmap CardRenderer::back(int design, qreal dpr) {
    QPixmap p = blank(dpr);
    p.fill(QColor::fromHsv((design & 7) * 45, 160, 160));
    return p;
}

QPixmap CardRenderer::suitSymbol(int suit, int pixels, qreal dpr) {
    QPixmap p(QSize(pixels, pixels) * dpr);
    p.setDevicePixelRatio(dpr);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    static const char16_t symbols[] = u"\u2660\u2666\u2663\u2665";
    painter.setPen(suit == 1 || suit == 3 ? Qt::red : Qt::black);
    painter.drawText(QRect(0, 0, pixels, pixels), Qt::AlignCenter, QString(QChar(symbols[suit & 3])));
    return p;
}

QString CardRenderer::backName(int design) {
    return QStringLiteral("Design %1").arg((design & 7) + 1);
}

QIcon CardRenderer::windowIcon() {
    return QIcon(suitSymbol(3, 32));
}

CardRenderer& cardRenderer() {
    static CardRenderer renderer;
    return renderer;
}

} // namespace corvane::ui
