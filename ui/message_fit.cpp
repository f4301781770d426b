#include "ui/message_fit.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>

namespace corvane::ui {

bool messageFits(const QString& text, const QFont& font, QSize area) {
    const QFontMetricsF metrics(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    const qreal height = metrics.height() + metrics.lineSpacing() * qreal(lines.size() - 1);
    if (height > area.height())
        return false;
    return std::all_of(lines.begin(), lines.end(), [&](const QString& line) {
        return metrics.horizontalAdvance(line) <= area.width();
    });
}

namespace {

// The two-line form of `message` whose longer line is shortest; empty when it has no space.
QString evenestBreak(const QString& message, const QFont& font) {
    const QFontMetricsF metrics(font);
    QString best;
    qreal bestWidth = 0;
    for (qsizetype at = message.indexOf(QLatin1Char(' ')); at >= 0;
         at = message.indexOf(QLatin1Char(' '), at + 1)) {
        const qreal wider = std::max(metrics.horizontalAdvance(message.left(at)),
                                     metrics.horizontalAdvance(message.mid(at + 1)));
        if (best.isEmpty() || wider < bestWidth) {
            best = message.left(at) + QLatin1Char('\n') + message.mid(at + 1);
            bestWidth = wider;
        }
    }
    return best;
}

} // namespace

FittedMessage fitMessage(const QString& message, const QFont& font, QSize area) {
    QFont f = font;
    for (qreal size = font.pointSizeF(); size >= SmallestMessagePointSize; size -= 0.5) {
        f.setPointSizeF(size);
        if (messageFits(message, f, area))
            return {message, f};
        const QString twoLines = evenestBreak(message, f);
        if (!twoLines.isEmpty() && messageFits(twoLines, f, area))
            return {twoLines, f};
    }
    // Nothing fits even the smallest size: two even lines show the most of it.
    const QString twoLines = evenestBreak(message, f);
    return {twoLines.isEmpty() ? message : twoLines, f};
}

} // namespace corvane::ui
