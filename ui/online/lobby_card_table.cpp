// The lobby's card table: the same baize as the table window, a rail around it and a pack of
// backs in the middle, painted at any device pixel ratio.
#include "ui/online/lobby_card_table.h"

#include "ui/cards/card_renderer.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace corvane::ui {

namespace {

const QColor Baize(80, 176, 96);
const QColor Rail(110, 72, 38);
constexpr int RailWidth = 4;
constexpr QSize PackCard{22, 30};

} // namespace

LobbyCardTable::LobbyCardTable(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QColor LobbyCardTable::seatText() {
    return Qt::white;
}

QColor LobbyCardTable::heldSeatText() {
    return {214, 236, 214};
}

void LobbyCardTable::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The rail: a rounded oblong in polished wood, dark at its outer edge.
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = outer.height() * 0.42;
    QLinearGradient wood(outer.topLeft(), outer.bottomLeft());
    wood.setColorAt(0.0, Rail.lighter(135));
    wood.setColorAt(0.5, Rail);
    wood.setColorAt(1.0, Rail.darker(130));
    painter.setPen(QPen(Rail.darker(170), 1.0));
    painter.setBrush(wood);
    painter.drawRoundedRect(outer, radius, radius);

    // The baize inside the rail, lit in the middle like the big table.
    const QRectF cloth = outer.adjusted(RailWidth, RailWidth, -RailWidth, -RailWidth);
    const qreal clothRadius = radius - RailWidth;
    QRadialGradient felt(cloth.center(), cloth.width() * 0.6);
    felt.setColorAt(0.0, Baize.lighter(108));
    felt.setColorAt(0.6, Baize);
    felt.setColorAt(1.0, Baize.darker(125));
    painter.setPen(QPen(Baize.darker(160), 1.0));
    painter.setBrush(felt);
    painter.drawRoundedRect(cloth, clothRadius, clothRadius);

    // A squared pack in the middle, three backs a pixel apart.
    const QPixmap back = cardRenderer().back(0, devicePixelRatioF());
    const QPoint centre = rect().center();
    for (int i = 2; i >= 0; --i) {
        const QRect card(centre.x() - PackCard.width() / 2 + i,
                         centre.y() - PackCard.height() / 2 - i, PackCard.width(),
                         PackCard.height());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(card, back);
        painter.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(card).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    }
}

} // namespace corvane::ui
