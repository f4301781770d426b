// Fitting a one-button message into the button window: one line when it fits, else two lines
// broken at the space that evens them out, and a smaller font only where two lines are not
// enough; three lines only for what two lines cannot hold even in the smallest size.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace corvane::ui {

// The smallest size a message shrinks to.
inline constexpr qreal SmallestMessagePointSize = 6.0;

struct FittedMessage {
    QString text; // the message, with line breaks in place of spaces where it takes more lines
    QFont font;
};

// Whether `text` (lines separated by '\n') shows whole in `area` with `font`.
bool messageFits(const QString& text, const QFont& font, QSize area);

// Lays `message` out for `area`, starting from `font` and shrinking by half points.
FittedMessage fitMessage(const QString& message, const QFont& font, QSize area);

} // namespace corvane::ui
