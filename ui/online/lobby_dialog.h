// The lobby dialog "Play Online": the server, the player's name and key, the tables that wait for
// players with who sits where, and the buttons to open a table or take a free seat at one. It
// only collects and shows; the connections behind it belong to whoever listens to its signals.
#pragma once

#include <QDialog>
#include <array>
#include <string>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace corvane::ui {

// Non-modal: show it with show() and place it with PlaceDialog. Cancel, Esc and the title bar's
// close button are the person's Cancel: the dialog hides itself (rejected) and emits
// cancelRequested, as close() and reject() do. When a seat is taken or a table opened, close it
// with accept() (or hide it, or delete it), which emits nothing.
class LobbyDialog : public QDialog {
    Q_OBJECT

public:
    // The list keeps 21 tables; the rows are numbered 0-20 on the wire.
    static constexpr int MaxTables = 21;
    static constexpr int UserNameLength = 10;
    static constexpr int KeyLength = 8;

    LobbyDialog(const QString& server, QWidget* parent = nullptr);

    // One table of the server's list, its occupants exactly as sent, seats 0-3. Tables beyond
    // the 21st are ignored: a row number has two digits on the wire and the list has room for 21.
    void addTable(const std::string& name, const std::array<std::string, 4>& occupants);
    // Empties the list; with no row chosen the seat buttons show the compass again.
    void clearTables();
    // Chooses that row as a click would (-1: none), then that seat when it is free.
    void selectRow(int row, int seat = -1);
    // The hourglass on the dialog while a connection is made. Meanwhile New Table and Join do
    // nothing, so one connection cannot be started over another; Cancel still works, and so
    // does Refresh, which whoever listens may take to try another server.
    void setBusy(bool busy);
    bool isBusy() const { return m_busy; }
    // One line under the buttons: what the connection is doing, or why it failed.
    void setStatus(const QString& text);
    QString status() const;
    // The seats of a listed table as the server has just told them (a join refused because the
    // seat was taken), as the list would give them. The row is selected and its seat buttons
    // show the occupants.
    void showSeats(int row, const std::array<std::string, 4>& occupants);

    // The fields as the player left them last time: the name, and the key when it was kept.
    void fill(const QString& userName, const QString& key, bool rememberKey);

    // The user name without the spaces around it; empty when nothing visible is typed.
    QString userName() const;
    // The first eight characters of the key; a shorter key whole.
    QString key() const;
    // Whether the player asked for the key to be kept for the next time.
    bool rememberKey() const;
    // The name for a new table: as typed, or the user name when the field is blank.
    QString tableName() const;
    QString server() const;
    // The selected row of the list, -1 when none.
    int selectedRow() const;
    // The seat (0-3) of the checked seat button that a person may take, -1 when none.
    int selectedSeat() const;
    int rowCount() const;

signals:
    void newTableRequested();
    // Only with a name, a selected row and a free seat checked.
    void joinRequested();
    void refreshRequested();
    void cancelRequested();

public slots:
    void reject() override;

private:
    void buildTableFrame();
    void txtUserNameChange();
    void lstGamesClick();
    void updateJoin();
    void showCompass();
    void cmdNewClick();
    void cmdJoinClick();
    void cmdRefreshClick();

    QLineEdit* m_txtServer = nullptr;
    QLineEdit* m_txtUserName = nullptr;
    QLineEdit* m_txtPassword = nullptr;
    QLineEdit* m_txtTable = nullptr;
    QCheckBox* m_chkRememberKey = nullptr;
    QListWidget* m_lstGames = nullptr;
    QButtonGroup* m_seats = nullptr;
    std::array<QRadioButton*, 4> m_optSeat{};
    QPushButton* m_cmdJoin = nullptr;
    QPushButton* m_cmdNew = nullptr;
    QPushButton* m_cmdRefresh = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QLabel* m_lblStatus = nullptr;
    // Row r's occupants, overwritten row by row as tables arrive and never cleared.
    std::array<std::array<std::string, 4>, MaxTables> m_tableSeats{};
    // The row whose seats the buttons show, -1 for none.
    int m_shownRow = -1;
    bool m_busy = false;
};

} // namespace corvane::ui
