// The lobby dialog driven as a person would: real widgets on the offscreen platform, typing and
// clicks through QTest, tables added as the lobby's list arrives. Its layout, its fields as the
// connections read them, its enabling rules, the seat buttons for the chosen table, the 21-table
// list, Refresh, Cancel and the busy pointer.
#include "ui/lobby_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <array>
#include <string>

using namespace corvane::ui;

namespace {

using Seats = std::array<std::string, 4>;
using Flags = std::array<bool, 4>;

const std::array<QString, 4> Compass{"South", "West", "North", "East"};
const Seats MixedSeats{"Maren", "Computer", "Computer", "Tobias"};
const Seats FourPeople{"Maren", "Ilse", "Tobias", "Quinn"};
const Seats AllComputers{"Computer", "Computer", "Computer", "Computer"};

template <typename T = QWidget> T* child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (w == nullptr)
        qFatal("no %s", name);
    return w;
}

// A shown dialog with a name typed and the given tables listed, and spies on its requests.
struct Lobby {
    explicit Lobby(const QString& name = QStringLiteral("Ansel"),
                   std::initializer_list<std::pair<std::string, Seats>> tables = {}) {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            qFatal("the lobby dialog was not shown");
        if (!name.isEmpty())
            type("txtUserName", name);
        for (const auto& [table, seats] : tables)
            dialog.addTable(table, seats);
    }
    QPushButton* button(const char* name) { return child<QPushButton>(&dialog, name); }
    QRadioButton* seat(int i) {
        return child<QRadioButton>(&dialog, QStringLiteral("optSeat%1").arg(i).toLatin1());
    }
    QListWidget* list() { return child<QListWidget>(&dialog, "lstGames"); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void type(const char* field, const QString& text) {
        auto* edit = child<QLineEdit>(&dialog, field);
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, text);
    }
    // Clicks the row as a person would, in the middle of its line.
    void clickRow(int row) {
        const QRect r = list()->visualItemRect(list()->item(row));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, r.center());
    }
    Flags enabledSeats() {
        return {seat(0)->isEnabled(), seat(1)->isEnabled(), seat(2)->isEnabled(),
                seat(3)->isEnabled()};
    }
    int requests() { return newSpy.count() + joinSpy.count() + refreshSpy.count(); }

    LobbyDialog dialog{QStringLiteral("localhost")};
    QSignalSpy newSpy{&dialog, &LobbyDialog::newTableRequested};
    QSignalSpy joinSpy{&dialog, &LobbyDialog::joinRequested};
    QSignalSpy refreshSpy{&dialog, &LobbyDialog::refreshRequested};
    QSignalSpy cancelSpy{&dialog, &LobbyDialog::cancelRequested};
};

} // namespace

class LobbyDialogTest : public QObject {
    Q_OBJECT

private slots:
    // The table stays playable behind it; the typing starts in the name; the key is not shown.
    void startUp() {
        Lobby lobby{QString()};
        lobby.dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&lobby.dialog));
        QVERIFY(!lobby.dialog.isModal());
        QCOMPARE(QApplication::focusWidget(), child(&lobby.dialog, "txtUserName"));
        QCOMPARE(child<QLineEdit>(&lobby.dialog, "txtPassword")->echoMode(), QLineEdit::Password);
        QCOMPARE(child<QLabel>(&lobby.dialog, "lblServer")->buddy(),
                 child(&lobby.dialog, "txtServer"));
    }

    // Every control lies inside its parent and clear of its neighbours, but for a pixel where a
    // caption meets its field (the seat buttons sit on the little card table, their background).
    void controlsInsideAndApart() {
        LobbyDialog dialog(QStringLiteral("localhost"));
        for (QWidget* parent : {static_cast<QWidget*>(&dialog), child(&dialog, "Frame1")}) {
            QList<QWidget*> controls;
            for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
                    controls << w;
            QVERIFY(controls.size() >= 4);
            for (QWidget* w : controls) {
                QVERIFY2(parent->rect().contains(w->geometry()), qPrintable(w->objectName()));
                for (QWidget* other : controls)
                    QVERIFY2(w == other || w->objectName() == QLatin1String("shpCardTable") ||
                                 other->objectName() == QLatin1String("shpCardTable") ||
                                 (w->geometry() & other->geometry()).height() <= 1,
                             qPrintable(w->objectName() + QLatin1Char(' ') + other->objectName()));
            }
        }
    }

    // The fields as the connections read them: the name's ten letters, the key's first eight,
    // the table's name (the user's when blank), the server as given or typed.
    void fields() {
        const struct {
            const char* field;
            QString typed, read;
        } rows[] = {{"txtUserName", "Bartholomew Q", "Bartholome"},
                    {"txtPassword", "abc", "abc"},
                    {"txtPassword", "k3y-0042", "k3y-0042"},
                    {"txtPassword", "open sesame, please", "open ses"},
                    {"txtTable", "", "Ansel"},
                    {"txtTable", "      ", "Ansel"},
                    {"txtTable", "  Den  ", "  Den  "},
                    {"", "", "localhost"},
                    {"txtServer", "10.0.0.7", "10.0.0.7"}};
        for (const auto& row : rows) {
            Lobby lobby;
            const QByteArray field(row.field);
            if (!field.isEmpty())
                lobby.type(row.field, row.typed);
            const QString got = field == "txtPassword"   ? lobby.dialog.key()
                                : field == "txtUserName" ? lobby.dialog.userName()
                                : field == "txtTable"    ? lobby.dialog.tableName()
                                                         : lobby.dialog.server();
            QCOMPARE(got, row.read);
            if (field == "txtPassword")
                QCOMPARE(child<QLineEdit>(&lobby.dialog, "txtPassword")->text(), row.typed);
        }
    }

    // New Table wants a name; Join a name, a row and a free seat. Enter goes to Join. A name
    // erased allows nothing; typed again, the table's seats are back.
    void enabling() {
        const struct {
            QString name;
            int row;
            bool newEnabled, joinEnabled;
        } rows[] = {{"", -1, false, false},   {"", 0, false, false}, {"Ansel", -1, true, false},
                    {"Ansel", 0, true, true}, {"A", 2, true, true},  {" ", 1, true, true}};
        for (const auto& row : rows) {
            Lobby lobby(row.name,
                        {{"Pub", MixedSeats}, {"Den", AllComputers}, {"Loft", MixedSeats}});
            if (row.row >= 0)
                lobby.clickRow(row.row);
            QCOMPARE(lobby.dialog.selectedRow(), row.row);
            QCOMPARE(lobby.button("cmdNew")->isEnabled(), row.newEnabled);
            QCOMPARE(lobby.button("cmdJoin")->isEnabled(), row.joinEnabled);
            QTest::keyClick(child(&lobby.dialog, "txtTable"), Qt::Key_Return);
            QCOMPARE(lobby.joinSpy.count(), row.joinEnabled ? 1 : 0);
            lobby.newSpy.clear();
            lobby.joinSpy.clear();
            lobby.click("cmdNew");
            lobby.click("cmdJoin");
            QCOMPARE(lobby.newSpy.count(), row.newEnabled ? 1 : 0);
            QCOMPARE(lobby.joinSpy.count(), row.joinEnabled ? 1 : 0);
        }
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}});
        lobby.clickRow(0);
        lobby.type("txtUserName", QString());
        QVERIFY(!lobby.button("cmdNew")->isEnabled());
        QVERIFY(!lobby.button("cmdJoin")->isEnabled());
        lobby.type("txtUserName", QStringLiteral("Bea"));
        QVERIFY(lobby.button("cmdJoin")->isEnabled());
        QCOMPARE(lobby.dialog.selectedSeat(), 1);
    }

    // Once no table is chosen (the list emptied, or the chosen table gone from it), the seat
    // buttons show the compass again and offer nobody's seat.
    void unchosenTableShowsTheCompass() {
        for (bool emptied : {true, false}) {
            Lobby lobby(QStringLiteral("Ansel"), {{"Pub", FourPeople}, {"Den", AllComputers}});
            lobby.clickRow(0);
            QCOMPARE(lobby.seat(0)->toolTip(), QStringLiteral("Maren"));
            if (emptied)
                lobby.dialog.clearTables();
            else
                lobby.dialog.selectRow(-1);
            for (int i = 0; i < 4; ++i) {
                QCOMPARE(lobby.seat(i)->text(), Compass[static_cast<size_t>(i)]);
                QVERIFY(lobby.seat(i)->toolTip().isEmpty());
            }
            QCOMPARE(lobby.dialog.selectedSeat(), -1);
            QVERIFY(!lobby.button("cmdJoin")->isEnabled());
        }
    }

    // The list has room for two rows; a long name is cut, not given a scroll bar that takes the
    // room of the second.
    void longNameKeepsTwoRowsInView() {
        const std::string name = "A table with a very long name indeed";
        Lobby lobby(QStringLiteral("Ansel"), {{name, MixedSeats}, {"Den", AllComputers}});
        QListWidget* l = lobby.list();
        QVERIFY(!l->horizontalScrollBar()->isVisible());
        QVERIFY(l->visualItemRect(l->item(1)).top() < l->viewport()->height());
        QCOMPARE(l->item(0)->toolTip(), QString::fromStdString(name));
        QVERIFY(l->visualItemRect(l->item(0)).width() <= l->viewport()->width());
    }

    // A seat a computer holds ("Computer..." by its first eight letters) is free; the lowest
    // free one is checked. Each button shows the whole name in its tooltip and as much as fits
    // in its caption (below "~": cut with an ellipsis, "": whole or cut); "Computer" reads whole at
    // every seat, also at West, the narrowest; an ampersand is no shortcut.
    void rowShowsSeats() {
        const struct {
            Seats occupants, captions;
            Flags free;
            int checked;
        } rows[] = {
            {MixedSeats, MixedSeats, {false, true, true, false}, 1},
            {AllComputers, AllComputers, {true, true, true, true}, 0},
            {{"Maren", "Ilse", "Tobias", "Computer"}, {}, {false, false, false, true}, 3},
            {{"Computer 3", "Computers", "ComputerX", "Computer"}, {}, {true, true, true, true}, 0},
            {{"computer", "Comput", "COMPUTER", " Computer"}, {}, {false, false, false, false}, -1},
            {{"", "Computer", "", "Computer"}, {}, {false, true, false, true}, 1},
            {{"Bartholome", "Bartholome", "Al&Bo", "Ilse"},
             {"Bartholome", "~", "Al&&Bo", "Ilse"},
             {false, false, false, false},
             -1}};
        for (const auto& row : rows) {
            Lobby lobby(QStringLiteral("Ansel"),
                        {{"First", FourPeople}, {"Second", row.occupants}});
            lobby.clickRow(1);
            QCOMPARE(lobby.dialog.selectedRow(), 1);
            for (size_t i = 0; i < 4; ++i) {
                const QString name = QString::fromStdString(row.occupants[i]);
                const QString text = lobby.seat(int(i))->text();
                QCOMPARE(lobby.seat(int(i))->toolTip(), name);
                const bool cut = text.size() > 1 && text.endsWith(QChar(0x2026)) &&
                                 name.startsWith(text.chopped(1));
                if (row.captions[i] == "~")
                    QVERIFY2(cut, qPrintable(text));
                else if (row.captions[i].empty())
                    QVERIFY2(cut || text == name, qPrintable(text));
                else
                    QCOMPARE(text, QString::fromStdString(row.captions[i]));
            }
            QCOMPARE(lobby.enabledSeats(), row.free);
            QCOMPARE(lobby.dialog.selectedSeat(), row.checked);
            QCOMPARE(lobby.button("cmdJoin")->isEnabled(), row.checked != -1);
        }
    }

    // A free seat checked at another table is not carried over to a full one.
    void fourPeopleNoJoin() {
        Lobby lobby(QStringLiteral("Ansel"), {{"Open", AllComputers}, {"Full", FourPeople}});
        lobby.clickRow(0);
        QCOMPARE(lobby.dialog.selectedSeat(), 0);
        lobby.clickRow(1);
        QCOMPARE(lobby.enabledSeats(), (Flags{false, false, false, false}));
        for (int i = 0; i < 4; ++i)
            QVERIFY(!lobby.seat(i)->isChecked());
        QTest::keyClick(lobby.list(), Qt::Key_Return);
        QCOMPARE(lobby.joinSpy.count(), 0);
        lobby.click("cmdNew");
        QCOMPARE(lobby.newSpy.count(), 1);
    }

    void joinWithChosenSeat() {
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}, {"Den", AllComputers}});
        lobby.clickRow(0);
        QTest::mouseClick(lobby.seat(2), Qt::LeftButton);
        // A seat a person holds cannot be chosen.
        QTest::mouseClick(lobby.seat(3), Qt::LeftButton);
        QCOMPARE(lobby.dialog.selectedSeat(), 2);
        lobby.click("cmdJoin");
        QCOMPARE(lobby.joinSpy.count(), 1);
        // The keyboard: down to the next table, Enter joins at its lowest free seat.
        QTest::keyClick(lobby.list(), Qt::Key_Down);
        QCOMPARE(lobby.dialog.selectedRow(), 1);
        QCOMPARE(lobby.dialog.selectedSeat(), 0);
        QTest::keyClick(lobby.list(), Qt::Key_Return);
        QCOMPARE(lobby.joinSpy.count(), 2);
        QVERIFY(lobby.dialog.isVisible());
    }

    // A table arriving while the list has the focus runs the row's click again: the checked seat
    // goes back to the lowest free one.
    void addingWithListFocusRerunsRowClick() {
        for (const auto& [focus, checkedAfter] : {std::pair{"lstGames", 1}, {"txtTable", 2}}) {
            Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}});
            lobby.clickRow(0);
            lobby.seat(2)->setChecked(true);
            child(&lobby.dialog, focus)->setFocus();
            QCOMPARE(lobby.dialog.focusWidget(), child(&lobby.dialog, focus));
            lobby.dialog.addTable("Den", AllComputers);
            QCOMPARE(lobby.dialog.selectedRow(), 0);
            QCOMPARE(lobby.dialog.selectedSeat(), checkedAfter);
        }
    }

    // Refresh empties the list before it asks; the new list overwrites the old rows.
    void refreshClearsAndEmits() {
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}, {"Den", FourPeople}});
        QObject::connect(&lobby.dialog, &LobbyDialog::refreshRequested, &lobby.dialog,
                         [&] { QCOMPARE(lobby.dialog.rowCount(), 0); });
        lobby.clickRow(0);
        lobby.click("cmdRefresh");
        QCOMPARE(lobby.refreshSpy.count(), 1);
        QCOMPARE(lobby.dialog.selectedRow(), -1);
        QVERIFY(!lobby.button("cmdJoin")->isEnabled());
        lobby.dialog.addTable("Loft", FourPeople);
        lobby.dialog.addTable("Attic", AllComputers);
        lobby.clickRow(0);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(lobby.seat(i)->toolTip(), QString::fromStdString(FourPeople[size_t(i)]));
        QCOMPARE(lobby.dialog.selectedSeat(), -1);
    }

    // The Cancel button, Esc and the title bar's close cancel; accepted, it does not.
    void cancel() {
        for (const QString how : {"button", "escape", "title bar", "accept"}) {
            Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}});
            if (how == "button")
                lobby.click("cmdCancel");
            else if (how == "escape")
                QTest::keyClick(child(&lobby.dialog, "txtUserName"), Qt::Key_Escape);
            else if (how == "title bar")
                QVERIFY(lobby.dialog.windowHandle()->close());
            else
                lobby.dialog.accept();
            QVERIFY(!lobby.dialog.isVisible());
            QCOMPARE(lobby.cancelSpy.count(), how == "accept" ? 0 : 1);
            QCOMPARE(lobby.dialog.result(),
                     int(how == "accept" ? QDialog::Accepted : QDialog::Rejected));
            QCOMPARE(lobby.requests(), 0);
        }
    }

    // While a connection is made: the hourglass, and no second connection over it; Cancel is
    // the way out.
    void busyPointer() {
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}});
        lobby.clickRow(0);
        lobby.dialog.setBusy(true);
        QCOMPARE(lobby.dialog.cursor().shape(), Qt::WaitCursor);
        QCOMPARE(lobby.list()->cursor().shape(), Qt::WaitCursor);
        for (const char* name : {"cmdNew", "cmdJoin", "cmdRefresh"})
            lobby.click(name);
        QCOMPARE(lobby.requests(), 0);
        QCOMPARE(lobby.dialog.rowCount(), 1);
        lobby.dialog.setBusy(false);
        QCOMPARE(lobby.dialog.cursor().shape(), Qt::ArrowCursor);
        lobby.click("cmdJoin");
        QCOMPARE(lobby.joinSpy.count(), 1);
        lobby.dialog.setBusy(true);
        lobby.click("cmdCancel");
        QCOMPARE(lobby.cancelSpy.count(), 1);
    }
};

QTEST_MAIN(LobbyDialogTest)
#include "lobby_dialog_test.moc"
