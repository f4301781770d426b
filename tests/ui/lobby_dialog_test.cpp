// The lobby dialog's layout and its enabling rules, driven as a person would: real widgets on the
// offscreen platform, typing and clicks through QTest, tables added as the lobby's list arrives.
// Writes a picture of the dialog with three tables to screenshots/lobby_dialog.png beside the test
// program.
#include "lobby_fixture.h"
#include "ui/dialog_placement.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QScrollBar>

using namespace corvane::ui;
using namespace corvane::ui::test;

namespace {

bool isBaize(QColor c) {
    return c.green() > c.red() + 50 && c.green() > c.blue() + 40;
}

} // namespace

class LobbyDialogTest : public QObject {
    Q_OBJECT

private slots:
    void startUpState();
    void controlPlaces_data();
    void controlPlaces();
    void focusStartsOnUserName();
    void enabling_data();
    void enabling();
    void emptyUserNameAllowsNothing();
    void noRowNoJoin();
    void unchosenTableShowsTheCompass_data();
    void unchosenTableShowsTheCompass();
    void longNameKeepsTwoRowsInView();
    void rowShowsSeats_data();
    void rowShowsSeats();
    void seatCaptions_data();
    void seatCaptions();
    void fourPeopleNoJoin();
    void joinWithChosenSeat();
    void addingWithListFocusRerunsRowClick_data();
    void addingWithListFocusRerunsRowClick();
    void screenshot();
};

void LobbyDialogTest::startUpState() {
    LobbyDialog dialog(QStringLiteral("localhost"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Play Online"));
    QVERIFY(!dialog.isModal());
    // 5580 x 3945 twips: the server line, the "Remember key" line and the status line included
    QCOMPARE(dialog.size(), QSize(372, 263));
    QVERIFY(child<QLabel>(&dialog, "lblStatus")->text().isEmpty());
    QCOMPARE(child<QLabel>(&dialog, "lblServer")->text(), QStringLiteral("&Server:"));
    QCOMPARE(child<QLabel>(&dialog, "lblLabels0")->text(), QStringLiteral("&User Name:"));
    QCOMPARE(child<QLabel>(&dialog, "lblLabels1")->text(), QStringLiteral("&Internet Key:"));
    QCOMPARE(child<QLabel>(&dialog, "lblLabels2")->text(), QStringLiteral("New Table:"));
    QCOMPARE(child<QLabel>(&dialog, "Label1")->text(),
             QStringLiteral("Tables Waiting for Players"));
    QCOMPARE(child<QGroupBox>(&dialog, "Frame1")->title(), QStringLiteral("Card Table"));
    const std::array<QString, 4> compass{"South", "West", "North", "East"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(seat(&dialog, i)->text(), compass[static_cast<size_t>(i)]);
        QCOMPARE(seat(&dialog, i)->parentWidget(), child<QGroupBox>(&dialog, "Frame1"));
    }
    QCOMPARE(child<QLineEdit>(&dialog, "txtUserName")->maxLength(), 10);
    QCOMPARE(child<QLineEdit>(&dialog, "txtPassword")->echoMode(), QLineEdit::Password);
    QCOMPARE(button(&dialog, "cmdJoin")->text(), QStringLiteral("&Join"));
    QCOMPARE(button(&dialog, "cmdNew")->text(), QStringLiteral("&New Table"));
    QCOMPARE(button(&dialog, "cmdRefresh")->text(), QStringLiteral("Refresh"));
    QCOMPARE(button(&dialog, "cmdCancel")->text(), QStringLiteral("Cancel"));
    QVERIFY(button(&dialog, "cmdJoin")->isDefault());
    QVERIFY(!button(&dialog, "cmdJoin")->isEnabled());
    QVERIFY(!button(&dialog, "cmdNew")->isEnabled());
    QVERIFY(button(&dialog, "cmdRefresh")->isEnabled());
    QVERIFY(button(&dialog, "cmdCancel")->isEnabled());
    QCOMPARE(dialog.rowCount(), 0);
    QCOMPARE(dialog.selectedRow(), -1);
    QCOMPARE(dialog.selectedSeat(), -1);
    QCOMPARE(dialog.server(), QStringLiteral("localhost"));
    QVERIFY(!dialog.isBusy());
}

void LobbyDialogTest::controlPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips"); // left, top, width, height; seats inside Frame1
    QTest::addColumn<bool>("belowServer");
    // The server line, then the layout of the rest, which sits 420 twips lower.
    QTest::newRow("lblServer") << "lblServer" << QRect(105, 150, 1080, 270) << false;
    QTest::newRow("txtServer") << "txtServer" << QRect(1320, 135, 4095, 285) << false;
    QTest::newRow("lblLabels0") << "lblLabels0" << QRect(105, 150, 1080, 270) << true;
    QTest::newRow("txtUserName") << "txtUserName" << QRect(1320, 135, 1225, 285) << true;
    QTest::newRow("lblLabels1") << "lblLabels1" << QRect(105, 540, 1080, 270) << true;
    QTest::newRow("txtPassword") << "txtPassword" << QRect(1320, 525, 1225, 285) << true;
    QTest::newRow("lblLabels2") << "lblLabels2" << QRect(105, 960, 1080, 270) << true;
    QTest::newRow("txtTable") << "txtTable" << QRect(1320, 960, 1225, 285) << true;
    QTest::newRow("Label1") << "Label1" << QRect(120, 1440, 2415, 255) << true;
    QTest::newRow("lstGames") << "lstGames" << QRect(120, 1680, 2415, 450) << true;
    QTest::newRow("Frame1") << "Frame1" << QRect(2760, 120, 2655, 2055) << true;
    QTest::newRow("optSeat0") << "optSeat0" << QRect(840, 1440, 1335, 255) << false;
    QTest::newRow("optSeat1") << "optSeat1" << QRect(120, 960, 975, 255) << false;
    QTest::newRow("optSeat2") << "optSeat2" << QRect(840, 480, 1335, 255) << false;
    QTest::newRow("optSeat3") << "optSeat3" << QRect(1560, 960, 1070, 255) << false;
    QTest::newRow("cmdJoin") << "cmdJoin" << QRect(120, 2400, 1140, 390) << true;
    QTest::newRow("cmdNew") << "cmdNew" << QRect(1440, 2400, 1140, 390) << true;
    QTest::newRow("cmdRefresh") << "cmdRefresh" << QRect(2760, 2400, 1095, 375) << true;
    QTest::newRow("cmdCancel") << "cmdCancel" << QRect(4320, 2400, 1140, 390) << true;
    // Beyond the layout above: the "Remember key" line under the buttons.
    QTest::newRow("chkRememberKey") << "chkRememberKey" << QRect(120, 2880, 2415, 255) << true;
}

void LobbyDialogTest::controlPlaces() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(bool, belowServer);
    LobbyDialog dialog(QStringLiteral("localhost"));
    const QWidget* w = child<QWidget>(&dialog, name);
    const int top = twips.y() + (belowServer ? 420 : 0);
    QCOMPARE(w->geometry(), pixelRect(twips.x(), top, twips.width(), twips.height()));
    QVERIFY(dialog.rect().contains(w->mapTo(&dialog, w->rect().bottomRight())));
}

void LobbyDialogTest::focusStartsOnUserName() {
    LobbyDialog dialog(QStringLiteral("localhost"));
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(&dialog, "txtUserName"));
}

void LobbyDialogTest::enabling_data() {
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

void LobbyDialogTest::enabling() {
    QFETCH(QString, name);
    QFETCH(int, row);
    QFETCH(bool, newEnabled);
    QFETCH(bool, joinEnabled);
    Lobby lobby(name, {{"Pub", MixedSeats}, {"Den", AllComputers}, {"Loft", MixedSeats}});
    if (row >= 0)
        clickRow(&lobby.dialog, row);
    QCOMPARE(button(&lobby.dialog, "cmdNew")->isEnabled(), newEnabled);
    QCOMPARE(button(&lobby.dialog, "cmdJoin")->isEnabled(), joinEnabled);
    QCOMPARE(lobby.dialog.selectedRow(), row);

    QTest::mouseClick(button(&lobby.dialog, "cmdNew"), Qt::LeftButton);
    QTest::mouseClick(button(&lobby.dialog, "cmdJoin"), Qt::LeftButton);
    QCOMPARE(lobby.newSpy.count(), newEnabled ? 1 : 0);
    QCOMPARE(lobby.joinSpy.count(), joinEnabled ? 1 : 0);
}

void LobbyDialogTest::emptyUserNameAllowsNothing() {
    Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}});
    clickRow(&lobby.dialog, 0);
    QVERIFY(button(&lobby.dialog, "cmdJoin")->isEnabled());
    typeInto(&lobby.dialog, "txtUserName", QString());
    QCOMPARE(lobby.dialog.userName(), QString());
    QVERIFY(!button(&lobby.dialog, "cmdNew")->isEnabled());
    QVERIFY(!button(&lobby.dialog, "cmdJoin")->isEnabled());
    QTest::keyClick(child<QWidget>(&lobby.dialog, "txtTable"), Qt::Key_Return);
    QCOMPARE(lobby.joinSpy.count(), 0);
    QCOMPARE(lobby.newSpy.count(), 0);

    // A name typed again with the row still selected shows the table's seats again.
    typeInto(&lobby.dialog, "txtUserName", QStringLiteral("Bea"));
    QVERIFY(button(&lobby.dialog, "cmdNew")->isEnabled());
    QVERIFY(button(&lobby.dialog, "cmdJoin")->isEnabled());
    QCOMPARE(lobby.dialog.selectedSeat(), 1);
}

void LobbyDialogTest::noRowNoJoin() {
    Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}, {"Den", AllComputers}});
    QCOMPARE(lobby.dialog.selectedRow(), -1);
    QVERIFY(!button(&lobby.dialog, "cmdJoin")->isEnabled());
    // Enter goes to the default button, which is disabled.
    QTest::keyClick(child<QWidget>(&lobby.dialog, "txtUserName"), Qt::Key_Return);
    QTest::mouseClick(button(&lobby.dialog, "cmdJoin"), Qt::LeftButton);
    QCOMPARE(lobby.joinSpy.count(), 0);
    // The seat buttons still show the compass until a table is chosen.
    QCOMPARE(seat(&lobby.dialog, 0)->text(), QStringLiteral("South"));
}

// Once no table is chosen (the list emptied, or the chosen table gone from it), the seat buttons
// show the compass again and offer nobody's seat.
void LobbyDialogTest::unchosenTableShowsTheCompass_data() {
    QTest::addColumn<bool>("emptied");
    QTest::newRow("list emptied") << true;
    QTest::newRow("table no longer chosen") << false;
}

void LobbyDialogTest::unchosenTableShowsTheCompass() {
    QFETCH(bool, emptied);
    Lobby lobby(QStringLiteral("Ansel"), {{"Pub", FourPeople}, {"Den", AllComputers}});
    clickRow(&lobby.dialog, 0);
    QCOMPARE(seat(&lobby.dialog, 0)->toolTip(), QStringLiteral("Maren"));
    if (emptied)
        lobby.dialog.clearTables();
    else
        lobby.dialog.selectRow(-1);
    const std::array<QString, 4> compass{"South", "West", "North", "East"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(seat(&lobby.dialog, i)->text(), compass[static_cast<size_t>(i)]);
        QVERIFY(seat(&lobby.dialog, i)->toolTip().isEmpty());
    }
    QCOMPARE(lobby.dialog.selectedSeat(), -1);
    QVERIFY(!button(&lobby.dialog, "cmdJoin")->isEnabled());
}

// The list has room for two rows; a long name is cut, not given a scroll bar that takes the room
// of the second.
void LobbyDialogTest::longNameKeepsTwoRowsInView() {
    const std::string name = "A table with a very long name indeed";
    Lobby lobby(QStringLiteral("Ansel"), {{name, MixedSeats}, {"Den", AllComputers}});
    QListWidget* l = list(&lobby.dialog);
    QVERIFY(!l->horizontalScrollBar()->isVisible());
    QVERIFY(l->visualItemRect(l->item(1)).top() < l->viewport()->height());
    QCOMPARE(l->item(0)->toolTip(), QString::fromStdString(name));
    QVERIFY(l->visualItemRect(l->item(0)).width() <= l->viewport()->width());
}

void LobbyDialogTest::rowShowsSeats_data() {
    QTest::addColumn<Seats>("occupants");
    QTest::addColumn<Free>("free");
    QTest::addColumn<int>("checked");
    QTest::newRow("mixed") << MixedSeats << Free{false, true, true, false} << 1;
    QTest::newRow("all computers") << AllComputers << Free{true, true, true, true} << 0;
    QTest::newRow("only East free")
        << Seats{"Maren", "Ilse", "Tobias", "Computer"} << Free{false, false, false, true} << 3;
    QTest::newRow("South free") << Seats{"Computer", "Ilse", "Computer", "Quinn"}
                                << Free{true, false, true, false} << 0;
    QTest::newRow("first eight letters count")
        << Seats{"Computer 3", "Computers", "ComputerX", "Computer"} << Free{true, true, true, true}
        << 0;
    QTest::newRow("not quite Computer") << Seats{"computer", "Comput", "COMPUTER", " Computer"}
                                        << Free{false, false, false, false} << -1;
    QTest::newRow("empty occupant")
        << Seats{"", "Computer", "", "Computer"} << Free{false, true, false, true} << 1;
}

void LobbyDialogTest::rowShowsSeats() {
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

void LobbyDialogTest::seatCaptions_data() {
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

void LobbyDialogTest::seatCaptions() {
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

void LobbyDialogTest::fourPeopleNoJoin() {
    Lobby lobby(QStringLiteral("Ansel"), {{"Open", AllComputers}, {"Full", FourPeople}});
    // A free seat checked at another table is not carried over to a full one.
    clickRow(&lobby.dialog, 0);
    QCOMPARE(lobby.dialog.selectedSeat(), 0);
    clickRow(&lobby.dialog, 1);
    const Shown s = shown(&lobby.dialog);
    QCOMPARE(s.enabled, (std::array{false, false, false, false}));
    QCOMPARE(s.captions, (std::array<QString, 4>{"Maren", "Ilse", "Tobias", "Quinn"}));
    QCOMPARE(s.checked, -1);
    for (int i = 0; i < 4; ++i)
        QVERIFY(!seat(&lobby.dialog, i)->isChecked());
    QVERIFY(!button(&lobby.dialog, "cmdJoin")->isEnabled());
    QTest::mouseClick(button(&lobby.dialog, "cmdJoin"), Qt::LeftButton);
    QTest::keyClick(list(&lobby.dialog), Qt::Key_Return);
    QCOMPARE(lobby.joinSpy.count(), 0);
    // New Table is still open to the player.
    QTest::mouseClick(button(&lobby.dialog, "cmdNew"), Qt::LeftButton);
    QCOMPARE(lobby.newSpy.count(), 1);
}

void LobbyDialogTest::joinWithChosenSeat() {
    Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}, {"Den", AllComputers}});
    clickRow(&lobby.dialog, 0);
    QTest::mouseClick(seat(&lobby.dialog, 2), Qt::LeftButton);
    QCOMPARE(lobby.dialog.selectedSeat(), 2);
    // A seat a person holds cannot be chosen.
    QTest::mouseClick(seat(&lobby.dialog, 3), Qt::LeftButton);
    QCOMPARE(lobby.dialog.selectedSeat(), 2);
    QTest::mouseClick(button(&lobby.dialog, "cmdJoin"), Qt::LeftButton);
    QCOMPARE(lobby.joinSpy.count(), 1);
    QCOMPARE(lobby.dialog.selectedRow(), 0);
    QCOMPARE(lobby.dialog.selectedSeat(), 2);

    // The keyboard: down to the next table, Enter joins at its lowest free seat.
    QTest::keyClick(list(&lobby.dialog), Qt::Key_Down);
    QCOMPARE(lobby.dialog.selectedRow(), 1);
    QCOMPARE(lobby.dialog.selectedSeat(), 0);
    QTest::keyClick(list(&lobby.dialog), Qt::Key_Return);
    QCOMPARE(lobby.joinSpy.count(), 2);
    QVERIFY(lobby.dialog.isVisible());
}

void LobbyDialogTest::addingWithListFocusRerunsRowClick_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("checkedAfter");
    QTest::newRow("list has the focus") << "lstGames" << 1;
    QTest::newRow("table name has the focus") << "txtTable" << 2;
}

void LobbyDialogTest::addingWithListFocusRerunsRowClick() {
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

void LobbyDialogTest::screenshot() {
    const QString dir = QDir(QCoreApplication::applicationDirPath()).filePath("screenshots");
    QVERIFY(QDir().mkpath(dir));
    Lobby lobby(QStringLiteral("Ansel"),
                {{"Maren's table", {"Maren", "Computer", "Computer", "Tobias"}},
                 {"Back Room", {"Ilse", "Quinn", "Computer", "Oskar"}},
                 {"Sunday Game", {"Liesl", "Computer", "Computer", "Computer"}}});
    typeInto(&lobby.dialog, "txtPassword", QStringLiteral("k3y-0042"));
    clickRow(&lobby.dialog, 0);
    QVERIFY(button(&lobby.dialog, "cmdJoin")->isEnabled());
    // The third table is below the list's fold.
    QTRY_VERIFY(list(&lobby.dialog)->verticalScrollBar()->isVisible());

    const QPixmap shot = lobby.dialog.grab();
    QCOMPARE(shot.deviceIndependentSize().toSize(), lobby.dialog.size());
    QVERIFY(shot.save(QDir(dir).filePath("lobby_dialog.png")));
    qInfo("screenshot in %s", qPrintable(dir));

    // What the eye looks for: baize inside the card table's rail, beside the pack, and the
    // dialog's own colour around it.
    const QImage image = shot.toImage();
    const qreal dpr = shot.devicePixelRatio();
    const QWidget* frame = child<QWidget>(&lobby.dialog, "Frame1");
    const QWidget* west = seat(&lobby.dialog, 1);
    const QPoint baize = frame->mapTo(
        &lobby.dialog, QPoint(pixelRect(0, 0, 1000, 0).width(), west->geometry().bottom() + 12));
    QVERIFY(isBaize(image.pixelColor(baize * dpr)));
    QVERIFY(!isBaize(image.pixelColor(QPoint(4, 4) * dpr)));
}

QTEST_MAIN(LobbyDialogTest)
#include "lobby_dialog_test.moc"
