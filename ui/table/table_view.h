// The green table: the 24 card pictures, the names, bids, scores and trick marks, the trump
// symbol and the (online) chat controls, all at their places. It draws a Table and animates the
// movements the flow asks for; it decides nothing.
#pragma once

#include "table/table.h"
#include "ui/program/qt_scheduler.h"
#include "ui/table/table_accessibility.h"
#include "ui/table/table_scale.h"
#include "ui/table/table_speech.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QVariantAnimation;

namespace corvane::ui {

class CardView;

class TableView final : public QWidget, public Animator {
    Q_OBJECT
public:
    explicit TableView(QWidget* parent = nullptr);
    ~TableView() override;

    // Brings every control in line with the table.
    void showTable(const Table& table);

    // The table's size: a fixed zoom (1.0 is the layout's own size), centred on the baize when
    // the view is larger, or fitted to whatever size the view is given.
    void setZoom(double zoom);
    void setFitToWindow();
    bool fitsWindow() const { return m_fit; }
    // Where the layout lands now: the zoom in use and the table's corner on the view.
    const TableScale& scale() const { return m_scale; }
    QSize sizeHint() const override;

    void setRefusalTest(std::function<bool(int)> refused);

    // Animator: glides and spins run at a steady pace of their own.
    void startMovement(const Movement& movement, std::function<void()> done) override;
    // Ends every running movement at once, each reporting done.
    void finishMovements();
    bool moving() const;

    // The card the keyboard has picked (a picture of the hand), -1 for none.
    void setKeyboardCard(int picture);

    CardView* picture(int index) const { return m_pictures[static_cast<size_t>(index)]; }
    QLabel* playerName(int index) const { return m_playerNames[static_cast<size_t>(index)]; }
    QLabel* bid(int index) const { return m_bids[static_cast<size_t>(index)]; }
    QLabel* score(int index) const { return m_scores[static_cast<size_t>(index)]; }
    QLabel* tricks(int index) const { return m_tricks[static_cast<size_t>(index)]; }
    QLabel* trump() const { return m_trump; }
    // The dealer's mark, shown beside the dealer's name.
    QLabel* dealerMark() const { return m_dealerMark; }
    QLabel* timeout() const { return m_timeout; }
    QPlainTextEdit* whiteboard() const { return m_whiteboard; }
    QLineEdit* chat() const { return m_chat; }
    QLineEdit* seat() const { return m_seat; }
    // The status line whose name a screen reader reads as the game moves on.
    QWidget* announcer() const { return m_announcer; }

    // Milliseconds per 120-twip step of a glide and per point of a spin.
    static constexpr int GlideStepMs = 4;
    static constexpr int SpinStepMs = 2;

signals:
    void cardClicked(int index);
    // A sentence for the screen reader, as it is announced.
    void announced(const QString& sentence);
    void doubleClicked();
    // The table is drawn at another zoom (a zoom chosen, or the window resized while it fits).
    void zoomed(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    struct Running {
        QVariantAnimation* animation = nullptr; // owned by the view
        std::vector<Point> path;
        std::function<void()> done;
    };
    void showPictures(const Table& table);
    void showLabels(const Table& table);
    void showDealerMark(const Table& table);
    // White on the light baize needs a dark edge to read; black needs none.
    void shadeWhiteName(QLabel* name, bool white);
    void speak(const Table& table);
    void finish(int picture);
    // Every picture in front of or behind the others as its stacking says.
    void stackPictures();
    // Puts a control at its place in twips; its font, when it has one of its own, scales too.
    void place(QWidget* widget, QRect twips, bool ownFont = true);
    // Places every control again at the current scale and draws the cards at their new size.
    void relayout();

    struct Placed {
        QWidget* widget = nullptr;
        QRect twips;
        QFont font; // at 100%
        bool ownFont = true;
    };
    std::vector<Placed> m_placed;
    TableScale m_scale;
    double m_zoom = 1.0;
    bool m_fit = false;
    const Table* m_table = nullptr; // the table last shown

    std::array<CardView*, PictureCount> m_pictures{};
    // What each picture shows, so that a back keeps the design it was dealt with.
    struct Shown {
        int card = 0;
        TagState state = TagState::Down;
        bool visible = false;
        int backDesign = 0;
        int stacking = 0;
    };
    std::array<Shown, PictureCount> m_shown{};
    std::array<std::unique_ptr<Running>, PictureCount> m_running;
    std::array<QLabel*, 6> m_playerNames{};
    std::array<QLabel*, 5> m_bids{};
    std::array<QLabel*, 2> m_scores{};
    std::array<QLabel*, 2> m_tricks{};
    QLabel* m_trump = nullptr;
    QLabel* m_dealerMark = nullptr;
    int m_trumpSuit = -1;
    QLabel* m_timeout = nullptr;
    QPlainTextEdit* m_whiteboard = nullptr;
    QLineEdit* m_chat = nullptr;
    QLineEdit* m_seat = nullptr;
    Announcer* m_announcer = nullptr;
    TableSpeech m_speech;
};

} // namespace corvane::ui
