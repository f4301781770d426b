// Axes scaled to the scores and the goal, a line for each side, the goal line dashed.
#include "ui/record/score_plot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace corvane::ui {

namespace {
const std::array<QColor, 2> SideColors{QColor(20, 90, 200), QColor(200, 40, 40)};
}

ScorePlot::ScorePlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("scorePlot"));
    setAccessibleName(tr("Score plot"));
}

void ScorePlot::setScores(std::vector<std::array<int, 2>> scores) {
    m_scores = std::move(scores);
    update();
}

void ScorePlot::setSideNames(const QString& us, const QString& them) {
    m_names = {us, them};
    update();
}

void ScorePlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    const QFontMetrics fm = p.fontMetrics();
    const int left = fm.horizontalAdvance(QStringLiteral("-000")) + 8;
    const int bottom = fm.height() + 8;
    const int top = fm.height() + 8;
    const QRect plot(left, top, std::max(10, width() - left - 12),
                     std::max(10, height() - top - bottom));

    int low = 0;
    int high = Goal;
    for (const auto& s : m_scores)
        for (int v : s) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    low = (low - 19) / 20 * 20; // down to a multiple of 20
    high += 10;
    const int hands = std::max<int>(1, static_cast<int>(m_scores.size()));
    auto x = [&](int hand) { return plot.left() + plot.width() * hand / double(hands); };
    auto y = [&](int score) {
        return plot.bottom() - plot.height() * (score - low) / double(high - low);
    };

    // Grid and scale every 20 points.
    p.setPen(QPen(palette().mid().color(), 1));
    for (int v = low; v <= high; v += 20) {
        p.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
        p.drawText(QRectF(0, y(v) - fm.height() / 2.0, left - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }
    const int step = std::max(1, hands / 10);
    for (int h = 0; h <= hands; h += step)
        p.drawText(QRectF(x(h) - 20, plot.bottom() + 2, 40, fm.height()), Qt::AlignCenter,
                   QString::number(h));
    p.setPen(QPen(palette().text().color(), 1));
    p.drawRect(plot);

    // The goal.
    QPen goal(QColor(0, 140, 60), 1.5, Qt::DashLine);
    p.setPen(goal);
    p.drawLine(QPointF(plot.left(), y(Goal)), QPointF(plot.right(), y(Goal)));
    p.drawText(QRectF(plot.left() + 4, y(Goal) - fm.height(), 60, fm.height()),
               Qt::AlignLeft | Qt::AlignBottom, QString::number(Goal));

    for (size_t side = 0; side < 2; ++side) {
        QPainterPath path(QPointF(x(0), y(0)));
        for (size_t h = 0; h < m_scores.size(); ++h)
            path.lineTo(x(static_cast<int>(h) + 1), y(m_scores[h][side]));
        p.setPen(QPen(SideColors[side], 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        for (size_t h = 0; h < m_scores.size(); ++h)
            p.drawEllipse(QPointF(x(static_cast<int>(h) + 1), y(m_scores[h][side])), 2.5, 2.5);
    }

    // The key, above the plot.
    int at = plot.left();
    for (size_t side = 0; side < 2; ++side) {
        p.setPen(QPen(SideColors[side], 3));
        p.drawLine(at, top / 2, at + 18, top / 2);
        p.setPen(palette().text().color());
        p.drawText(QPoint(at + 22, top / 2 + fm.ascent() / 2 - 1), m_names[side]);
        at += 22 + fm.horizontalAdvance(m_names[side]) + 16;
    }
}

} // namespace corvane::ui
