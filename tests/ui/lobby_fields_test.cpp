// The lobby dialog's fields and list as the connections behind it read them: the name, the key,
// the table name and the server, the 21-table list and Refresh, Cancel, the busy pointer and the
// dialog's place over the table.
#include "lobby_fixture.h"
#include "ui/dialog_placement.h"

#include <QLabel>
#include <QWindow>

using namespace corvane::ui;
using namespace corvane::ui::test;

class LobbyFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void userNameLimit();
    void tableName_data();
    void tableName();
    void keyCut_data();
    void keyCut();
    void tableCap();
    void refreshClearsAndEmits();
    void cancel_data();
    void cancel();
    void acceptIsNoCancel();
    void busyPointer();
    void serverField_data();
    void serverField();
    void placedOverTable();
};

void LobbyFieldsTest::userNameLimit() {
    Lobby lobby{QString()};
    typeInto(&lobby.dialog, "txtUserName", QStringLiteral("Bartholomew Q"));
    QCOMPARE(lobby.dialog.userName(), QStringLiteral("Bartholome"));
}

void LobbyFieldsTest::tableName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("blank") << ""
                           << "Ansel";
    QTest::newRow("one space") << " "
                               << "Ansel";
    QTest::newRow("all spaces") << "      "
                                << "Ansel";
    QTest::newRow("a name") << "Back Room"
                            << "Back Room";
    QTest::newRow("spaces around, untrimmed") << "  Den  "
                                              << "  Den  ";
    QTest::newRow("leading space") << " Loft"
                                   << " Loft";
}

void LobbyFieldsTest::tableName() {
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    Lobby lobby;
    typeInto(&lobby.dialog, "txtTable", typed);
    QTest::mouseClick(button(&lobby.dialog, "cmdNew"), Qt::LeftButton);
    QCOMPARE(lobby.newSpy.count(), 1);
    QCOMPARE(lobby.dialog.tableName(), expected);
}

void LobbyFieldsTest::keyCut_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");
    QTest::newRow("none") << ""
                          << "";
    QTest::newRow("short, sent whole") << "abc"
                                       << "abc";
    QTest::newRow("eight") << "k3y-0042"
                           << "k3y-0042";
    QTest::newRow("nine") << "123456789"
                          << "12345678";
    QTest::newRow("long") << "open sesame, please"
                          << "open ses";
}

void LobbyFieldsTest::keyCut() {
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    Lobby lobby;
    typeInto(&lobby.dialog, "txtPassword", typed);
    QCOMPARE(child<QLineEdit>(&lobby.dialog, "txtPassword")->text(), typed);
    QCOMPARE(lobby.dialog.key(), sent);
}

void LobbyFieldsTest::tableCap() {
    Lobby lobby;
    for (int i = 0; i < 25; ++i) {
        const std::string n = std::to_string(i);
        lobby.dialog.addTable("Table " + n, {"Host " + n, "Computer", "Guest " + n, "Computer"});
    }
    QCOMPARE(lobby.dialog.rowCount(), LobbyDialog::MaxTables);
    QCOMPARE(list(&lobby.dialog)->item(20)->text(), QStringLiteral("Table 20"));
    list(&lobby.dialog)->setCurrentRow(20);
    QCOMPARE(lobby.dialog.selectedRow(), 20);
    QCOMPARE(seat(&lobby.dialog, 0)->text(), QStringLiteral("Host 20"));
    QCOMPARE(seat(&lobby.dialog, 2)->text(), QStringLiteral("Guest 20"));
    QCOMPARE(lobby.dialog.selectedSeat(), 1);
}

void LobbyFieldsTest::refreshClearsAndEmits() {
    Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}, {"Den", FourPeople}});
    QObject::connect(&lobby.dialog, &LobbyDialog::refreshRequested, &lobby.dialog,
                     [&] { QCOMPARE(lobby.dialog.rowCount(), 0); });
    clickRow(&lobby.dialog, 0);
    QVERIFY(button(&lobby.dialog, "cmdJoin")->isEnabled());
    QTest::mouseClick(button(&lobby.dialog, "cmdRefresh"), Qt::LeftButton);
    QCOMPARE(lobby.refreshSpy.count(), 1);
    QCOMPARE(lobby.dialog.rowCount(), 0);
    QCOMPARE(lobby.dialog.selectedRow(), -1);
    // With no row there is nothing to join.
    QVERIFY(!button(&lobby.dialog, "cmdJoin")->isEnabled());
    QTest::mouseClick(button(&lobby.dialog, "cmdJoin"), Qt::LeftButton);
    QCOMPARE(lobby.joinSpy.count(), 0);

    // The new list overwrites the old rows.
    lobby.dialog.addTable("Loft", FourPeople);
    lobby.dialog.addTable("Attic", AllComputers);
    clickRow(&lobby.dialog, 0);
    QCOMPARE(shown(&lobby.dialog).captions,
             (std::array<QString, 4>{"Maren", "Ilse", "Tobias", "Quinn"}));
    QCOMPARE(lobby.dialog.selectedSeat(), -1);
    clickRow(&lobby.dialog, 1);
    QCOMPARE(lobby.dialog.selectedSeat(), 0);
}

void LobbyFieldsTest::cancel_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel button") << "button";
    QTest::newRow("Esc") << "escape";
    QTest::newRow("title bar close") << "title bar";
}

void LobbyFieldsTest::cancel() {
    QFETCH(QString, how);
    Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}});
    if (how == "button")
        QTest::mouseClick(button(&lobby.dialog, "cmdCancel"), Qt::LeftButton);
    else if (how == "escape")
        QTest::keyClick(child<QWidget>(&lobby.dialog, "txtUserName"), Qt::Key_Escape);
    else
        QVERIFY(lobby.dialog.windowHandle()->close());
    QCOMPARE(lobby.cancelSpy.count(), 1);
    QVERIFY(!lobby.dialog.isVisible());
    QCOMPARE(lobby.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(lobby.newSpy.count() + lobby.joinSpy.count() + lobby.refreshSpy.count(), 0);
}

void LobbyFieldsTest::acceptIsNoCancel() {
    Lobby lobby;
    lobby.dialog.accept();
    QVERIFY(!lobby.dialog.isVisible());
    QCOMPARE(lobby.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(lobby.cancelSpy.count(), 0);
}

void LobbyFieldsTest::busyPointer() {
    Lobby lobby(QStringLiteral("Ansel"), {{"Pub", MixedSeats}});
    clickRow(&lobby.dialog, 0);
    QCOMPARE(lobby.dialog.cursor().shape(), Qt::ArrowCursor);
    lobby.dialog.setBusy(true);
    QVERIFY(lobby.dialog.isBusy());
    QCOMPARE(lobby.dialog.cursor().shape(), Qt::WaitCursor);
    QCOMPARE(list(&lobby.dialog)->cursor().shape(), Qt::WaitCursor);
    // No second connection over the one being made.
    for (const char* name : {"cmdNew", "cmdJoin", "cmdRefresh"})
        QTest::mouseClick(button(&lobby.dialog, name), Qt::LeftButton);
    QCOMPARE(lobby.newSpy.count() + lobby.joinSpy.count() + lobby.refreshSpy.count(), 0);
    QCOMPARE(lobby.dialog.rowCount(), 1);

    lobby.dialog.setBusy(false);
    QVERIFY(!lobby.dialog.isBusy());
    QCOMPARE(lobby.dialog.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(button(&lobby.dialog, "cmdJoin"), Qt::LeftButton);
    QCOMPARE(lobby.joinSpy.count(), 1);

    // Cancel is the way out of a connection that does not come.
    lobby.dialog.setBusy(true);
    QTest::mouseClick(button(&lobby.dialog, "cmdCancel"), Qt::LeftButton);
    QCOMPARE(lobby.cancelSpy.count(), 1);
}

void LobbyFieldsTest::serverField_data() {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("default") << "localhost"
                             << ""
                             << "localhost";
    QTest::newRow("host and port") << "lobby.example.org:9000"
                                   << ""
                                   << "lobby.example.org:9000";
    QTest::newRow("changed by the player") << "localhost"
                                           << "10.0.0.7"
                                           << "10.0.0.7";
}

void LobbyFieldsTest::serverField() {
    QFETCH(QString, given);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    LobbyDialog dialog(given);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(child<QLineEdit>(&dialog, "txtServer")->text(), given);
    QCOMPARE(child<QLabel>(&dialog, "lblServer")->buddy(), child<QWidget>(&dialog, "txtServer"));
    if (!typed.isEmpty())
        typeInto(&dialog, "txtServer", typed);
    QCOMPARE(dialog.server(), expected);
}

void LobbyFieldsTest::placedOverTable() {
    QWidget table;
    table.setFixedSize(562, 463); // 8430 x 6945 twips
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    auto* dialog = new LobbyDialog(QStringLiteral("localhost"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    PlaceDialog(dialog, &table);
    QCOMPARE(dialog->parentWidget(), &table);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->frameGeometry().topLeft(),
             placeDialogPixels(table.frameGeometry(), dialog->frameGeometry().size()));
}

QTEST_MAIN(LobbyFieldsTest)
#include "lobby_fields_test.moc"
