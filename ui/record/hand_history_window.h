// Game, "Hand History": the game so far hand by hand. A score sheet (each hand's dealer,
// contract, made or set, the points each side took and the running scores), the plot of the
// scores with the 120 line, what the player may know of the chosen hand in words, and a small
// table stepping through it trick by trick. Made when opened and gone when closed, so it costs
// nothing while closed; it follows the game while it is open.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;
class QTextBrowser;

namespace corvane::ui {

class GameRecord;
class HandStepView;
class ScorePlot;

class HandHistoryWindow final : public QDialog {
    Q_OBJECT
public:
    HandHistoryWindow(GameRecord& record, QWidget* parent = nullptr);

    QTableWidget* sheet() const { return m_sheet; }
    ScorePlot* plot() const { return m_plot; }
    HandStepView* stepView() const { return m_step; }
    QTextBrowser* details() const { return m_details; }
    QPushButton* previousButton() const { return m_previous; }
    QPushButton* nextButton() const { return m_next; }
    // Shows hand `row` of the sheet (0 is the game's first hand).
    void chooseHand(int row);

private:
    void refresh();
    void fitSheet();
    void showChosenHand();
    void stepBy(int steps);

    GameRecord& m_record;
    QTableWidget* m_sheet;
    ScorePlot* m_plot;
    QTextBrowser* m_details;
    HandStepView* m_step;
    QLabel* m_caption;
    QPushButton* m_previous;
    QPushButton* m_next;
    int m_chosen = -1;
};

} // namespace corvane::ui
