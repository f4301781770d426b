// The game in a picture: both partnerships' scores after each hand over, with the 120 that
// wins the game marked across. Painted with QPainter at any size and device pixel ratio.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <vector>

namespace corvane::ui {

class ScorePlot final : public QWidget {
    Q_OBJECT
public:
    explicit ScorePlot(QWidget* parent = nullptr);

    // The scores after each hand, the first hand's first; partnership 0 is the player's.
    void setScores(std::vector<std::array<int, 2>> scores);
    const std::vector<std::array<int, 2>>& scores() const { return m_scores; }
    void setSideNames(const QString& us, const QString& them);
    QSize sizeHint() const override { return {360, 200}; }
    QSize minimumSizeHint() const override { return {200, 120}; }

    static constexpr int Goal = 120;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::array<int, 2>> m_scores;
    std::array<QString, 2> m_names{tr("We"), tr("They")};
};

} // namespace corvane::ui
