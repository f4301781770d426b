// The real corvane program as a process: "E&xit" and closing the table window end it with status
// 0 at every moment of a game, standalone and while hosting a table on the real corvane-lobby,
// whose seated corvane-bot then hears that its host is gone. The program is driven through its
// command script (CORVANE_SCRIPT), which clicks as a person would.
#include "online_fixture.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace corvane::ui;
using namespace corvane::ui::test;

namespace {

// Generous: the program's end is immediate, but a loaded machine is slow to start a process.
constexpr int EndWithinMs = 20000;
// Reaching a moment plays part of a hand (a deal, an auction, the draw), at ten times the table's
// pace (--pace 0.1) but for the moment in the middle of the deal: seconds when the machine is
// quiet, many more when it is loaded. Only the end that follows is held to EndWithinMs.
constexpr int ReachWithinMs = 120000;

// A process that has ended, or ends within the bound. Waiting for a line runs the event loop,
// which may already have seen the end: waitForFinished() is false for a process that is over.
bool ended(QProcess& process) {
    return process.state() == QProcess::NotRunning || process.waitForFinished(EndWithinMs);
}

struct Program {
    QTemporaryDir config; // what the program remembers between runs stays with this run
    QProcess process;

    Program(const QString& script, const QStringList& arguments = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("CORVANE_SCRIPT"), script);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.setProgram(QStringLiteral(CORVANE_PROGRAM_BINARY));
        process.setArguments(arguments);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start();
    }
    ~Program() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    // The state lines the script printed.
    QStringList printed() {
        return QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }
};

} // namespace

class ProgramExitTest : public QObject {
    Q_OBJECT
private slots:

    void endsAtEveryMoment_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("state"); // what "print" must show just before the end
        QTest::addColumn<QString>("pace");
        const struct {
            const char* moment;
            const char* steps;
            const char* state;
            const char* pace;
        } moments[] = {
            {"before the first deal", "print", "phase=0 dealing=0 bid=0 trump=0 message=0", "0.1"},
            {"mid-deal", "click:cmdAction1 wait:300 print", "phase=0 dealing=1 bid=0", "1"},
            {"in the auction, bid dialog open", "play-to:1 shown:frmBidSel print",
             "phase=1 dealing=0 bid=1", "0.1"},
            {"with a message waiting", "action:mnuHint print",
             "phase=0 dealing=0 bid=0 trump=0 message=1", "0.1"},
            {"options dialog open", "action:mnuOptions shown:frmOptions print", "phase=0", "0.1"},
            {"mid-trick", "play-to:4 wait:50 print", "phase=4", "0.1"},
        };
        for (const auto& m : moments) {
            for (const char* end : {"action:mnuExit", "close"}) {
                QTest::addRow("%s, %s", m.moment, end)
                    << QStringLiteral("%1 %2").arg(QLatin1String(m.steps), QLatin1String(end))
                    << QString::fromLatin1(m.state) << QString::fromLatin1(m.pace);
            }
        }
    }

    void endsAtEveryMoment() {
        QFETCH(QString, script);
        QFETCH(QString, state);
        QFETCH(QString, pace);
        Program program(script, {QStringLiteral("--pace"), pace});
        QVERIFY(program.process.waitForStarted(EndWithinMs));
        // Every script prints its state just before it asks for the end.
        QVERIFY2(QTest::qWaitFor([&] { return program.process.canReadLine(); }, ReachWithinMs),
                 "the script never reached its moment");
        QVERIFY2(ended(program.process),
                 "the program is still running after its end was asked for");
        QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.process.exitCode(), 0);
        const QStringList printed = program.printed();
        QCOMPARE(printed.size(), 1);
        QVERIFY2(printed.front().startsWith(state), qPrintable(printed.front()));
    }

    void endsWhileHosting_data() {
        QTest::addColumn<QString>("end");
        QTest::newRow("E&xit") << QStringLiteral("action:mnuExit");
        QTest::newRow("window closed") << QStringLiteral("close");
    }

    void endsWhileHosting() {
        QFETCH(QString, end);
        // The program's --server moves all three ports together, a hundred apart.
        std::unique_ptr<LobbyServer> lobby;
        quint16 base = 0;
        for (int attempt = 0; attempt < 5 && !(lobby && lobby->running()); ++attempt) {
            base = static_cast<quint16>(20000 + QRandomGenerator::global()->bounded(20000));
            lobby = std::make_unique<LobbyServer>(
                QStringList{QStringLiteral("--list-port"), QString::number(base),
                            QStringLiteral("--host-port"), QString::number(base + 100),
                            QStringLiteral("--player-port"), QString::number(base + 200)});
        }
        QVERIFY(lobby->running());
        QCOMPARE(lobby->address().hostPort, base + 100);

        Program program(
            QStringLiteral("action:mnuConnect type:txtUserName:Hosty type:txtTable:Evening "
                           "click:cmdNew title:Corvane_(Hosting) print label:Botty print ") +
                end,
            {QStringLiteral("--server"), QStringLiteral("127.0.0.1:%1").arg(base)});
        QVERIFY(QTest::qWaitFor([&] { return program.process.canReadLine(); }, EndWithinMs));

        // The table is listed: a bot sits down at it.
        corvane::testing::BotProcess bot(
            {base, static_cast<quint16>(base + 100), static_cast<quint16>(base + 200)},
            {"--join", "Evening", "--seat", "1", "--name", "Botty"});

        QVERIFY2(ended(program.process),
                 "the hosting program is still running after its end was asked for");
        QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.process.exitCode(), 0);
        QCOMPARE(program.printed().size(), 2);

        // The lobby tells the seated bot its host is gone, as for a lost program.
        bot.finish(corvane::testing::within(std::chrono::milliseconds(EndWithinMs)));
        QVERIFY2(bot.endedByItself(), qPrintable(QString::fromStdString(bot.describe())));
        QVERIFY2(bot.output().find("host gone") != std::string::npos,
                 "the bot did not hear that its host left");
    }
};

QTEST_MAIN(ProgramExitTest)
#include "program_exit_test.moc"
