// The table's small tool windows (the button window, the bid and trump dialogs): fixed size,
// kept above the table window, shown and hidden by the table's state rather than by the user.
// Their layout is given in twips and drawn at the table's zoom, fonts and icons included. Each
// takes the focus as it shows, and is a dialog to assistive tools.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

namespace corvane::ui {

class ToolWindow : public QWidget {
    Q_OBJECT
public:
    // `clientTwips`: the inside of the window's layout at 100%, in twips. The window is a little
    // wider, so that a window manager's title bar, with its buttons, has room for the whole
    // caption at 100% ("Corvane Menu", not "Cor... nu"); at the table's bottom right corner the
    // extra width still leaves the player's hand clear.
    static constexpr int CaptionRoomTwips = 300;
    ToolWindow(const QString& caption, QSize clientTwips, QWidget* table);

    // Draws the window and everything placed in it at `zoom` (1.0 is the layout's own size).
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }

signals:
    // The window manager has framed the window since it was shown: its place can now be exact.
    void framed();

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // The window's first exposure after a showing: a window manager that frames a window without
    // moving it is seen here.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Puts a child at its place in twips; its geometry, font and icon follow the zoom.
    void place(QWidget* child, QRect twips);
    // A rectangle of the layout and a font of 100% at the zoom in use.
    QRect scaled(QRect twips) const;
    QFont scaled(const QFont& atOne) const;

    // The title bar's close button would leave the game waiting on a hidden window: the table
    // decides when these windows go. A close the program itself asks for (its quit) passes.
    void closeEvent(QCloseEvent* event) override;

private:
    struct Placed {
        QWidget* child = nullptr;
        QRect twips;
        QFont font;     // at 100%
        QSize iconSize; // at 100%, for a button
    };
    void relayout();
    void noticeFrame();

    QSize m_clientTwips;
    double m_zoom = 1.0;
    bool m_frameSeen = false; // since it was last shown
    std::vector<Placed> m_placed;
};

} // namespace corvane::ui
