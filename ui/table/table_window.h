// ui/table: the table window and everything on and around it while a hand is played.
// The program's main window: the table, its menu, and the small windows around it (the button
// window, the bid and trump dialogs). Input goes to the engine; after every input and every step
// of the flow the window shows the engine's table again.
#pragma once

#include "flow/engine.h"
#include "ui/program/qt_scheduler.h"

#include <QMainWindow>
#include <span>

class QAction;
class QDialog;
class QMenu;

namespace corvane::ui {

class BidDialog;
class ButtonWindow;
class KeyboardPlay;
class TableView;
class TrumpDialog;

class TableWindow final : public QMainWindow {
    Q_OBJECT
public:
    TableWindow(Engine& engine, QtScheduler& scheduler, QWidget* parent = nullptr);
    ~TableWindow() override;

    // Shows the engine's table on every control.
    void refresh();
    // Puts a small window over the table's bottom right corner.
    void placeDialog(QWidget* dialog) const;
    // Shows a dialog that stays open while the small windows come and go (the options, the
    // lobby's): it stands on the table just above their corner, so that neither covers the
    // other, and goes to its exact place there once the window manager has framed it.
    void showAboveSmallWindows(QDialog* dialog);

    Engine& engine() { return m_engine; }
    TableView* view() const { return m_view; }
    ButtonWindow* buttonWindow() const { return m_buttons; }
    BidDialog* bidDialog() const { return m_bid; }
    TrumpDialog* trumpDialog() const { return m_trump; }
    KeyboardPlay* keyboard() const { return m_keys; }
    QAction* action(const QString& objectName) const;

    // The table at a fixed zoom (the window takes its size), or fitted to the window.
    void setZoom(double zoom);
    void fitToWindow();
    // One zoom step up (+1) or down (-1) from the zoom in use.
    void stepZoom(int direction);
    // The largest zoom step at which the table fits the screen with room to spare.
    double comfortableZoom() const;
    // The largest zoom step up to `wanted` at which the whole window fits the screen's work area
    // (the smallest step when none does).
    double fittingZoom(double wanted) const;
    static std::span<const double> zoomSteps();

protected:
    // A dialog shown above the small windows goes to its exact place once it is framed; the
    // small windows first show once the table is exposed.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The small windows sit over the table's corner wherever the window manager puts the table.
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

signals:
    // The table asks for online play (the menu, or a double click on a fresh table).
    void playOnlineRequested();
    // The options dialog stored new settings in the table.
    void optionsChanged();
    // The person chose another zoom.
    void zoomChanged();
    // An options dialog has just been made, before it shows.
    void optionsOpened(QDialog* options);

private:
    void buildMenus();
    void buildViewMenu();
    void markZoom();
    void placeVisibleDialogs();
    // The corner of the small windows, lifted above their place.
    void placeAboveSmallWindows(QWidget* dialog) const;
    static constexpr const char* AboveSmallWindows = "aboveSmallWindows";
    // The small windows drawn at the table's zoom, as the table's own labels are.
    void followZoom(double zoom);
    void showDialogs();
    void updateMenus();
    void onDoubleClick();
    void openOptions();
    void openAbout();
    // The rules page, at a section of it when one is named.
    void openRules(const QString& section);
    template <typename F> void input(F&& f) {
        f();
        refresh();
    }

    Engine& m_engine;
    QtScheduler& m_scheduler;
    TableView* m_view;
    ButtonWindow* m_buttons;
    BidDialog* m_bid;
    TrumpDialog* m_trump;
    KeyboardPlay* m_keys;
    QAction* m_newPartner = nullptr;
    QAction* m_newOpponents = nullptr;
};

} // namespace corvane::ui
