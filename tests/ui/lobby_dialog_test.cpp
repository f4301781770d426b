// The lobby dialog driven as a person would: real widgets on the offscreen platform, typing and
// clicks through QTest, tables added as the lobby's list arrives. Its layout, its fields as the
// connections read them, its enabling rules, the seat buttons for the chosen table, the 21-table
// list, Refresh, Cancel and the busy pointer.
#include "lobby_fixture.h"
#include "ui/dialog_placement.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QWindow>

using namespace corvane::ui;
using namespace corvane::ui::test;

namespace {

const std::array<QString, 4> Compass{"South", "West", "North", "East"};

} // namespace

class LobbyDialogTest : public QObject {
    Q_OBJECT

private slots:
    void startUpState() {
        LobbyDialog dialog(QStringLiteral("localhost"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Play Online"));
        QVERIFY(!dialog.isModal());
        QCOMPARE(dialog.size(), QSize(372, 263)); // 5580 x 3945 twips
        const std::vector<std::pair<const char*, const char*>> captions{
            {"lblServer", "&Server:"},
            {"lblLabels0", "&User Name:"},
            {"lblLabels1", "&Internet Key:"},
            {"lblLabels2", "New Table:"},
            {"Label1", "Tables Waiting for Players"},
            {"cmdJoin", "&Join"},
            {"cmdNew", "&New Table"},
            {"cmdRefresh", "Refresh"},
            {"cmdCancel", "Cancel"},
            {"lblStatus", ""}};
        for (const auto& [name, text] : captions) {
            auto* w = child<QWidget>(&dialog, name);
            QCOMPARE(w->property("text").toString(), QString::fromUtf8(text));
        }
        QCOMPARE(child<QGroupBox>(&dialog, "Frame1")->title(), QStringLiteral("Card Table"));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(seat(&dialog, i)->text(), Compass[static_cast<size_t>(i)]);
        QCOMPARE(child<QLabel>(&dialog, "lblServer")->buddy(),
                 child<QWidget>(&dialog, "txtServer"));
        QCOMPARE(child<QLineEdit>(&dialog, "txtPassword")->echoMode(), QLineEdit::Password);
        QVERIFY(button(&dialog, "cmdJoin")->isDefault());
        QVERIFY(!button(&dialog, "cmdJoin")->isEnabled());
        QVERIFY(!button(&dialog, "cmdNew")->isEnabled());
        QCOMPARE(dialog.server(), QStringLiteral("localhost"));
    }

    // Every control lies inside its parent and clear of its neighbours, but for a pixel where a
    // caption meets its field (the seat buttons sit on the little card table, their background).
    void controlsInsideAndApart() {
        LobbyDialog dialog(QStringLiteral("localhost"));
        for (QWidget* parent :
             {static_cast<QWidget*>(&dialog), child<QWidget>(&dialog, "Frame1")}) {
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

    void focusStartsOnUserName() {
        LobbyDialog dialog(QStringLiteral("localhost"));
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(&dialog, "txtUserName"));
    }

    // The fields as the connections read them: the name's ten letters, the key's first eight,
    // the table's name (the user's when blank), the server as given or typed.
    void fields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("read");
        QTest::newRow("long name") << "txtUserName"
                                   << "Bartholomew Q"
                                   << "Bartholome";
        QTest::newRow("short key") << "txtPassword"
                                   << "abc"
                                   << "abc";
        QTest::newRow("eight-letter key") << "txtPassword"
                                          << "k3y-0042"
                                          << "k3y-0042";
        QTest::newRow("long key") << "txtPassword"
                                  << "open sesame, please"
                                  << "open ses";
        QTest::newRow("blank table") << "txtTable"
                                     << ""
                                     << "Ansel";
        QTest::newRow("spaces for a table") << "txtTable"
                                            << "      "
                                            << "Ansel";
        QTest::newRow("table untrimmed") << "txtTable"
                                         << "  Den  "
                                         << "  Den  ";
        QTest::newRow("server as given") << ""
                                         << ""
                                         << "localhost";
        QTest::newRow("server typed") << "txtServer"
                                      << "10.0.0.7"
                                      << "10.0.0.7";
    }
    void fields() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, read);
        Lobby lobby;
        if (!field.isEmpty())
            typeInto(&lobby.dialog, field.toLatin1().constData(), typed);
        const QString got = field == "txtPassword"   ? lobby.dialog.key()
                            : field == "txtUserName" ? lobby.dialog.userName()
                            : field == "txtTable"    ? lobby.dialog.tableName()
                                                     : lobby.dialog.server();
        QCOMPARE(got, read);
        if (field == "txtPassword")
            QCOMPARE(child<QLineEdit>(&lobby.dialog, "txtPassword")->text(), typed);
    }

    // New Table wants a name; Join a name, a row and a free seat. Enter goes to Join.
    void enabling_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("newEnabled");
        QTest::addColumn<bool>("joinEnabled");
        QTest::newRow("no name, no row") << "" << -1 << false << false;
        QTest::newRow("no name, row") << "" << 0 << false << false;
        QTest::newRow("name, no row") << "Ansel" << -1 << true << false;
        QTest::newRow("name, row") << "Ansel" << 0 << true << true;
        QTest::newRow("one letter, row 2") << "A" << 2 << true << true;
        QTest::newRow("a space, row") << " " << 1 << true << true;
    }
    void enabling() {
        QFETCH(QString, name);
        QFETCH(int, row);
        QFETCH(bool, newEnabled);
        QFETCH(bool, joinEnabled);
        Lobby lobby(name, {{"Pub", MixedSeats}, {"Den", AllComputers}, {"Loft", MixedSeats}});
        if (row >= 0)
            clickRow(&lobby.dialog, row);
        QCOMPARE(lobby.dialog.selectedRow(), row);
        QCOMPARE(button(&lobby.dialog, "cmdNew")->isEnabled(), newEnabled);
        QCOMPARE(button(&lobby.dialog, "cmdJoin")->isEnabled(), joinEnabled);
        QTest::keyClick(child<QWidget>(&lobby.dialog, "txtTable"), Qt::Key_Return);
        QCOMPARE(lobby.joinSpy.count(), joinEnabled ? 1 : 0);
        lobby.newSpy.clear();
        lobby.joinSpy.clear();
        QTest::mouseClick(button(&lobby.dialog, "cmdNew"), Qt::LeftButton);
        QTest::mouseClick(button(&lobby.dialog, "cmdJoin"), Qt::LeftButton);
        QCOMPARE(lobby.newSpy.count(), newEnabled ? 1 : 0);
        QCOMPARE(lobby.joinSpy.count(), joinEnabled ? 1 : 0);
    }

    // A name erased with a row chosen allows nothing; typed again, the table's seats are back.
    void erasedNameAndTypedAgain() {
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}});
        clickRow(&lobby.dialog, 0);
        typeInto(&lobby.dialog, "txtUserName", QString());
        QVERIFY(!button(&lobby.dialog, "cmdNew")->isEnabled());
        QVERIFY(!button(&lobby.dialog, "cmdJoin")->isEnabled());
        typeInto(&lobby.dialog, "txtUserName", QStringLiteral("Bea"));
        QVERIFY(button(&lobby.dialog, "cmdJoin")->isEnabled());
        QCOMPARE(lobby.dialog.selectedSeat(), 1);
    }

    // Once no table is chosen (the list emptied, or the chosen table gone from it), the seat
    // buttons show the compass again and offer nobody's seat.
    void unchosenTableShowsTheCompass_data() {
        QTest::addColumn<bool>("emptied");
        QTest::newRow("list emptied") << true;
        QTest::newRow("table no longer chosen") << false;
    }
    void unchosenTableShowsTheCompass() {
        QFETCH(bool, emptied);
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", FourPeople}, {"Den", AllComputers}});
        clickRow(&lobby.dialog, 0);
        QCOMPARE(seat(&lobby.dialog, 0)->toolTip(), QStringLiteral("Maren"));
        if (emptied)
            lobby.dialog.clearTables();
        else
            lobby.dialog.selectRow(-1);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(seat(&lobby.dialog, i)->text(), Compass[static_cast<size_t>(i)]);
            QVERIFY(seat(&lobby.dialog, i)->toolTip().isEmpty());
        }
        QCOMPARE(lobby.dialog.selectedSeat(), -1);
        QVERIFY(!button(&lobby.dialog, "cmdJoin")->isEnabled());
    }

    // The list has room for two rows; a long name is cut, not given a scroll bar that takes the
    // room of the second.
    void longNameKeepsTwoRowsInView() {
        const std::string name = "A table with a very long name indeed";
        Lobby lobby(QStringLiteral("Ansel"), {{name, MixedSeats}, {"Den", AllComputers}});
        QListWidget* l = list(&lobby.dialog);
        QVERIFY(!l->horizontalScrollBar()->isVisible());
        QVERIFY(l->visualItemRect(l->item(1)).top() < l->viewport()->height());
        QCOMPARE(l->item(0)->toolTip(), QString::fromStdString(name));
        QVERIFY(l->visualItemRect(l->item(0)).width() <= l->viewport()->width());
    }

    // A seat a computer holds ("Computer..." by its first eight letters) is free; the lowest
    // free one is checked.
    void rowShowsSeats_data() {
        QTest::addColumn<Seats>("occupants");
        QTest::addColumn<Free>("free");
        QTest::addColumn<int>("checked");
        QTest::newRow("mixed") << MixedSeats << Free{false, true, true, false} << 1;
        QTest::newRow("all computers") << AllComputers << Free{true, true, true, true} << 0;
        QTest::newRow("only East free")
            << Seats{"Maren", "Ilse", "Tobias", "Computer"} << Free{false, false, false, true} << 3;
        QTest::newRow("first eight letters count")
            << Seats{"Computer 3", "Computers", "ComputerX", "Computer"}
            << Free{true, true, true, true} << 0;
        QTest::newRow("not quite Computer") << Seats{"computer", "Comput", "COMPUTER", " Computer"}
                                            << Free{false, false, false, false} << -1;
        QTest::newRow("empty occupant")
            << Seats{"", "Computer", "", "Computer"} << Free{false, true, false, true} << 1;
    }
    void rowShowsSeats() {
        QFETCH(Seats, occupants);
        QFETCH(Free, free);
        QFETCH(int, checked);
        Lobby lobby(QStringLiteral("Ansel"), {{"First", FourPeople}, {"Second", occupants}});
        clickRow(&lobby.dialog, 1);
        const Shown s = shown(&lobby.dialog);
        QCOMPARE(s.row, 1);
        for (size_t i = 0; i < 4; ++i) {
            QCOMPARE(s.captions[i], QString::fromStdString(occupants[i]));
            QCOMPARE(s.enabled[i], free[i]);
        }
        QCOMPARE(s.checked, checked);
        QCOMPARE(button(&lobby.dialog, "cmdJoin")->isEnabled(), checked != -1);
    }

    void seatCaptions_data() {
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("occupant");
        QTest::addColumn<QString>("caption"); // empty: cut with an ellipsis
        // "Computer" reads whole at every seat, also at West, the narrowest.
        for (int i = 0; i < 4; ++i)
            QTest::addRow("Computer at seat %d", i) << i << "Computer"
                                                    << "Computer";
        QTest::newRow("ten letters in the South") << 0 << "Bartholome"
                                                  << "Bartholome";
        QTest::newRow("ten letters in the West") << 1 << "Bartholome"
                                                 << "";
        QTest::newRow("an ampersand is no shortcut") << 2 << "Al&Bo"
                                                     << "Al&&Bo";
    }
    void seatCaptions() {
        QFETCH(int, at);
        QFETCH(QString, occupant);
        QFETCH(QString, caption);
        Seats seats = FourPeople;
        seats[static_cast<size_t>(at)] = occupant.toStdString();
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", seats}});
        clickRow(&lobby.dialog, 0);
        QCOMPARE(seat(&lobby.dialog, at)->toolTip(), occupant);
        const QString text = seat(&lobby.dialog, at)->text();
        if (caption.isEmpty())
            QVERIFY2(text.size() > 1 && text.endsWith(QChar(0x2026)) &&
                         occupant.startsWith(text.chopped(1)),
                     qPrintable(text));
        else
            QCOMPARE(text, caption);
    }

    // A free seat checked at another table is not carried over to a full one.
    void fourPeopleNoJoin() {
        Lobby lobby(QStringLiteral("Ansel"), {{"Open", AllComputers}, {"Full", FourPeople}});
        clickRow(&lobby.dialog, 0);
        QCOMPARE(lobby.dialog.selectedSeat(), 0);
        clickRow(&lobby.dialog, 1);
        QCOMPARE(shown(&lobby.dialog).enabled, (std::array{false, false, false, false}));
        for (int i = 0; i < 4; ++i)
            QVERIFY(!seat(&lobby.dialog, i)->isChecked());
        QTest::keyClick(list(&lobby.dialog), Qt::Key_Return);
        QCOMPARE(lobby.joinSpy.count(), 0);
        QTest::mouseClick(button(&lobby.dialog, "cmdNew"), Qt::LeftButton);
        QCOMPARE(lobby.newSpy.count(), 1);
    }

    void joinWithChosenSeat() {
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}, {"Den", AllComputers}});
        clickRow(&lobby.dialog, 0);
        QTest::mouseClick(seat(&lobby.dialog, 2), Qt::LeftButton);
        // A seat a person holds cannot be chosen.
        QTest::mouseClick(seat(&lobby.dialog, 3), Qt::LeftButton);
        QCOMPARE(lobby.dialog.selectedSeat(), 2);
        QTest::mouseClick(button(&lobby.dialog, "cmdJoin"), Qt::LeftButton);
        QCOMPARE(lobby.joinSpy.count(), 1);
        // The keyboard: down to the next table, Enter joins at its lowest free seat.
        QTest::keyClick(list(&lobby.dialog), Qt::Key_Down);
        QCOMPARE(lobby.dialog.selectedRow(), 1);
        QCOMPARE(lobby.dialog.selectedSeat(), 0);
        QTest::keyClick(list(&lobby.dialog), Qt::Key_Return);
        QCOMPARE(lobby.joinSpy.count(), 2);
        QVERIFY(lobby.dialog.isVisible());
    }

    // A table arriving while the list has the focus runs the row's click again: the checked seat
    // goes back to the lowest free one.
    void addingWithListFocusRerunsRowClick_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("checkedAfter");
        QTest::newRow("list has the focus") << "lstGames" << 1;
        QTest::newRow("table name has the focus") << "txtTable" << 2;
    }
    void addingWithListFocusRerunsRowClick() {
        QFETCH(QString, focus);
        QFETCH(int, checkedAfter);
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}});
        clickRow(&lobby.dialog, 0);
        seat(&lobby.dialog, 2)->setChecked(true);
        child<QWidget>(&lobby.dialog, focus)->setFocus();
        QCOMPARE(lobby.dialog.focusWidget(), child<QWidget>(&lobby.dialog, focus));
        lobby.dialog.addTable("Den", AllComputers);
        QCOMPARE(lobby.dialog.selectedRow(), 0);
        QCOMPARE(lobby.dialog.selectedSeat(), checkedAfter);
    }

    void tableCap() {
        Lobby lobby;
        for (int i = 0; i < 25; ++i) {
            const std::string n = std::to_string(i);
            lobby.dialog.addTable("Table " + n,
                                  {"Host " + n, "Computer", "Guest " + n, "Computer"});
        }
        QCOMPARE(lobby.dialog.rowCount(), LobbyDialog::MaxTables);
        list(&lobby.dialog)->setCurrentRow(20);
        QCOMPARE(seat(&lobby.dialog, 2)->text(), QStringLiteral("Guest 20"));
        QCOMPARE(lobby.dialog.selectedSeat(), 1);
    }

    // Refresh empties the list before it asks; the new list overwrites the old rows.
    void refreshClearsAndEmits() {
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}, {"Den", FourPeople}});
        QObject::connect(&lobby.dialog, &LobbyDialog::refreshRequested, &lobby.dialog,
                         [&] { QCOMPARE(lobby.dialog.rowCount(), 0); });
        clickRow(&lobby.dialog, 0);
        QTest::mouseClick(button(&lobby.dialog, "cmdRefresh"), Qt::LeftButton);
        QCOMPARE(lobby.refreshSpy.count(), 1);
        QCOMPARE(lobby.dialog.selectedRow(), -1);
        QVERIFY(!button(&lobby.dialog, "cmdJoin")->isEnabled());
        lobby.dialog.addTable("Loft", FourPeople);
        lobby.dialog.addTable("Attic", AllComputers);
        clickRow(&lobby.dialog, 0);
        QCOMPARE(shown(&lobby.dialog).captions,
                 (std::array<QString, 4>{"Maren", "Ilse", "Tobias", "Quinn"}));
        QCOMPARE(lobby.dialog.selectedSeat(), -1);
    }

    void cancel_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel button") << "button";
        QTest::newRow("Esc") << "escape";
        QTest::newRow("title bar close") << "title bar";
        QTest::newRow("accepted: no cancel") << "accept";
    }
    void cancel() {
        QFETCH(QString, how);
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}});
        if (how == "button")
            QTest::mouseClick(button(&lobby.dialog, "cmdCancel"), Qt::LeftButton);
        else if (how == "escape")
            QTest::keyClick(child<QWidget>(&lobby.dialog, "txtUserName"), Qt::Key_Escape);
        else if (how == "title bar")
            QVERIFY(lobby.dialog.windowHandle()->close());
        else
            lobby.dialog.accept();
        QVERIFY(!lobby.dialog.isVisible());
        QCOMPARE(lobby.cancelSpy.count(), how == "accept" ? 0 : 1);
        QCOMPARE(lobby.dialog.result(),
                 int(how == "accept" ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(lobby.newSpy.count() + lobby.joinSpy.count() + lobby.refreshSpy.count(), 0);
    }

    // While a connection is made: the hourglass, and no second connection over it; Cancel is
    // the way out.
    void busyPointer() {
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}});
        clickRow(&lobby.dialog, 0);
        lobby.dialog.setBusy(true);
        QCOMPARE(lobby.dialog.cursor().shape(), Qt::WaitCursor);
        QCOMPARE(list(&lobby.dialog)->cursor().shape(), Qt::WaitCursor);
        for (const char* name : {"cmdNew", "cmdJoin", "cmdRefresh"})
            QTest::mouseClick(button(&lobby.dialog, name), Qt::LeftButton);
        QCOMPARE(lobby.newSpy.count() + lobby.joinSpy.count() + lobby.refreshSpy.count(), 0);
        QCOMPARE(lobby.dialog.rowCount(), 1);
        lobby.dialog.setBusy(false);
        QCOMPARE(lobby.dialog.cursor().shape(), Qt::ArrowCursor);
        QTest::mouseClick(button(&lobby.dialog, "cmdJoin"), Qt::LeftButton);
        QCOMPARE(lobby.joinSpy.count(), 1);
        lobby.dialog.setBusy(true);
        QTest::mouseClick(button(&lobby.dialog, "cmdCancel"), Qt::LeftButton);
        QCOMPARE(lobby.cancelSpy.count(), 1);
    }

    // What the eye looks for: baize inside the card table's rail, and the dialog's own colour
    // around it.
    void theCardTableIsBaize() {
        Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}});
        const QImage image = lobby.dialog.grab().toImage();
        const qreal dpr = image.devicePixelRatio();
        const QWidget* frame = child<QWidget>(&lobby.dialog, "Frame1");
        const QPoint inside =
            frame->mapTo(&lobby.dialog, QPoint(pixelRect(0, 0, 1000, 0).width(),
                                               seat(&lobby.dialog, 1)->geometry().bottom() + 12));
        const auto baize = [](QColor c) {
            return c.green() > c.red() + 50 && c.green() > c.blue() + 40;
        };
        QVERIFY(baize(image.pixelColor(inside * dpr)));
        QVERIFY(!baize(image.pixelColor(QPoint(4, 4) * dpr)));
    }
};

QTEST_MAIN(LobbyDialogTest)
#include "lobby_dialog_test.moc"
