#include "ui/table/message_fit.h"

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

// `message` broken at `lines` - 1 of its spaces so that the widest line is narrowest; empty when
// it has too few spaces.
QString evenestBreak(const QString& message, const QFont& font, int lines) {
    const QFontMetricsF metrics(font);
    QList<qsizetype> spaces;
    for (qsizetype at = message.indexOf(u' '); at >= 0; at = message.indexOf(u' ', at + 1))
        spaces << at;
    if (spaces.size() < lines - 1)
        return {};
    const auto width = [&](qsizetype from, qsizetype to) {
        return metrics.horizontalAdvance(message.mid(from, to - from));
    };
    QString best;
    qreal bestWidth = 0;
    const auto consider = [&](QList<qsizetype> breaks) {
        qreal widest = 0;
        qsizetype from = 0;
        for (qsizetype at : breaks) {
            widest = std::max(widest, width(from, at));
            from = at + 1;
        }
        widest = std::max(widest, width(from, message.size()));
        if (best.isEmpty() || widest < bestWidth) {
            best = message;
            for (qsizetype at : breaks)
                best[at] = u'\n';
            bestWidth = widest;
        }
    };
    for (qsizetype i = 0; i < spaces.size(); ++i) {
        if (lines == 2)
            consider({spaces[i]});
        else
            for (qsizetype j = i + 1; j < spaces.size(); ++j)
                consider({spaces[i], spaces[j]});
    }
    return best;
}

} // namespace

FittedMessage fitMessage(const QString& message, const QFont& font, QSize area) {
    QFont f = font;
    // One line, else two, in the given size and then smaller; a third line only when two lines
    // do not hold it even in the smallest size.
    for (int lines : {2, 3}) {
        for (qreal size = font.pointSizeF(); size >= SmallestMessagePointSize; size -= 0.5) {
            f.setPointSizeF(size);
            if (lines == 2 && messageFits(message, f, area))
                return {message, f};
            const QString broken = evenestBreak(message, f, lines);
            if (!broken.isEmpty() && messageFits(broken, f, area))
                return {broken, f};
        }
    }
    // Nothing fits even the smallest size: three even lines show the most of it.
    const QString broken = evenestBreak(message, f, 3);
    return {broken.isEmpty() ? message : broken, f};
}

} // namespace corvane::ui
