// A boxed caption whose type shrinks, when it must, to keep the caption inside its box: a bid
// box is sized for "Pass" and "30", and another language's word may be longer.
#pragma once

#include <QLabel>

namespace corvane::ui {

class FittedLabel : public QLabel {
public:
    using QLabel::QLabel;
    // The label's font, or a smaller size of it that the caption fits in.
    QFont fittedFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace corvane::ui
