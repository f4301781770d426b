// The options dialog, the about box, the dialog-placement rule and the rules page, driven as a
// person would: real widgets on the offscreen platform, clicks and keys through QTest.
#include "table/table.h"
#include "ui/about_box.h"
#include "ui/dialog_placement.h"
#include "ui/options_dialog.h"
#include "ui/rules_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QTest>

using corvane::Table;
using namespace corvane::ui;

namespace {

struct Settings {
    int speedDelay;
    bool anyBidAllowed;
    bool mustFollowSuit;
    bool tutorialMode;
    int backDesign;
    bool expertComputers = false;
    bool operator==(const Settings&) const = default;
};

Settings settingsOf(const Table& t) {
    return {t.speedDelay,   t.anyBidAllowed, t.mustFollowSuit,
            t.tutorialMode, t.backDesign,    t.expertComputers};
}

void apply(Table& t, const Settings& s) {
    t.speedDelay = s.speedDelay;
    t.anyBidAllowed = s.anyBidAllowed;
    t.mustFollowSuit = s.mustFollowSuit;
    t.tutorialMode = s.tutorialMode;
    t.backDesign = s.backDesign;
    t.expertComputers = s.expertComputers;
}

char* toString(const Settings& s) {
    return QTest::toString(
        QStringLiteral("speed %1 anyBid %2 follow %3 tutorial %4 design %5 expert %6")
            .arg(s.speedDelay)
            .arg(s.anyBidAllowed)
            .arg(s.mustFollowSuit)
            .arg(s.tutorialMode)
            .arg(s.backDesign)
            .arg(s.expertComputers));
}

template <typename T> T* child(QWidget* parent, const QString& name) {
    T* w = parent->findChild<T*>(name);
    if (w == nullptr)
        qFatal("no %s in %s", qPrintable(name), qPrintable(parent->objectName()));
    return w;
}

void click(QWidget* parent, const QString& name) {
    QTest::mouseClick(child<QWidget>(parent, name), Qt::LeftButton);
}

} // namespace

Q_DECLARE_METATYPE(Settings)

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void optionsStartUpState();
    void cancelLeavesSettings_data();
    void cancelLeavesSettings();
    void escapeLeavesSettings();
    void okUntouchedLeavesSettings_data();
    void okUntouchedLeavesSettings();
    void speedItemOnOpening_data();
    void speedItemOnOpening();
    void okWithUnknownSpeedKeepsIt();
    void okStoresChangedSettings();
    void onlineGreysFiveRule_data();
    void onlineGreysFiveRule();
    void selectorFollowsClicks();
    void tabReachesEveryDesign();
    void optionsIsNonModal();
    void optionsOpenedAfreshEachTime();

    void placementTwips_data();
    void placementTwips();
    void placementPixels_data();
    void placementPixels();
    void placeDialogOverTable_data();
    void placeDialogOverTable();

    void aboutVersion();
    void aboutSysInfoMessage();
    void aboutClosesWithOkAndEscape();

    void rulesPageBesideProgram();
};

void DialogsTest::optionsStartUpState() {
    Table table; // the values every run starts with, but for the random design
    table.backDesign = 5;
    OptionsDialog dialog(table);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
    QVERIFY(child<QCheckBox>(&dialog, "chk525")->isChecked());
    QVERIFY(child<QCheckBox>(&dialog, "chk525")->isEnabled());
    QVERIFY(!child<QCheckBox>(&dialog, "chkFollowSuit")->isChecked());
    QVERIFY(!child<QCheckBox>(&dialog, "chkTutorial")->isChecked());
    QCOMPARE(child<QComboBox>(&dialog, "cboSpeed")->currentText(), QStringLiteral("Medium"));
    QCOMPARE(child<QCheckBox>(&dialog, "chk525")->text(), QStringLiteral("Must have 5 to bid 25"));
    QCOMPARE(child<QCheckBox>(&dialog, "chkFollowSuit")->text(),
             QStringLiteral("Must follow suit"));
    QCOMPARE(child<QCheckBox>(&dialog, "chkTutorial")->text(),
             QStringLiteral("Deal cards face up"));
    QComboBox* speed = child<QComboBox>(&dialog, "cboSpeed");
    QCOMPARE(speed->count(), 3);
    QCOMPARE(speed->itemText(0), QStringLiteral("Slow"));
    QCOMPARE(speed->itemText(1), QStringLiteral("Medium"));
    QCOMPARE(speed->itemText(2), QStringLiteral("Give 'er!!"));
    QCOMPARE(child<QPushButton>(&dialog, "cmdOK")->text(), QStringLiteral("OK"));
    QCOMPARE(child<QPushButton>(&dialog, "cmdCancel")->text(), QStringLiteral("Cancel"));
    QCOMPARE(dialog.pickedDesign(), 5);
    QCOMPARE(child<QFrame>(&dialog, "shpSelector")->pos(),
             child<QLabel>(&dialog, "picPack5")->pos());
    QComboBox* computers = child<QComboBox>(&dialog, "cboComputers");
    QCOMPARE(computers->count(), 2);
    QCOMPARE(computers->itemText(0), QStringLiteral("Standard"));
    QCOMPARE(computers->itemText(1), QStringLiteral("Expert"));
    QCOMPARE(computers->currentText(), QStringLiteral("Standard"));
    QCOMPARE(child<QLabel>(&dialog, "lblComputers")->text(), QStringLiteral("Computer players:"));
    // 5325 x 5630 twips: a row for the computer players, the designs at three quarters of a card.
    QCOMPARE(dialog.size(), QSize(355, 375));
}

void DialogsTest::cancelLeavesSettings_data() {
    QTest::addColumn<Settings>("before");
    QTest::addColumn<int>("clicked");
    QTest::newRow("start-up") << Settings{300, false, false, false, 0} << 3;
    QTest::newRow("all changed") << Settings{50, true, true, true, 7, true} << 0;
    QTest::newRow("slow, design 4") << Settings{700, false, true, false, 4} << 6;
}

void DialogsTest::cancelLeavesSettings() {
    QFETCH(Settings, before);
    QFETCH(int, clicked);
    Table table;
    apply(table, before);
    OptionsDialog dialog(table);
    dialog.show();
    click(&dialog, QStringLiteral("picPack%1").arg(clicked));
    QCOMPARE(dialog.pickedDesign(), clicked);
    click(&dialog, "chkFollowSuit");
    child<QComboBox>(&dialog, "cboSpeed")->setCurrentIndex(before.speedDelay == 50 ? 0 : 2);
    child<QComboBox>(&dialog, "cboComputers")->setCurrentIndex(before.expertComputers ? 0 : 1);
    click(&dialog, "cmdCancel");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(settingsOf(table), before);
}

void DialogsTest::escapeLeavesSettings() {
    Table table;
    const Settings before = settingsOf(table);
    OptionsDialog dialog(table);
    dialog.show();
    click(&dialog, "picPack7");
    click(&dialog, "chk525");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(settingsOf(table), before);
}

void DialogsTest::okUntouchedLeavesSettings_data() {
    QTest::addColumn<Settings>("before");
    for (int design = 0; design < 8; ++design)
        QTest::addRow("start-up, design %d", design) << Settings{300, false, false, false, design};
    QTest::newRow("fast, no five rule, follow, face up") << Settings{50, true, true, true, 2};
    QTest::newRow("slow, tutorial") << Settings{700, false, false, true, 6};
    QTest::newRow("Expert computer players") << Settings{300, false, false, false, 3, true};
}

void DialogsTest::okUntouchedLeavesSettings() {
    QFETCH(Settings, before);
    Table table;
    apply(table, before);
    OptionsDialog dialog(table);
    dialog.show();
    click(&dialog, "cmdOK");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(settingsOf(table), before);
}

void DialogsTest::speedItemOnOpening_data() {
    QTest::addColumn<int>("speedDelay");
    QTest::addColumn<QString>("shown");
    QTest::newRow("700") << 700 << QStringLiteral("Slow");
    QTest::newRow("300") << 300 << QStringLiteral("Medium");
    QTest::newRow("50") << 50 << QStringLiteral("Give 'er!!");
    QTest::newRow("200, after the lobby's Cancel") << 200 << QString();
    QTest::newRow("0") << 0 << QString();
}

void DialogsTest::speedItemOnOpening() {
    QFETCH(int, speedDelay);
    QFETCH(QString, shown);
    Table table;
    table.speedDelay = speedDelay;
    OptionsDialog dialog(table);
    dialog.show();
    QVERIFY(dialog.isVisible());
    QCOMPARE(child<QComboBox>(&dialog, "cboSpeed")->currentText(), shown);
}

void DialogsTest::okWithUnknownSpeedKeepsIt() {
    Table table;
    table.speedDelay = 200;
    {
        OptionsDialog dialog(table);
        dialog.show();
        click(&dialog, "chkTutorial");
        click(&dialog, "cmdOK");
    }
    QCOMPARE(table.speedDelay, 200);
    QVERIFY(table.tutorialMode);

    // Picking an item does change it.
    OptionsDialog dialog(table);
    dialog.show();
    child<QComboBox>(&dialog, "cboSpeed")->setCurrentIndex(0);
    click(&dialog, "cmdOK");
    QCOMPARE(table.speedDelay, 700);
}

void DialogsTest::okStoresChangedSettings() {
    Table table;
    table.backDesign = 1;
    OptionsDialog dialog(table);
    dialog.show();
    click(&dialog, "chk525");
    click(&dialog, "chkFollowSuit");
    click(&dialog, "chkTutorial");
    QComboBox* speed = child<QComboBox>(&dialog, "cboSpeed");
    speed->setCurrentIndex(speed->findText(QStringLiteral("Give 'er!!")));
    click(&dialog, "picPack6");
    QComboBox* computers = child<QComboBox>(&dialog, "cboComputers");
    computers->setCurrentIndex(computers->findText(QStringLiteral("Expert")));
    click(&dialog, "cmdOK");
    QCOMPARE(settingsOf(table), (Settings{50, true, true, true, 6, true}));
}

void DialogsTest::onlineGreysFiveRule_data() {
    QTest::addColumn<bool>("anyBidAllowed");
    QTest::newRow("rule on, as connecting leaves it") << false;
    QTest::newRow("rule off") << true;
}

void DialogsTest::onlineGreysFiveRule() {
    QFETCH(bool, anyBidAllowed);
    Table table;
    table.online = true;
    table.anyBidAllowed = anyBidAllowed;
    OptionsDialog dialog(table);
    dialog.show();
    QCheckBox* chk525 = child<QCheckBox>(&dialog, "chk525");
    QVERIFY(!chk525->isChecked());
    QVERIFY(!chk525->isEnabled());
    click(&dialog, "chkFollowSuit");
    click(&dialog, "cmdOK");
    // The greyed box does not switch the rule: it stays whatever it was.
    QCOMPARE(table.anyBidAllowed, anyBidAllowed);
    QVERIFY(table.mustFollowSuit);

    // Back to standalone play the box shows the setting again.
    table.online = false;
    OptionsDialog again(table);
    QCOMPARE(child<QCheckBox>(&again, "chk525")->isChecked(), !anyBidAllowed);
    QVERIFY(child<QCheckBox>(&again, "chk525")->isEnabled());
}

void DialogsTest::selectorFollowsClicks() {
    Table table;
    table.backDesign = 0;
    OptionsDialog dialog(table);
    dialog.show();
    QFrame* selector = child<QFrame>(&dialog, "shpSelector");
    for (int design : {3, 4, 7, 0, 5, 5, 1, 2, 6}) {
        QLabel* picture = child<QLabel>(&dialog, QStringLiteral("picPack%1").arg(design));
        QTest::mouseClick(picture, Qt::LeftButton);
        QCOMPARE(dialog.pickedDesign(), design);
        QCOMPARE(selector->pos(), picture->pos());
        QCOMPARE(selector->size(), picture->size());
    }
    // A click on the outline itself reaches the picture below.
    QVERIFY(selector->testAttribute(Qt::WA_TransparentForMouseEvents));
    QCOMPARE(table.backDesign, 0);
}

void DialogsTest::tabReachesEveryDesign() {
    Table table;
    OptionsDialog dialog(table);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSet<QString> reached;
    for (int tab = 0; tab < 30; ++tab) {
        if (QWidget* focus = QApplication::focusWidget())
            reached.insert(focus->objectName());
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog,
                        Qt::Key_Tab);
    }
    for (int design = 0; design < 8; ++design)
        QVERIFY2(reached.contains(QStringLiteral("picPack%1").arg(design)),
                 qPrintable(QStringLiteral("picPack%1").arg(design)));
    // Space on the design the keyboard is on picks it.
    auto* five = child<QLabel>(&dialog, "picPack5");
    five->setFocus();
    QTest::keyClick(five, Qt::Key_Space);
    QCOMPARE(dialog.pickedDesign(), 5);
}

void DialogsTest::optionsIsNonModal() {
    Table table;
    QWidget window;
    window.resize(562, 463);
    window.show();
    auto* dialog = new OptionsDialog(table, &window);
    dialog->show();
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->windowModality(), Qt::NonModal);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void DialogsTest::optionsOpenedAfreshEachTime() {
    // As the table window opens it: owned by the window, gone once closed, and each new one reads
    // the settings as they are then.
    Table table;
    QWidget window;
    window.resize(562, 463);
    window.show();
    for (int design : {4, 1}) {
        QPointer<OptionsDialog> dialog(new OptionsDialog(table, &window));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->show();
        PlaceDialog(dialog, &window);
        QCOMPARE(dialog->pickedDesign(), table.backDesign);
        click(dialog, QStringLiteral("picPack%1").arg(design));
        click(dialog, "cmdOK");
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(table.backDesign, design);
    }
}

void DialogsTest::placementTwips_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("dialogWidth");
    QTest::addColumn<int>("dialogHeight");
    QTest::addColumn<int>("expectedLeft");
    QTest::addColumn<int>("expectedTop");
    // Expected values are the rule written out: left + width - dialog - 350, top + height -
    // dialog - 600.
    QTest::newRow("3000-twip dialog over Left 1000 Width 8520")
        << 1000 << 1200 << 8520 << 7620 << 3000 << 1500 << 6170 << 6720;
    QTest::newRow("bid dialog over the table at the origin")
        << 0 << 0 << 8520 << 7620 << 2490 << 1005 << 5680 << 6015;
    QTest::newRow("dialog as large as the window")
        << 0 << 0 << 8520 << 7620 << 8520 << 7620 << -350 << -600;
    QTest::newRow("dialog larger than the window near the top left")
        << 60 << 30 << 4000 << 3000 << 5325 << 6400 << -1615 << -3970;
    QTest::newRow("window partly off the left of the screen")
        << -2000 << -500 << 8520 << 7620 << 3000 << 1500 << 3170 << 5020;
    QTest::newRow("zero-sized dialog") << 100 << 100 << 1000 << 1000 << 0 << 0 << 750 << 500;
}

void DialogsTest::placementTwips() {
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, dialogWidth);
    QFETCH(int, dialogHeight);
    QFETCH(int, expectedLeft);
    QFETCH(int, expectedTop);
    const TwipPoint at = placeDialogTwips({left, top, width, height}, dialogWidth, dialogHeight);
    QCOMPARE(at.left, expectedLeft);
    QCOMPARE(at.top, expectedTop);
    // The dialog's bottom right corner keeps its distance from the window's, whatever its size.
    QCOMPARE(left + width - (at.left + dialogWidth), PlacementRightTwips);
    QCOMPARE(top + height - (at.top + dialogHeight), PlacementBottomTwips);
}

void DialogsTest::placementPixels_data() {
    QTest::addColumn<QRect>("table");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QPoint>("expected");
    // 350 twips is 23 1/3 pixels and 600 twips 40: the left edge rounds to the nearest pixel.
    QTest::newRow("3000-twip dialog over Left 1000 Width 8520, in pixels")
        << QRect(QPoint(1000 / 15, 80), QSize(8520 / 15, 508)) << QSize(200, 100)
        << QPoint(411, 448); // 6170 twips = 411.33 pixels
    QTest::newRow("window at the origin")
        << QRect(0, 0, 568, 508) << QSize(160, 67) << QPoint(385, 401);
    QTest::newRow("negative, dialog larger than the window")
        << QRect(4, 2, 266, 200) << QSize(355, 427) << QPoint(-108, -265);
    QTest::newRow("negative window position")
        << QRect(-100, -40, 568, 508) << QSize(200, 100) << QPoint(245, 328);
}

void DialogsTest::placementPixels() {
    QFETCH(QRect, table);
    QFETCH(QSize, dialog);
    QFETCH(QPoint, expected);
    QCOMPARE(placeDialogPixels(table, dialog), expected);
}

void DialogsTest::placeDialogOverTable_data() {
    QTest::addColumn<int>("windowType");
    QTest::addColumn<QPoint>("tablePos");
    QTest::newRow("dialog") << int(Qt::Dialog) << QPoint(120, 90);
    QTest::newRow("tool window") << int(Qt::Tool) << QPoint(40, 30);
    QTest::newRow("plain window becomes a dialog") << int(Qt::Window) << QPoint(0, 0);
    QTest::newRow("table near the corner") << int(Qt::Dialog) << QPoint(-200, -100);
}

void DialogsTest::placeDialogOverTable() {
    QFETCH(int, windowType);
    QFETCH(QPoint, tablePos);
    QWidget table;
    table.setFixedSize(562, 463); // 8430 x 6945 twips
    table.move(tablePos);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));

    auto* dialog = new QWidget(nullptr, Qt::WindowType(windowType));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFixedSize(160, 40);
    dialog->show();
    PlaceDialog(dialog, &table);

    QCOMPARE(dialog->parentWidget(), &table);
    QVERIFY(dialog->isWindow());
    QVERIFY(dialog->isVisible());
    const Qt::WindowType expectedType =
        windowType == int(Qt::Tool) ? Qt::Tool : Qt::Dialog; // stays above its table window
    QCOMPARE(dialog->windowType(), expectedType);
    QCOMPARE(dialog->frameGeometry().topLeft(),
             placeDialogPixels(table.frameGeometry(), dialog->frameGeometry().size()));
    const QRect t = table.frameGeometry();
    const QRect d = dialog->frameGeometry();
    QVERIFY(qAbs((t.x() + t.width()) - (d.x() + d.width()) - 23) <= 1);
    QCOMPARE((t.y() + t.height()) - (d.y() + d.height()), 40);

    // Placing it again changes nothing.
    const QPoint before = dialog->pos();
    PlaceDialog(dialog, &table);
    QCOMPARE(dialog->pos(), before);
}

void DialogsTest::aboutVersion() {
    QCOMPARE(versionCaption(), QStringLiteral("Version 4.0.0"));
    AboutBox about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Corvane"));
    QCOMPARE(child<QLabel>(&about, "lblVersion")->text(), QStringLiteral("Version 4.0.0"));
    QCOMPARE(child<QPushButton>(&about, "cmdSysInfo")->text(), QStringLiteral("&System Info..."));
    QCOMPARE(child<QPushButton>(&about, "cmdOK")->text(), QStringLiteral("OK"));
    QVERIFY(child<QPushButton>(&about, "cmdOK")->isDefault());
    QCOMPARE(about.size(), QSize(434, 279)); // 6510 x 4185 twips
}

void DialogsTest::aboutSysInfoMessage() {
    QWidget window;
    window.resize(562, 463);
    window.show();
    auto* about = new AboutBox(&window);
    about->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<AboutBox> alive(about);
    about->open();
    QVERIFY(about->isVisible());
    QCOMPARE(about->windowModality(), Qt::WindowModal);

    click(about, "cmdSysInfo");
    QMessageBox* message = about->sysInfoMessage();
    QVERIFY(message != nullptr);
    QVERIFY(message->isVisible());
    QCOMPARE(message->text(), QStringLiteral("System Information Is Unavailable At This Time"));
    QCOMPARE(message->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(QApplication::activeModalWidget(), message);
    QVERIFY(about->isVisible());

    // OK on the message closes the message only.
    QPointer<QMessageBox> messageAlive(message);
    QTest::mouseClick(message->button(QMessageBox::Ok), Qt::LeftButton);
    QTRY_VERIFY(messageAlive.isNull()); // deleted on close, later in the event loop
    QVERIFY(alive);
    QVERIFY(about->isVisible());
    QCOMPARE(about->sysInfoMessage(), nullptr);

    // Asking again shows it again.
    click(about, "cmdSysInfo");
    QVERIFY(about->sysInfoMessage() != nullptr);
    QVERIFY(about->sysInfoMessage()->isVisible());
    about->sysInfoMessage()->close();
    click(about, "cmdOK");
    QTRY_VERIFY(alive.isNull());
}

void DialogsTest::aboutClosesWithOkAndEscape() {
    AboutBox about;
    about.open();
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
    about.open();
    QVERIFY(about.isVisible());
    QTest::keyClick(&about, Qt::Key_Return);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void DialogsTest::rulesPageBesideProgram() {
    const QString page =
        QDir(builtProgramDirectory()).filePath(QString::fromLatin1(RulesPageFileName));
    QVERIFY2(QFile::exists(page),
             qPrintable(page + " is missing: building the corvane program copies it there"));
    QFile file(page);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    for (const char* heading :
         {"<title>Rules of Corvane</title>", ">The cards and their order</h2>", ">The deal</h2>",
          ">The auction</h2>", ">Naming trump</h2>", ">Discard and draw</h2>",
          ">Playing the tricks</h2>", ">Counting a hand</h2>", ">Scoring and the game to 120</h2>",
          "The top trumps", "Reneging the top trumps", "The top-card bonus", "Must follow suit",
          "dealer's privilege"}) {
        QVERIFY2(html.contains(QLatin1String(heading), Qt::CaseInsensitive), heading);
    }
    // Something is always found to open, here at least the build's copy.
    QVERIFY(!findRulesPage().isEmpty());
    QVERIFY(rulesPageCandidates().contains(page));
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
