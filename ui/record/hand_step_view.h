// A small table that steps through one recorded hand: the deal, then trick by trick the hands
// as they stood and the trick's four cards in the middle, the winner ringed. The cards are the
// program's own pictures; a card the record does not know shows its back.
#pragma once

#include "flow/game_history.h"

#include <QWidget>

namespace corvane::ui {

class HandStepView final : public QWidget {
    Q_OBJECT
public:
    explicit HandStepView(QWidget* parent = nullptr);

    // A hand numbered 0 is none: the table stays empty. Unseen cards show `backDesign`.
    void setHand(const RecordedHand& hand, const std::array<std::string, 4>& names, int backDesign);
    // 0 is the deal; 1 to the number of tricks, each trick.
    void setStep(int step);
    int step() const { return m_step; }
    int lastStep() const { return static_cast<int>(m_hand.tricks.size()); }
    // What the step shows, in words (the caption under the table, and for a screen reader).
    QString caption() const;
    // The cards a seat still holds at the step, its card of the step's trick played, as far as
    // the record knows.
    std::vector<Card> handAt(int seat) const;

    QSize sizeHint() const override { return {460, 340}; }
    QSize minimumSizeHint() const override { return {360, 270}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RecordedHand m_hand;
    std::array<std::string, 4> m_names;
    int m_step = 0;
    int m_backDesign = 0;
};

} // namespace corvane::ui
