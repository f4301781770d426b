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
    return QTest::toString(QStringLiteral("speed %1 anyBid %2 follow %3 tutorial %4 design %5 "
                                          "expert %6")
                               .arg(s.speedDelay)
                               .arg(s.anyBidAllowed)
                               .arg(s.mustFollowSuit)
                               .arg(s.tutorialMode)
                               .arg(s.backDesign)
                               .arg(s.expertComputers));
}

template <typename T = QWidget> T* child(QWidget* parent, const QString& name) {
    T* w = parent->findChild<T*>(name);
    if (w == nullptr)
        qFatal("no %s in %s", qPrintable(name), qPrintable(parent->objectName()));
    return w;
}

void click(QWidget* parent, const QString& name) {
    QTest::mouseClick(child(parent, name), Qt::LeftButton);
}

QString pack(int design) {
    return QStringLiteral("picPack%1").arg(design);
}

} // namespace

Q_DECLARE_METATYPE(Settings)

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void optionsShowTheSettings_data();
    void optionsShowTheSettings();
    void optionsLeaveTheSettings_data();
    void optionsLeaveTheSettings();
    void okStoresChangedSettings();
    void onlineGreysFiveRule_data();
    void onlineGreysFiveRule();
    void selectorFollowsClicksAndKeys();
    void optionsAreNonModalAndOpenedAfresh();

    void placementPixels_data();
    void placementPixels();
    void placeDialogOverTable_data();
    void placeDialogOverTable();

    void aboutSysInfoAndClosing();
    void rulesPageBesideProgram();
};

void DialogsTest::optionsShowTheSettings_data() {
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<int>("speedItem");
    QTest::newRow("start-up, design 5") << Settings{300, false, false, false, 5} << 1;
    QTest::newRow("slow, all on") << Settings{700, true, true, true, 0, true} << 0;
    QTest::newRow("fast") << Settings{50, false, true, false, 7} << 2;
    QTest::newRow("200, after the lobby's Cancel") << Settings{200, false, false, true, 3} << -1;
}

void DialogsTest::optionsShowTheSettings() {
    QFETCH(Settings, settings);
    QFETCH(int, speedItem);
    Table table;
    apply(table, settings);
    OptionsDialog dialog(table);
    QCOMPARE(child<QCheckBox>(&dialog, "chk525")->isChecked(), !settings.anyBidAllowed);
    QVERIFY(child<QCheckBox>(&dialog, "chk525")->isEnabled());
    QCOMPARE(child<QCheckBox>(&dialog, "chkFollowSuit")->isChecked(), settings.mustFollowSuit);
    QCOMPARE(child<QCheckBox>(&dialog, "chkTutorial")->isChecked(), settings.tutorialMode);
    QCOMPARE(child<QComboBox>(&dialog, "cboSpeed")->currentIndex(), speedItem);
    QCOMPARE(child<QComboBox>(&dialog, "cboComputers")->currentIndex(),
             settings.expertComputers ? 1 : 0);
    QCOMPARE(dialog.pickedDesign(), settings.backDesign);
    QCOMPARE(child(&dialog, "shpSelector")->pos(),
             child(&dialog, pack(settings.backDesign))->pos());
}

// OK untouched, or Cancel and Esc after changes: the settings stay as they were, an unknown speed
// too.
void DialogsTest::optionsLeaveTheSettings_data() {
    QTest::addColumn<Settings>("before");
    QTest::addColumn<QString>("way");
    QTest::newRow("OK, start-up") << Settings{300, false, false, false, 0} << "ok";
    QTest::newRow("OK, all changed") << Settings{50, true, true, true, 2, true} << "ok";
    QTest::newRow("OK, unknown speed") << Settings{200, false, false, true, 6} << "ok";
    QTest::newRow("Cancel, start-up") << Settings{300, false, false, false, 0} << "cancel";
    QTest::newRow("Cancel, all changed") << Settings{50, true, true, true, 7, true} << "cancel";
    QTest::newRow("Esc") << Settings{700, false, true, false, 4} << "escape";
}

void DialogsTest::optionsLeaveTheSettings() {
    QFETCH(Settings, before);
    QFETCH(QString, way);
    Table table;
    apply(table, before);
    OptionsDialog dialog(table);
    dialog.show();
    if (way != "ok") {
        click(&dialog, pack((before.backDesign + 3) % 8));
        click(&dialog, "chkFollowSuit");
        click(&dialog, "chk525");
        child<QComboBox>(&dialog, "cboSpeed")->setCurrentIndex(before.speedDelay == 50 ? 0 : 2);
        child<QComboBox>(&dialog, "cboComputers")->setCurrentIndex(before.expertComputers ? 0 : 1);
    }
    if (way == "escape")
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else
        click(&dialog, way == "ok" ? "cmdOK" : "cmdCancel");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(way == "ok" ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(settingsOf(table), before);
}

void DialogsTest::okStoresChangedSettings() {
    Table table;
    table.backDesign = 1;
    OptionsDialog dialog(table);
    dialog.show();
    click(&dialog, "chk525");
    click(&dialog, "chkFollowSuit");
    click(&dialog, "chkTutorial");
    child<QComboBox>(&dialog, "cboSpeed")->setCurrentIndex(2);
    click(&dialog, "picPack6");
    child<QComboBox>(&dialog, "cboComputers")->setCurrentIndex(1);
    click(&dialog, "cmdOK");
    QCOMPARE(settingsOf(table), (Settings{SpeedGiveEr, true, true, true, 6, true}));
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
}

void DialogsTest::selectorFollowsClicksAndKeys() {
    Table table;
    table.backDesign = 0;
    OptionsDialog dialog(table);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QWidget* selector = child(&dialog, "shpSelector");
    for (int design : {3, 7, 0, 5, 5, 1}) {
        QWidget* picture = child(&dialog, pack(design));
        QTest::mouseClick(picture, Qt::LeftButton);
        QCOMPARE(dialog.pickedDesign(), design);
        QCOMPARE(selector->geometry(), picture->geometry());
    }
    // A click on the outline itself reaches the picture below.
    QVERIFY(selector->testAttribute(Qt::WA_TransparentForMouseEvents));
    QCOMPARE(table.backDesign, 0);

    // Tab reaches every design, and Space picks the one the keyboard is on.
    QSet<QString> reached;
    for (int tab = 0; tab < 30; ++tab) {
        QWidget* focus = QApplication::focusWidget();
        if (focus)
            reached.insert(focus->objectName());
        QTest::keyClick(focus ? focus : &dialog, Qt::Key_Tab);
    }
    for (int design = 0; design < 8; ++design)
        QVERIFY2(reached.contains(pack(design)), qPrintable(pack(design)));
    QWidget* six = child(&dialog, pack(6));
    six->setFocus();
    QTest::keyClick(six, Qt::Key_Space);
    QCOMPARE(dialog.pickedDesign(), 6);
}

void DialogsTest::optionsAreNonModalAndOpenedAfresh() {
    // As the table window opens it: owned by the window, non-modal, gone once closed, and each
    // new one reads the settings as they are then.
    Table table;
    QWidget window;
    window.resize(562, 463);
    window.show();
    for (int design : {4, 1}) {
        QPointer<OptionsDialog> dialog(new OptionsDialog(table, &window));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->show();
        PlaceDialog(dialog, &window);
        QCOMPARE(dialog->windowModality(), Qt::NonModal);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(dialog->pickedDesign(), table.backDesign);
        click(dialog, pack(design));
        click(dialog, "cmdOK");
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(table.backDesign, design);
    }
}

void DialogsTest::placementPixels_data() {
    QTest::addColumn<QRect>("table");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QPoint>("expected");
    // The rule in twips: left + width - dialog - 350, top + height - dialog - 600; 350 twips is
    // 23 1/3 pixels and 600 twips 40, and the left edge rounds to the nearest pixel.
    QTest::newRow("6170 twips = 411.33 pixels")
        << QRect(66, 80, 568, 508) << QSize(200, 100) << QPoint(411, 448);
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
    QCOMPARE(placeDialogTwips({1000, 1200, 8520, 7620}, 3000, 1500), (TwipPoint{6170, 6720}));
}

void DialogsTest::placeDialogOverTable_data() {
    QTest::addColumn<int>("windowType");
    QTest::addColumn<int>("expectedType"); // stays above its table window
    QTest::newRow("tool window") << int(Qt::Tool) << int(Qt::Tool);
    QTest::newRow("plain window becomes a dialog") << int(Qt::Window) << int(Qt::Dialog);
}

void DialogsTest::placeDialogOverTable() {
    QFETCH(int, windowType);
    QFETCH(int, expectedType);
    QWidget table;
    table.setFixedSize(562, 463);
    table.move(120, 90);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    auto* dialog = new QWidget(nullptr, Qt::WindowType(windowType));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFixedSize(160, 40);
    dialog->show();
    PlaceDialog(dialog, &table);
    QCOMPARE(dialog->parentWidget(), &table);
    QVERIFY(dialog->isWindow() && dialog->isVisible());
    QCOMPARE(int(dialog->windowType()), expectedType);
    const QRect t = table.frameGeometry();
    const QRect d = dialog->frameGeometry();
    QVERIFY(qAbs(t.right() - d.right() - 23) <= 1);
    QCOMPARE(t.bottom() - d.bottom(), 40);
    // Placing it again changes nothing.
    const QPoint before = dialog->pos();
    PlaceDialog(dialog, &table);
    QCOMPARE(dialog->pos(), before);
}

void DialogsTest::aboutSysInfoAndClosing() {
    QWidget window;
    window.resize(562, 463);
    window.show();
    auto* about = new AboutBox(&window);
    about->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<AboutBox> alive(about);
    about->open();
    QCOMPARE(about->windowModality(), Qt::WindowModal);
    for (int ask = 0; ask < 2; ++ask) { // asking again shows it again
        click(about, "cmdSysInfo");
        QPointer<QMessageBox> message = about->sysInfoMessage();
        QVERIFY(message && message->isVisible());
        QCOMPARE(message->text(), QString::fromLatin1(SysInfoUnavailableMessage));
        QCOMPARE(QApplication::activeModalWidget(), message.data());
        // OK on the message closes the message only.
        QTest::mouseClick(message->button(QMessageBox::Ok), Qt::LeftButton);
        QTRY_VERIFY(message.isNull());
        QVERIFY(about->isVisible());
    }
    QTest::keyClick(about, Qt::Key_Return);
    QCOMPARE(about->result(), int(QDialog::Accepted));
    QTRY_VERIFY(alive.isNull());
    AboutBox again;
    again.open();
    QTest::keyClick(&again, Qt::Key_Escape);
    QVERIFY(!again.isVisible());
}

void DialogsTest::rulesPageBesideProgram() {
    const QString page =
        QDir(builtProgramDirectory()).filePath(QString::fromLatin1(RulesPageFileName));
    QFile file(page);
    QVERIFY2(file.open(QIODevice::ReadOnly),
             qPrintable(page + " is missing: building the corvane program copies it there"));
    QVERIFY(file.readAll().contains("<title>Rules of Corvane</title>"));
    QVERIFY(rulesPageCandidates().contains(page));
    QVERIFY(!findRulesPage().isEmpty());
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
