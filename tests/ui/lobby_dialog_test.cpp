// The lobby dialog driven as a person would: real widgets on the offscreen platform, typing and
// clicks through QTest, tables added as the lobby's list arrives. Its layout, its fields as the
// connections read them, its enabling rules, the seat buttons for the chosen table, Refresh,
// Cancel and the busy pointer.
#include "ui/online/lobby_dialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <string>

using namespace corvane::ui;

namespace {

using Seats = std::array<std::string, 4>;
using Flags = std::array<bool, 4>;

const Seats Mixed{"Maren", "Computer", "Computer", "Tobias"};
const Seats Full{"Maren", "Ilse", "Tobias", "Quinn"};
const Seats Free{"Computer", "Computer", "Computer", "Computer"};

template <typename T = QWidget> T* child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (w == nullptr)
        qFatal("no %s", name);
    return w;
}

// A shown dialog with a name typed and the given tables listed, and spies on its requests.
struct Lobby {
    explicit Lobby(const QString& name = QStringLiteral("Ansel"),
                   std::initializer_list<std::pair<std::string, Seats>> tables = {{"Pub", Mixed},
                                                                                  {"Den", Free}}) {
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
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    // Clicks the row as a person would, in the middle of its line.
    void clickRow(int row) {
        const QRect r = list()->visualItemRect(list()->item(row));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, r.center());
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
    // Every control lies inside its parent and clear of its neighbours, but for a pixel where a
    // caption meets its field (the seat buttons sit on the little card table, their background).
    void startUpAndLayout() {
        Lobby lobby{QString()};
        lobby.dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&lobby.dialog));
        QVERIFY(!lobby.dialog.isModal());
        QCOMPARE(QApplication::focusWidget(), child(&lobby.dialog, "txtUserName"));
        QCOMPARE(child<QLineEdit>(&lobby.dialog, "txtPassword")->echoMode(), QLineEdit::Password);
        for (QWidget* parent :
             {static_cast<QWidget*>(&lobby.dialog), child(&lobby.dialog, "Frame1")}) {
            QList<QWidget*> controls;
            for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
                    controls << w;
            QVERIFY(controls.size() >= 4);
            for (QWidget* w : controls) {
                QVERIFY2(parent->rect().contains(w->geometry()), qPrintable(w->objectName()));
                for (QWidget* o : controls)
                    QVERIFY2(w == o || w->objectName() == QLatin1String("shpCardTable") ||
                                 o->objectName() == QLatin1String("shpCardTable") ||
                                 (w->geometry() & o->geometry()).height() <= 1,
                             qPrintable(w->objectName() + QLatin1Char(' ') + o->objectName()));
            }
        }
    }

    // The fields as the connections read them: the name's ten letters without the spaces
    // around them, the key's first eight (shown whole), the table's name (the user's when
    // blank).
    void fields() {
        const struct {
            const char* field;
            QString typed, read;
        } rows[] = {{"txtUserName", "Bartholomew Q", "Bartholome"},
                    {"txtUserName", "  Ansel ", "Ansel"},
                    {"txtPassword", "open sesame, please", "open ses"},
                    {"txtTable", "      ", "Ansel"},
                    {"txtTable", "  Den  ", "  Den  "}};
        for (const auto& row : rows) {
            Lobby lobby;
            const QByteArray field(row.field);
            lobby.type(row.field, row.typed);
            const QString got = field == "txtPassword"   ? lobby.dialog.key()
                                : field == "txtUserName" ? lobby.dialog.userName()
                                                         : lobby.dialog.tableName();
            QCOMPARE(got, row.read);
            if (field == "txtPassword")
                QCOMPARE(child<QLineEdit>(&lobby.dialog, "txtPassword")->text(), row.typed);
        }
    }

    // New Table wants a name with something visible in it; Join such a name, a row and a free
    // seat. Enter goes to Join. A name erased allows nothing; typed again, the table's seats are
    // back.
    void enabling() {
        const struct {
            QString name;
            int row;
            bool newEnabled, joinEnabled;
        } rows[] = {{"", 0, false, false},
                    {"Ansel", -1, true, false},
                    {"Ansel", 0, true, true},
                    {"  ", 1, false, false}};
        for (const auto& row : rows) {
            Lobby lobby(row.name);
            if (row.row >= 0)
                lobby.clickRow(row.row);
            QCOMPARE(lobby.dialog.selectedRow(), row.row);
            QTest::keyClick(child(&lobby.dialog, "txtTable"), Qt::Key_Return);
            QCOMPARE(lobby.joinSpy.count(), row.joinEnabled ? 1 : 0);
            lobby.click("cmdNew");
            lobby.click("cmdJoin");
            QCOMPARE(lobby.newSpy.count(), row.newEnabled ? 1 : 0);
            QCOMPARE(lobby.joinSpy.count(), row.joinEnabled ? 2 : 0);
            QVERIFY(lobby.dialog.isVisible()); // until the seat is taken
        }
        Lobby lobby;
        lobby.clickRow(0);
        lobby.type("txtUserName", QString());
        QVERIFY(!lobby.button("cmdNew")->isEnabled());
        QVERIFY(!lobby.button("cmdJoin")->isEnabled());
        lobby.type("txtUserName", QStringLiteral("Bea"));
        QVERIFY(lobby.button("cmdJoin")->isEnabled());
        QCOMPARE(lobby.dialog.selectedSeat(), 1);
    }

    // A seat a computer holds ("Computer..." by its first eight letters) is free; the lowest
    // free one is checked, none left checked from the table chosen before. Each button shows the
    // whole name in its tooltip and as much as fits in its caption (below "~": cut with an
    // ellipsis, "": whole or cut); "Computer" reads whole at every seat, also at West, the
    // narrowest; an ampersand is no shortcut. The seats the server tells after a refused join
    // show the same way.
    void rowShowsSeats() {
        const struct {
            Seats occupants, captions;
            Flags free;
            int checked;
        } rows[] = {
            {Mixed, Mixed, {false, true, true, false}, 1},
            {Free, Free, {true, true, true, true}, 0},
            {{"Maren", "Ilse", "Tobias", "Computer"}, {}, {false, false, false, true}, 3},
            {{"Computer 3", "Computers", "ComputerX", "Computer"}, {}, {true, true, true, true}, 0},
            {{"computer", "Comput", "COMPUTER", " Computer"}, {}, {false, false, false, false}, -1},
            {{"", "Computer", "", "Computer"}, {}, {false, true, false, true}, 1},
            {{"Bartholome", "Bartholome", "Al&Bo", "Ilse"},
             {"Bartholome", "~", "Al&&Bo", "Ilse"},
             {false, false, false, false},
             -1}};
        for (bool told : {false, true})
            for (const auto& row : rows) {
                Lobby lobby(QStringLiteral("Ansel"),
                            {{"First", Free}, {"Second", told ? Full : row.occupants}});
                lobby.clickRow(0);
                if (told)
                    lobby.dialog.showSeats(1, row.occupants);
                else
                    lobby.clickRow(1);
                QCOMPARE(lobby.dialog.selectedRow(), 1);
                for (size_t i = 0; i < 4; ++i) {
                    QRadioButton* seat = lobby.seat(int(i));
                    const QString name = QString::fromStdString(row.occupants[i]);
                    const QString text = seat->text();
                    QCOMPARE(seat->toolTip(), name);
                    const bool cut = text.size() > 1 && text.endsWith(QChar(0x2026)) &&
                                     name.startsWith(text.chopped(1));
                    if (row.captions[i] == "~")
                        QVERIFY2(cut, qPrintable(text));
                    else if (row.captions[i].empty())
                        QVERIFY2(cut || text == name, qPrintable(text));
                    else
                        QCOMPARE(text, QString::fromStdString(row.captions[i]));
                    QCOMPARE(seat->isEnabled(), row.free[i]);
                    QCOMPARE(seat->isChecked(), int(i) == row.checked);
                }
                QCOMPARE(lobby.dialog.selectedSeat(), row.checked);
                QCOMPARE(lobby.button("cmdJoin")->isEnabled(), row.checked != -1);
            }
        // A seat the person chose stays chosen as more tables arrive, and when the list is read
        // anew and the row chosen again with it.
        Lobby lobby;
        lobby.clickRow(0);
        QTest::mouseClick(lobby.seat(2), Qt::LeftButton);
        lobby.list()->setFocus();
        lobby.dialog.addTable("Late", Free);
        QCOMPARE(lobby.dialog.selectedSeat(), 2);
        lobby.dialog.clearTables();
        lobby.dialog.addTable("Pub", Mixed);
        lobby.dialog.selectRow(0, 2);
        QCOMPARE(lobby.dialog.selectedSeat(), 2);
    }

    // Once no table is chosen (the list emptied, or the chosen table gone from it), no seat is
    // offered.
    void unchosenTableOffersNoSeat() {
        for (bool emptied : {true, false}) {
            Lobby lobby;
            lobby.clickRow(0);
            if (emptied)
                lobby.dialog.clearTables();
            else
                lobby.dialog.selectRow(-1);
            QCOMPARE(lobby.dialog.selectedSeat(), -1);
            QVERIFY(!lobby.button("cmdJoin")->isEnabled());
        }
    }

    // Cancel cancels, also while a connection is made (the hourglass, and no second connection
    // over it from New Table or Join; Refresh still asks, for another server may have been
    // typed); accepted, the dialog does not. (Esc and the title bar's close are Qt's reject.)
    void cancelAndBusy() {
        for (const bool cancel : {true, false}) {
            Lobby lobby;
            lobby.clickRow(0);
            lobby.dialog.setBusy(true);
            QCOMPARE(lobby.list()->cursor().shape(), Qt::WaitCursor);
            for (const char* name : {"cmdNew", "cmdJoin", "cmdRefresh"})
                lobby.click(name);
            QCOMPARE(lobby.requests(), lobby.refreshSpy.count());
            QCOMPARE(lobby.refreshSpy.count(), 1);
            QCOMPARE(lobby.dialog.rowCount(), 2);
            if (cancel)
                lobby.click("cmdCancel");
            else
                lobby.dialog.accept();
            QVERIFY(!lobby.dialog.isVisible());
            QCOMPARE(lobby.cancelSpy.count(), cancel ? 1 : 0);
        }
        Lobby lobby;
        lobby.clickRow(0);
        lobby.dialog.setBusy(true);
        lobby.dialog.setBusy(false);
        QCOMPARE(lobby.dialog.cursor().shape(), Qt::ArrowCursor);
        lobby.click("cmdJoin");
        QCOMPARE(lobby.joinSpy.count(), 1);
    }
};

QTEST_MAIN(LobbyDialogTest)
#include "lobby_dialog_test.moc"
