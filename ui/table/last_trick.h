// The last trick of the game in play on request: Game, "Last Trick" (Ctrl+L) shows it until the
// next click or key, the key still doing its own work; holding L, or pressing on a partnership's
// trick marks, shows it until the key or the button is let go. It closes as soon as the next card
// is played.
#pragma once

#include <QObject>

class QAction;

namespace corvane {
struct RecordedTrick;
}

namespace corvane::ui {

class GameRecord;
class LastTrickView;
class TableWindow;

class LastTrick final : public QObject {
    Q_OBJECT
public:
    enum class Showing { Nothing, UntilClick, WhileHeld };

    LastTrick(TableWindow& window, GameRecord& record);

    Showing showing() const { return m_showing; }
    QAction* action() const { return m_action; }
    LastTrickView* view() const { return m_view; }
    // Shows the last trick gathered in the hand on the table; false when there is none.
    bool show(Showing how);
    void close();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recordChanged();
    // The last trick gathered in the game in play, if any.
    const RecordedTrick* lastTrick() const;
    int cardsPlayed() const;

    TableWindow& m_window;
    GameRecord& m_record;
    LastTrickView* m_view;
    QAction* m_action;
    Showing m_showing = Showing::Nothing;
    int m_cardsWhenShown = 0;
};

} // namespace corvane::ui
