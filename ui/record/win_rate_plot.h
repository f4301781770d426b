// The win rate over the games of the record: after each finished game, the share of games won
// so far, from 0% to 100%, with the even line at 50%.
#pragma once

#include <QWidget>
#include <vector>

namespace corvane::ui {

class WinRatePlot final : public QWidget {
    Q_OBJECT
public:
    explicit WinRatePlot(QWidget* parent = nullptr);
    void setRates(std::vector<double> rates);
    QSize sizeHint() const override { return {420, 180}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> m_rates;
};

} // namespace corvane::ui
