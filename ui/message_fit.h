// Fitting a one-button message into the button window: one line when it fits, else two lines
// broken at the space that evens them out, and a smaller font only where two lines are not enough.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace corvane::ui {

// The smallest size a message shrinks to.
inline constexpr qreal SmallestMessagePointSize = 6.0;

struct FittedMessage {
    QString text; // the message, with a line break in place of one space when it takes two lines
    QFont font;
};

// Whether `text` (lines separated by '\n') shows whole in `area` with `font`.
bool messageFits(const QString& text, const QFont& font, QSize area);

// Lays `message` out for `area`, starting from `font` and shrinking by half points.
FittedMessage fitMessage(const QString& message, const QFont& font, QSize area);

} // namespace corvane::ui
