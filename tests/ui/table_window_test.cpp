// The table window as a person meets it, on Qt's offscreen platform: the menus' letters, the
// dialogs that must stay in sight or close, a refused card, the commands refused while the deal
// lands, every kind of message whole in the button window, names shown as written, the rules page
// without a browser, the small windows refusing their own close, the about box, and (under a
// window manager) each small window placed right the first time.
// The online texts' headers use a member named `slots`: they come before Qt's keywords.
#include "table/name_pool.h"
#include "table_fixture.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/dialogs/rules_window.h"
#include "ui/online/lobby_dialog.h"
#include "ui/program/language.h"
#include "ui/table/dialog_placement.h"
#include "ui/table/fitted_label.h"
#include "ui/table/message_fit.h"
#include "ui/table/saying_words.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QtTest/qtestspontaneevent.h>

using namespace corvane;
using namespace corvane::ui;
using corvane::ui::test::TableUnderTest;

class TableWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { corvane::ui::test::quietOffscreenWarnings(); }

    // In each language: no two menus, nor two items of a menu, share a letter, and a pass fits
    // its bid box.
    void noTwoItemsOfAMenuShareALetter() {
        for (LanguageChoice language : {LanguageChoice::French, LanguageChoice::English}) {
            installLanguage(language);
            TableUnderTest table(7);
            std::vector<QList<QAction*>> menus{
                table.window.menuBar()->actions(),
                table.window.menuBar()->findChild<QMenu*>("mnuPlayers")->actions()};
            for (QAction* top : table.window.menuBar()->actions())
                if (top->menu())
                    menus.push_back(top->menu()->actions());
            for (const QList<QAction*>& menu : menus) {
                QSet<QKeySequence> letters;
                for (QAction* a : menu) {
                    const QKeySequence letter = QKeySequence::mnemonic(a->text());
                    QVERIFY2(letter.isEmpty() || !letters.contains(letter), qPrintable(a->text()));
                    letters.insert(letter);
                }
            }
            table.t().gamePhase = GamePhase::Bidding;
            table.t().seatBid[1] = Bid::pass();
            table.window.refresh();
            auto* pass = table.view()->findChild<FittedLabel*>(QStringLiteral("lblBid1"));
            QVERIFY(pass && pass->isVisible());
            QVERIFY2(QFontMetricsF(pass->fittedFont()).horizontalAdvance(pass->text()) <=
                         pass->contentsRect().width(),
                     qPrintable(pass->text()));
        }
    }

    void theOptionsLeaveTheBidDialogInSightAndItsButtonsFollowTheTable_data() {
        QTest::addColumn<double>("zoom");
        QTest::newRow("100%") << 1.0;
        QTest::newRow("200%") << 2.0;
    }
    void theOptionsLeaveTheBidDialogInSightAndItsButtonsFollowTheTable() {
        QFETCH(double, zoom);
        TableUnderTest table(7);
        table.window.setZoom(zoom);
        table.t().gamePhase = GamePhase::Bidding;
        table.t().dealerSeat = 2;
        table.t().highBid = 20;
        table.t().anyBidAllowed = true;
        table.engine.setUpBidDialog();
        table.window.refresh();
        QWidget* bid = table.window.bidDialog();
        QVERIFY(bid->isVisible());
        for (int i = 0; i < 4; ++i)
            QCOMPARE(table.bid(i)->isEnabled(), i != 1);
        table.window.action(QStringLiteral("mnuOptions"))->trigger();
        auto* options = table.window.findChild<QDialog*>(QStringLiteral("frmOptions"));
        QVERIFY(options && options->isVisible());
        QCOMPARE(options->font().pointSizeF(), 8.25 * zoom); // drawn as the small windows are
        QVERIFY(!options->frameGeometry().intersects(bid->frameGeometry()));
        QVERIFY(table.window.frameGeometry().contains(options->frameGeometry()));
        options->close();
    }

    void refusedCardSaysWhyAndShowsTheForbiddenPointer() {
        TableUnderTest table(1);
        table.t().mustFollowSuit = true;
        const auto refused = [&] {
            for (int i = 0; i < 5 && table.localTurn(); ++i)
                if (table.t().CardState(i) == TagState::Up &&
                    table.engine.pointerRefusal(i) != Refusal::None)
                    return i;
            return -1;
        };
        QVERIFY2(table.playUntil([&] { return refused() >= 0; }), "no card the rules refuse");
        const int picture = refused();
        const Refusal why = table.engine.pointerRefusal(picture);
        QTest::mouseMove(table.view()->picture(picture), QPoint(10, 40));
        QCOMPARE(table.view()->picture(picture)->cursor().shape(), Qt::ForbiddenCursor);
        const Point before = table.t().picCard[static_cast<size_t>(picture)].position;
        table.clickCard(picture);
        QVERIFY(table.messageShown());
        QCOMPARE(table.window.buttonWindow()->message().toStdString(), english(refusalSaying(why)));
        QCOMPARE(table.t().CardState(picture), TagState::Up); // still in the hand, where it was
        QCOMPARE(table.t().picCard[static_cast<size_t>(picture)].position, before);
        table.click(table.button(1));
        QVERIFY(table.localTurn()); // still the player's turn after reading it
        for (int i = 0; i < 5; ++i)
            if (table.t().CardState(i) == TagState::Up &&
                table.engine.pointerRefusal(i) == Refusal::None) {
                QTest::mouseMove(table.view()->picture(i), QPoint(10, 40));
                QCOMPARE(table.view()->picture(i)->cursor().shape(), Qt::ArrowCursor);
            }
    }

    void newGameClosesTheDialogs() {
        TableUnderTest table(3);
        QVERIFY(table.dealUntilTheBidDialog());
        table.window.action(QStringLiteral("mnuNew"))->trigger();
        table.settle();
        QVERIFY(!table.window.bidDialog()->isVisible());
        QVERIFY(table.window.buttonWindow()->isVisible());
        QCOMPARE(table.button(1)->text(), QStringLiteral("&Deal"));
        for (int i = 0; i < PictureCount; ++i)
            QVERIFY(!table.view()->picture(i)->isVisible());
    }

    // The double-click opens the lobby on a fresh table only; while the deal lands nothing that
    // would change the players or the game is taken.
    void commandsRefusedWhileTheDealLands() {
        TableUnderTest table(11, 1.0); // the deal at its real pace
        table.settleAfterClicks = false;
        QSignalSpy online(&table.window, &TableWindow::playOnlineRequested);
        QTest::mouseDClick(table.view(), Qt::LeftButton, {}, QPoint(150, 200));
        QCOMPARE(online.count(), 1);
        table.program.online.lobbyDialog()->reject(); // Cancel leaves the standalone table
        QAction* partner = table.window.action(QStringLiteral("mnuNewPartner"));
        QVERIFY(partner->isEnabled());
        table.click(table.button(1));
        QVERIFY(QTest::qWaitFor([&] { return table.view()->picture(5)->isVisible(); }, 5000));
        QVERIFY(table.t().gamePhase == GamePhase::Idle); // the last card has not landed
        table.window.refresh();
        QVERIFY(!partner->isEnabled());
        QVERIFY(!table.window.action(QStringLiteral("mnuNewOpponents"))->isEnabled());
        QTest::mouseDClick(table.view(), Qt::LeftButton, {}, QPoint(150, 200));
        table.window.action(QStringLiteral("mnuHint"))->trigger();
        QVERIFY(table.messageShown());
        QCOMPARE(table.window.buttonWindow()->message(), SayingWords::text(Said::NoHint));
        table.window.action(QStringLiteral("mnuNew"))->trigger();
        table.t().score = {5, 0}; // between hands, but no longer fresh
        QTest::mouseDClick(table.view(), Qt::LeftButton, {}, QPoint(150, 200));
        QCOMPARE(online.count(), 1);
    }

    // The messages that need the most of the button window: the widest line, the smallest type, the
    // widest names a computer or a person can have.
    void everyKindOfMessageShowsWhole() {
        TableUnderTest table(5);
        ButtonWindow* window = table.window.buttonWindow();
        // Every kind of saying with its longest words, in every language.
        std::vector<Saying> sayings;
        for (int kind = 1; kind <= static_cast<int>(Said::ServerLost); ++kind) {
            Saying s = Saying::withCard(static_cast<Said>(kind), Card::of(Queen, Diamonds));
            s.number = 30;
            s.suit = Diamonds;
            s.reason = HintReason::Takes;
            s.inTen = 10;
            sayings.push_back(s);
        }
        std::vector<std::string> names = NamePool::all();
        names.emplace_back(static_cast<size_t>(LobbyDialog::UserNameLength), 'W');
        for (const std::string& name : names)
            sayings.push_back(Saying::withName(Said::Misdeal, name));
        for (int i = 0; i < 2 * static_cast<int>(sayings.size()); ++i) {
            const bool french = i >= static_cast<int>(sayings.size());
            if (i == 0 || i == static_cast<int>(sayings.size()))
                QCOMPARE(installLanguage(french ? LanguageChoice::French : LanguageChoice::English)
                             .language(),
                         french ? QLocale::French : QLocale::English);
            const Saying& saying = sayings[static_cast<size_t>(i) % sayings.size()];
            const QString message = SayingWords::text(saying);
            table.engine.start(table.engine.MessageButton(saying, true));
            table.window.refresh();
            QCOMPARE(window->message(), message);
            const QString caption = table.button(1)->text().replace(QStringLiteral("&&"), "&");
            QCOMPARE(QString(caption).replace(u'\n', u' '), message);
            const QStringList lines = caption.split(u'\n');
            const QFontMetricsF metrics(table.button(1)->font());
            const QSize area = window->messageArea();
            for (const QString& line : lines)
                QVERIFY2(metrics.horizontalAdvance(line) <= area.width(), qPrintable(message));
            QVERIFY2(metrics.height() + metrics.lineSpacing() * (lines.size() - 1) <= area.height(),
                     qPrintable(message));
            QVERIFY(table.button(1)->font().pointSizeF() >= SmallestMessagePointSize);
        }
        installLanguage(LanguageChoice::English);
    }

    void namesShownAsWritten() {
        TableUnderTest table(2);
        for (const char* name : {"<h1>Bob</h1>", "<font color=white>Al</font>", "<b>x</b> & y"}) {
            table.t().seats[1].name = name;
            table.window.refresh();
            QLabel* label = table.view()->playerName(1);
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QCOMPARE(label->text(), QString::fromLatin1(name));
        }
    }

    void rulesPageWithoutABrowser() {
        // A browser that takes the page: no window of our own once the opener is done.
        TableUnderTest table(1);
        const QByteArray saved = qgetenv("BROWSER");
        qputenv("BROWSER", "true");
        table.window.action(QStringLiteral("mnuRiziv"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!table.window.findChild<QProcess*>(), 10000);
        QVERIFY(!table.window.findChild<RulesWindow*>());
        // None takes it (xdg-open's failure): the program's own window, and nothing refused.
        qputenv("BROWSER", "false");
        table.window.action(QStringLiteral("mnuRiziv"))->trigger();
        RulesWindow* rules = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (rules = table.window.findChild<RulesWindow*>()) && rules->isVisible(), 10000);
        QVERIFY(!table.window.findChild<QMessageBox*>(QStringLiteral("rulesPageMessage")));
        QVERIFY(rules->browser()->toPlainText().contains(QLatin1String("Counting a hand")));
        QCOMPARE(rules->browser()->verticalScrollBar()->value(), 0);
        // Help's keyboard entry opens the same window at its section on the keys.
        rules->hide();
        table.window.action(QStringLiteral("mnuKeyboard"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(rules->isVisible(), 10000);
        QVERIFY(rules->browser()->verticalScrollBar()->value() > 0);
        QCOMPARE(table.window.findChildren<RulesWindow*>().size(), 1);
        qputenv("BROWSER", saved);
    }

    void smallWindowsRefuseOnlyTheirOwnClose() {
        TableUnderTest table(8);
        ButtonWindow* buttons = table.window.buttonWindow();
        QCloseEvent fromTitleBar; // as the window system delivers it
        QSpontaneKeyEvent::setSpontaneous(&fromTitleBar);
        // Straight to the window: sending through the application would take the mark away.
        static_cast<QObject*>(buttons)->event(&fromTitleBar);
        QVERIFY(!fromTitleBar.isAccepted());
        QVERIFY(buttons->isVisible());
        QCloseEvent fromProgram; // the program's own close, at its end
        QApplication::sendEvent(buttons, &fromProgram);
        QVERIFY(fromProgram.isAccepted());
    }

    void aboutBoxTextFits() {
        AboutBox about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        for (QLabel* label : about.findChildren<QLabel*>()) {
            const QRect needed = label->fontMetrics().boundingRect(
                label->contentsRect(), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                label->text());
            QVERIFY2(label->contentsRect().contains(needed), qPrintable(label->text()));
        }
    }

    void firstPlacementEqualsTheLater() {
        if (QGuiApplication::platformName() != QLatin1String("xcb") ||
            !qEnvironmentVariableIsSet("CORVANE_TEST_WINDOW_MANAGER"))
            QSKIP("needs an X server with a window manager (CORVANE_TEST_WINDOW_MANAGER set, "
                  "QT_QPA_PLATFORM=xcb)");
        TableUnderTest table(12);
        QVERIFY(QTest::qWaitForWindowExposed(&table.window));
        // Where the rule puts a window, once the window manager has framed both, and how far up.
        const auto firstShowing = [&](QWidget* w, int lift = 0) {
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QTest::qWait(400);
            const QRect first = w->frameGeometry();
            QTest::qWait(400);
            const QSize size = w->frameGeometry().size();
            QCOMPARE(first, QRect(placeDialogPixels(table.window.frameGeometry(), size), size)
                                .translated(0, -lift));
        };
        firstShowing(table.window.buttonWindow());
        QVERIFY(table.dealUntilTheBidDialog());
        firstShowing(table.window.bidDialog());
        // Hidden long enough for the window manager to let go of its frame, then shown again.
        table.t().localChoice = LocalChoice::None;
        table.t().localChoice = LocalChoice::Trump;
        table.window.refresh();
        firstShowing(table.window.trumpDialog());
        // The options stand just above the small windows' place; each is a new window.
        table.window.action(QStringLiteral("mnuOptions"))->trigger();
        firstShowing(table.window.findChild<OptionsDialog*>(),
                     table.window.buttonWindow()->frameGeometry().height() + 4);
    }
};

QTEST_MAIN(TableWindowTest)
#include "table_window_test.moc"
