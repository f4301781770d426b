// The options dialog as the program opens it from its menu: each setting reaches the table on OK
// and comes back in the next run, none on Cancel; what OK must leave alone; and the designs
// picked by the keyboard.
#include "table_fixture.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/program/preferences.h"
#include "ui/record/record_keeping.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QTemporaryDir>

using namespace corvane;
using namespace corvane::ui;

namespace {

void click(QWidget* parent, const QString& name) {
    QWidget* w = parent->findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QTest::mouseClick(w, Qt::LeftButton);
}

QString pack(int design) {
    return QStringLiteral("picPack%1").arg(design);
}

// One setting: what the player does in the dialog, and what it does to the table's settings.
struct Setting {
    const char* name;
    std::function<void(OptionsDialog&)> change;
    std::function<void(TablePreferences&)> effect;
    bool recording = true; // "Record games" stays on
};

const std::vector<Setting>& settings() {
    static const std::vector<Setting> all{
        {"design", [](OptionsDialog& d) { click(&d, pack((d.pickedDesign() + 3) % 8)); },
         [](TablePreferences& p) { p.backDesign = (*p.backDesign + 3) % 8; }},
        {"speed", [](OptionsDialog& d) { d.findChild<QComboBox*>("cboSpeed")->setCurrentIndex(2); },
         [](TablePreferences& p) { p.speedDelay = SpeedGiveEr; }},
        {"must follow suit", [](OptionsDialog& d) { click(&d, "chkFollowSuit"); },
         [](TablePreferences& p) { p.mustFollowSuit = true; }},
        {"cards face up", [](OptionsDialog& d) { click(&d, "chkTutorial"); },
         [](TablePreferences& p) { p.tutorialMode = true; }},
        {"five rule", [](OptionsDialog& d) { click(&d, "chk525"); },
         [](TablePreferences& p) { p.anyBidAllowed = true; }},
        {"master computers",
         [](OptionsDialog& d) { d.findChild<QComboBox*>("cboComputers")->setCurrentIndex(2); },
         [](TablePreferences& p) { p.computerLevel = ComputerLevel::Master; }},
        {"record games", [](OptionsDialog& d) { click(&d, "chkRecordGames"); },
         [](TablePreferences&) {}, false},
    };
    return all;
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test::quietOffscreenWarnings(); }

    // Row k < settings().size() changes that one setting and presses OK; the others change all
    // of them and press Cancel, or change nothing and press OK on settings that are none of the
    // defaults (what the dialog shows is what OK keeps), or press OK online, where the rule
    // boxes are greyed and not the player's to change.
    void eachSettingReachesTheTableAndTheNextRun_data() {
        QTest::addColumn<int>("row");
        for (int k = 0; k < int(settings().size()); ++k)
            QTest::newRow(settings()[size_t(k)].name) << k;
        QTest::newRow("Cancel, everything changed") << -1;
        QTest::newRow("OK untouched on settings off their defaults") << -2;
        QTest::newRow("OK online, the greyed rule boxes clicked") << -3;
    }
    void eachSettingReachesTheTableAndTheNextRun() {
        QFETCH(int, row);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("corvane.conf"));
        auto first = std::make_unique<test::TableUnderTest>(1, 0.0, ServerAddress{},
                                                            std::make_unique<Preferences>(file));
        Table& t = first->t();
        if (row == -2) {
            t.backDesign = 5;
            t.speedDelay = SpeedGiveEr;
            t.mustFollowSuit = t.tutorialMode = t.anyBidAllowed = true;
            t.computerLevel = ComputerLevel::Expert;
        }
        t.online = row == -3;
        TablePreferences expected = TablePreferences::of(t);
        first->window.action(QStringLiteral("mnuOptions"))->trigger();
        auto* dialog = first->window.findChild<OptionsDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        if (row >= 0) {
            settings()[size_t(row)].change(*dialog);
            settings()[size_t(row)].effect(expected);
        } else if (row == -1) {
            for (const Setting& s : settings())
                s.change(*dialog);
        } else if (row == -3) {
            for (const char* box : {"chk525", "chkFollowSuit", "chkTutorial"})
                click(dialog, box);
        }
        click(dialog, row == -1 ? "cmdCancel" : "cmdOK");
        const bool recording = row < 0 || settings()[size_t(row)].recording;
        QCOMPARE(TablePreferences::of(t), expected);
        QCOMPARE(first->program.keeping->enabled(), recording);

        first.reset(); // the program ends; the next run reads what it kept
        if (row == -1)
            expected = TablePreferences{}; // nothing was kept: the next run draws its own design
        test::TableUnderTest second(2, 0.0, ServerAddress{}, std::make_unique<Preferences>(file));
        TablePreferences next = TablePreferences::of(second.t());
        if (!expected.backDesign)
            next.backDesign.reset();
        QCOMPARE(next, expected);
        QCOMPARE(second.program.keeping->enabled(), recording);
    }

    void okKeepsAPaceTheDialogDoesNotOffer() {
        Table table;
        table.speedDelay = 200; // as the lobby's Cancel leaves it
        OptionsDialog dialog(table);
        dialog.show();
        click(&dialog, "cmdOK");
        QCOMPARE(table.speedDelay, 200);
    }

    void tabReachesEveryDesignAndSpacePicksIt() {
        Table table;
        OptionsDialog dialog(table);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSet<QString> reached;
        for (int tab = 0; tab < 30; ++tab) {
            QWidget* focus = QApplication::focusWidget();
            if (focus)
                reached.insert(focus->objectName());
            QTest::keyClick(focus ? focus : &dialog, Qt::Key_Tab);
        }
        for (int design = 0; design < 8; ++design)
            QVERIFY2(reached.contains(pack(design)), qPrintable(pack(design)));
        QWidget* six = dialog.findChild<QWidget*>(pack(6));
        six->setFocus();
        QTest::keyClick(six, Qt::Key_Space);
        QCOMPARE(dialog.pickedDesign(), 6);
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
