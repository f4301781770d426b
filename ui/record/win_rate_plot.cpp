// Thins the line to one point a pixel column, so a record of thousands of games paints at once.
#include "ui/record/win_rate_plot.h"

#include "ui/record/hand_words.h"

#include <QPainter>
#include <QPainterPath>

namespace corvane::ui {

WinRatePlot::WinRatePlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("winRatePlot"));
    setAccessibleName(tr("Win rate over time"));
}

void WinRatePlot::setRates(std::vector<double> rates) {
    m_rates = std::move(rates);
    update();
}

void WinRatePlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    const QFontMetrics fm = p.fontMetrics();
    const int left = fm.horizontalAdvance(QStringLiteral("100%")) + 8;
    const QRect plot(left, fm.height() / 2 + 4, std::max(10, width() - left - 12),
                     std::max(10, height() - 2 * fm.height() - 8));
    auto y = [&](double rate) { return plot.bottom() - plot.height() * rate; };
    p.setPen(QPen(palette().mid().color(), 1));
    for (int pct = 0; pct <= 100; pct += 25) {
        p.drawLine(QPointF(plot.left(), y(pct / 100.0)), QPointF(plot.right(), y(pct / 100.0)));
        p.drawText(QRectF(0, y(pct / 100.0) - fm.height() / 2.0, left - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1%").arg(pct));
    }
    p.setPen(QPen(QColor(0, 140, 60), 1.5, Qt::DashLine));
    p.drawLine(QPointF(plot.left(), y(0.5)), QPointF(plot.right(), y(0.5)));
    p.setPen(palette().text().color());
    p.drawRect(plot);
    const int games = static_cast<int>(m_rates.size());
    p.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), fm.height()), Qt::AlignCenter,
               games == 0 ? tr("No finished games yet")
                          : tr("%n finished game(s)", nullptr, games));
    if (games == 0)
        return;
    QPainterPath path;
    const int columns = std::max(1, plot.width());
    const int stride = std::max(1, games / columns);
    for (int g = 0; g < games; g += stride) {
        const QPointF at(plot.left() + plot.width() * (g + 1) / double(games),
                         y(m_rates[static_cast<size_t>(g)]));
        if (g == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    path.lineTo(QPointF(plot.right(), y(m_rates.back())));
    p.setPen(QPen(QColor(20, 90, 200), 2.5));
    p.drawPath(path);
}

} // namespace corvane::ui
