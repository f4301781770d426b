// What a person meets playing the table by hand: the kitty fanned out, no turn mark left over
// into the next hand, every message whole in the button window, commands refused while the deal
// lands, names shown as written, the rules page's failure said, Enter on the focused button, the
// small windows refusing their own close but not the program's end, and (under a window manager)
// each small window placed right the first time.
// The online texts' headers use a member named `slots`: they come before Qt's keywords.
#include "cards/legal_play.h"
#include "online/host.h"
#include "online/seat.h"
#include "table/name_pool.h"
#include "table_fixture.h"
#include "ui/about_box.h"
#include "ui/dialog_placement.h"
#include "ui/lobby_dialog.h"
#include "ui/message_fit.h"
#include "ui/online_session.h"
#include "ui/options_dialog.h"
#include "ui/rules_page.h"
#include "ui/rules_window.h"
#include "ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QtTest/qtestspontaneevent.h>

using namespace corvane;
using namespace corvane::ui;
using corvane::ui::test::TableUnderTest;

namespace {

// Every text the program can put in the button window.
QStringList everyMessage() {
    QStringList m;
    const auto add = [&](const std::string& s) { m << QString::fromStdString(s); };
    add("Click Deal to get started.");
    add("Use the Auto-discard button.");
    add(NoHintMessage);
    add("I would pass.");
    for (int suit = 0; suit < 4; ++suit) {
        for (const char* bid : {"20", "25", "30"})
            add(std::string("I would go ") + bid + " on " + SuitSentenceName(suit));
        add("I would name " + SuitSentenceName(suit));
        for (int face = 1; face <= 13; ++face)
            add("I would play the " + CardName(Card::of(face, suit)) + " of " +
                SuitSentenceName(suit));
    }
    for (const char* text : {WhiskMessage, FollowSuitMessage, CannotFlipMessage})
        add(text);
    for (int points = 0; points <= 60; points += 5)
        add("Count " + std::to_string(points) + " points.");
    for (int bid : {20, 25, 30})
        add("Bidder goes down " + std::to_string(bid) + ".");
    for (const char* text : {"You're not easy!", "She's gone, b'y.", "She's gone b'y.",
                             "You called for a misdeal.", "Waiting for next hand..."})
        add(text);
    for (const char* text : {OnlineSession::CouldNotConnect, OnlineSession::KeyRefusedMessage,
                             online::Host::LostServerMessage, online::Seat::HostGoneMessage})
        add(text);
    // The Expert's hints, with the widest count (out of ten).
    for (int suit = 0; suit < 4; ++suit) {
        for (const char* bid : {"20", "25", "30"})
            add(std::string("I would go ") + bid + " on " + SuitName(suit) +
                ": made in 10 of 10 deals.");
        for (int face = 1; face <= 13; ++face) {
            const std::string play = "I would play the " + CardName(Card::of(face, suit)) + " of " +
                                     SuitName(suit) + ": ";
            for (const char* reason :
                 {"it is the only card allowed.", "it takes the trick in 10 of 10 deals.",
                  "partner takes it in 10 of 10 deals.", "it gives least away."})
                add(play + reason);
        }
    }
    // Names: every computer name, and the widest name a person can give in the lobby.
    std::vector<std::string> names = NamePool::all();
    names.emplace_back(static_cast<size_t>(LobbyDialog::UserNameLength), 'W');
    for (const std::string& name : names) {
        add(name + " calls for a misdeal.");
        add(name + " has disconnected.");
    }
    return m;
}

// A rules page opener that fails as xdg-open does without a browser (exit status 3).
struct FailingBrowser {
    QByteArray saved = qgetenv("BROWSER");
    FailingBrowser() { qputenv("BROWSER", "false"); }
    ~FailingBrowser() { qputenv("BROWSER", saved); }
};

bool underWindowManager() {
    return QGuiApplication::platformName() == QLatin1String("xcb") &&
           qEnvironmentVariableIsSet("CORVANE_TEST_WINDOW_MANAGER");
}

} // namespace

class TableAsPlayedTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { corvane::ui::test::quietOffscreenWarnings(); }
    void kittyFansOut();
    void everyMessageShowsWhole();
    void commandsRefusedWhileTheDealLands();
    void namesShownAsWritten();
    void rulesPageWithoutABrowser();
    void enterPressesTheFocusedButton();
    void hintWhileNamingTrump();
    void smallWindowsRefuseOnlyTheirOwnClose();
    void aboutBoxCreditLineFits();
    void firstPlacementEqualsTheLater();
};

void TableAsPlayedTest::kittyFansOut() {
    TableUnderTest table(3);
    table.click(table.button(1));
    for (int i = 20; i <= 23; ++i)
        QCOMPARE(table.view()->picture(i)->pos(), QPoint(px(360 + 240 * (i - 20)), px(4920)));
    // The three dealt kitty cards each show a part of their face, left to right.
    for (int i = 20; i <= 21; ++i)
        QVERIFY(table.view()->picture(i)->x() < table.view()->picture(i + 1)->x());
}

void TableAsPlayedTest::everyMessageShowsWhole() {
    TableUnderTest table(5);
    ButtonWindow* window = table.window.buttonWindow();
    const QStringList messages = everyMessage();
    QVERIFY(messages.size() > 150);
    int twoLines = 0;
    for (const QString& message : messages) {
        table.engine.start(table.engine.MessageButton(message.toStdString(), true));
        table.window.refresh();
        QCOMPARE(window->message(), message);
        const QString caption =
            table.button(1)->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
        QCOMPARE(QString(caption).replace(u'\n', u' '), message);
        const QStringList lines = caption.split(u'\n');
        QVERIFY(lines.size() <= 3);
        twoLines += lines.size() == 2;
        const QFontMetricsF metrics(table.button(1)->font());
        const QSize area = window->messageArea();
        QVERIFY(area.width() < window->width() && area.height() < window->height());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= area.width(), qPrintable(message));
        QVERIFY2(metrics.height() + metrics.lineSpacing() * (lines.size() - 1) <= area.height(),
                 qPrintable(message));
        QVERIFY(table.button(1)->font().pointSizeF() >= SmallestMessagePointSize);
    }
    QVERIFY(twoLines > 0);
}

void TableAsPlayedTest::commandsRefusedWhileTheDealLands() {
    TableUnderTest table(11, 1.0); // the deal at its real pace
    table.settleAfterClicks = false;
    QSignalSpy online(&table.window, &TableWindow::playOnlineRequested);
    const QString partner = table.view()->playerName(2)->text();
    table.click(table.button(1));
    QVERIFY(QTest::qWaitFor([&] { return table.view()->picture(5)->isVisible(); }, 5000));
    QCOMPARE(table.t().gamePhase, int(PhaseIdle)); // the last card has not landed
    QVERIFY(table.engine.handUnderWay());

    table.window.refresh();
    QVERIFY(!table.window.action(QStringLiteral("mnuNewPartner"))->isEnabled());
    QVERIFY(!table.window.action(QStringLiteral("mnuNewOpponents"))->isEnabled());
    table.engine.newPartner();
    QCOMPARE(table.view()->playerName(2)->text(), partner);
    QTest::mouseDClick(table.view(), Qt::LeftButton, {}, QPoint(150, 200));
    QCOMPARE(online.count(), 0);
    table.window.action(QStringLiteral("mnuHint"))->trigger();
    QVERIFY(table.messageShown());
    QCOMPARE(table.window.buttonWindow()->message(), QString::fromLatin1(NoHintMessage));
}

void TableAsPlayedTest::namesShownAsWritten() {
    TableUnderTest table(2);
    for (const char* name : {"<h1>Bob</h1>", "<font color=white>Al</font>", "<b>x</b> & y"}) {
        table.t().lblPlayerName[1].caption = name;
        table.window.refresh();
        QLabel* label = table.view()->playerName(1);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), QString::fromLatin1(name));
        // Drawn as plain text: the whole string's width at the label's own font.
        QVERIFY(label->sizeHint().width() >=
                QFontMetrics(label->font()).horizontalAdvance(QString::fromLatin1(name)));
    }
}

void TableAsPlayedTest::rulesPageWithoutABrowser() {
    // No browser takes the page: it opens in the program's own window, and nothing is refused.
    TableUnderTest table(1);
    FailingBrowser failing;
    table.window.action(QStringLiteral("mnuRiziv"))->trigger();
    RulesWindow* rules = nullptr;
    QVERIFY(QTest::qWaitFor(
        [&] {
            rules = table.window.findChild<RulesWindow*>();
            return rules != nullptr && rules->isVisible();
        },
        10000));
    QVERIFY(!table.window.findChild<QMessageBox*>(QStringLiteral("rulesPageMessage")));
    QVERIFY(rules->browser()->toPlainText().contains(QLatin1String("Counting a hand")));
    QCOMPARE(rules->browser()->verticalScrollBar()->value(), 0);

    // Help's keyboard entry opens the same page at its section on the keys.
    rules->hide();
    table.window.action(QStringLiteral("mnuKeyboard"))->trigger();
    QVERIFY(QTest::qWaitFor([&] { return rules->isVisible(); }, 10000));
    QVERIFY(rules->browser()->toPlainText().contains(QLatin1String("Playing by the keyboard")));
    QVERIFY(rules->browser()->verticalScrollBar()->value() > 0);
    QCOMPARE(table.window.findChildren<RulesWindow*>().size(), 1);
    rules->close();

    // A browser that takes the page: no window of our own.
    delete rules;
    qputenv("BROWSER", "true");
    table.window.action(QStringLiteral("mnuRiziv"))->trigger();
    QTest::qWait(1500);
    QVERIFY(!table.window.findChild<RulesWindow*>());
}

void TableAsPlayedTest::enterPressesTheFocusedButton() {
    TableUnderTest table(6);
    table.button(1)->setFocus();
    QTest::keyClick(table.button(1), Qt::Key_Return);
    table.settle();
    QVERIFY(table.t().gamePhase != PhaseIdle || table.messageShown());
    for (int moves = 0; moves < 200 && !table.window.bidDialog()->isVisible(); ++moves)
        QVERIFY(table.playOneMove());
    QVERIFY(table.window.bidDialog()->isVisible());
    const int before = table.t().bidsMade;
    table.bid(0)->setFocus();
    QTest::keyClick(table.bid(0), Qt::Key_Enter);
    table.settle();
    QVERIFY(table.t().bidsMade > before || !table.window.bidDialog()->isVisible());
}

void TableAsPlayedTest::hintWhileNamingTrump() {
    TableUnderTest table(21);
    table.t().anyBidAllowed = true;
    for (int hands = 0; hands < 400 && !table.window.trumpDialog()->isVisible(); ++hands) {
        if (table.window.bidDialog()->isVisible()) {
            table.click(table.bid(table.bid(3)->isEnabled() ? 3 : 0));
            continue;
        }
        QVERIFY(table.playOneMove());
    }
    QVERIFY(table.window.trumpDialog()->isVisible());
    table.window.action(QStringLiteral("mnuHint"))->trigger();
    table.settle();
    QCOMPARE(table.window.buttonWindow()->message(),
             QString::fromStdString("I would name " + SuitSentenceName(bidHint(table.t()).suit)));
}

void TableAsPlayedTest::smallWindowsRefuseOnlyTheirOwnClose() {
    TableUnderTest table(8);
    ButtonWindow* buttons = table.window.buttonWindow();
    QVERIFY(buttons->isVisible());
    // The title bar's close, as the window system delivers it.
    QCloseEvent fromTitleBar;
    QSpontaneKeyEvent::setSpontaneous(&fromTitleBar);
    // Straight to the window: sending through the application would take the mark away.
    static_cast<QObject*>(buttons)->event(&fromTitleBar);
    QVERIFY(!fromTitleBar.isAccepted());
    QVERIFY(buttons->isVisible());
    // The program's own close (its end) goes through.
    QCloseEvent fromProgram;
    QApplication::sendEvent(buttons, &fromProgram);
    QVERIFY(fromProgram.isAccepted());
}

void TableAsPlayedTest::aboutBoxCreditLineFits() {
    AboutBox about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    for (const char* name : {"lblTitle", "lblVersion", "Label1", "lblDescription"}) {
        auto* label = about.findChild<QLabel*>(QString::fromLatin1(name));
        QVERIFY(label);
        const QRect needed =
            QFontMetrics(label->font())
                .boundingRect(label->contentsRect(),
                              Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, label->text());
        QVERIFY2(label->contentsRect().contains(needed),
                 qPrintable(QStringLiteral("%1 needs %2x%3 of %4x%5")
                                .arg(QLatin1String(name))
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(label->contentsRect().width())
                                .arg(label->contentsRect().height())));
    }
}

void TableAsPlayedTest::firstPlacementEqualsTheLater() {
    if (!underWindowManager())
        QSKIP("needs an X server with a window manager (CORVANE_TEST_WINDOW_MANAGER set, "
              "QT_QPA_PLATFORM=xcb)");
    TableUnderTest table(12);
    QVERIFY(QTest::qWaitForWindowExposed(&table.window));
    // Where the rule puts a window, now that the window manager has framed both.
    const auto placed = [&](QWidget* w) {
        QTest::qWait(400);
        return QRect(placeDialogPixels(table.window.frameGeometry(), w->frameGeometry().size()),
                     w->frameGeometry().size());
    };
    const auto firstShowing = [&](QWidget* w) {
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::qWait(400);
        const QRect first = w->frameGeometry();
        QCOMPARE(first, placed(w));
    };

    // The button window at start-up, then again after the deal hid it.
    firstShowing(table.window.buttonWindow());
    table.click(table.button(1));
    for (int moves = 0; moves < 400 && !table.window.bidDialog()->isVisible(); ++moves)
        QVERIFY(table.playOneMove());
    firstShowing(table.window.bidDialog());
    for (int moves = 0; moves < 400 && !table.window.buttonWindow()->isVisible(); ++moves)
        QVERIFY(table.playOneMove());
    firstShowing(table.window.buttonWindow());
    // Hidden long enough for the window manager to let go of its frame, then shown again.
    table.t().buttonMenu.visible = false;
    table.window.refresh();
    QTest::qWait(1500);
    table.t().buttonMenu.visible = true;
    table.window.refresh();
    firstShowing(table.window.buttonWindow());
    table.t().buttonMenu.visible = false;
    table.t().trumpDialogVisible = true;
    table.window.refresh();
    firstShowing(table.window.trumpDialog());
    table.t().trumpDialogVisible = false;
    table.t().buttonMenu.visible = true;
    table.window.refresh();

    // Each options dialog is a new window: every one is a first showing.
    for (int i = 0; i < 2; ++i) {
        table.window.action(QStringLiteral("mnuOptions"))->trigger();
        auto* options = table.window.findChild<OptionsDialog*>();
        QVERIFY(options);
        // The options stand just above the small windows' place.
        QVERIFY(QTest::qWaitForWindowExposed(options));
        QTest::qWait(400);
        const QRect first = options->frameGeometry();
        const int lift = table.window.buttonWindow()->frameGeometry().height() + 4;
        QCOMPARE(first, placed(options).translated(0, -lift));
        options->close();
        QTest::qWait(100);
    }
}

QTEST_MAIN(TableAsPlayedTest)
#include "table_as_played_test.moc"
