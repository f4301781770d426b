// corvane-record-bench: the record file's figures. Writes 100,000 hands one by one into the
// store and reports what a hand's write costs the writer's thread; hands 100,000 more to the
// program's writer (half one at a time, half all at once) and reports what each costs the
// window's thread, which only queues them;
// then opens the Statistics window on the file and reports how long until it has painted. Runs
// on files of its own in a temporary folder.
#include "record/record_store.h"
#include "record/record_writer.h"
#include "ui/record/statistics_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace corvane;
using namespace corvane::ui;

namespace {

RecordedGameInfo info(int game) {
    static const char* partners[] = {"Ann", "Bo", "Cy", "Di"};
    return {QStringLiteral("standalone"),
            game % 3 ? QStringLiteral("Standard") : QStringLiteral("Expert"),
            {QStringLiteral("You"), QStringLiteral("Ed"), QString::fromLatin1(partners[game % 4]),
             QStringLiteral("Flo")},
            {QStringLiteral("person"), QStringLiteral("computer"), QStringLiteral("computer"),
             QStringLiteral("computer")},
            {}};
}

RecordedHand hand(int number, int n) {
    RecordedHand h;
    h.number = number;
    h.dealer = n % 4;
    h.bids = {{(n + 1) % 4, "20"}, {(n + 2) % 4, "Pass"}, {(n + 3) % 4, "25"}, {n % 4, "Pass"}};
    h.bidder = (n + 3) % 4;
    h.bid = 20 + 5 * (n % 3);
    h.trump = n % 4;
    h.made = n % 5 != 0;
    h.counted = h.made ? h.bid : h.bid - 5;
    h.points = h.made ? h.counted : h.bid;
    h.scores = {(n * 7) % 115, (n * 11) % 115};
    h.stage = HandStage::Scored;
    return h;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void printPercentiles(const char* what, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::printf("%s: median %.3f ms, 99th %.3f ms, 99.9th %.3f ms, max %.3f ms over %zu hands\n",
                what, v[v.size() / 2], v[v.size() * 99 / 100], v[v.size() * 999 / 1000], v.back(),
                v.size());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    constexpr int Hands = 100000;
    constexpr int HandsAGame = 10;
    QTemporaryDir dir;
    QElapsedTimer t;

    // Every hand written as the writer's thread writes it: one transaction each, games of ten.
    {
        const QString path = dir.filePath(QStringLiteral("direct.sqlite"));
        RecordStore store(RecordStore::Options{path});
        if (!store.open()) {
            std::fprintf(stderr, "corvane-record-bench: cannot open %s\n", qPrintable(path));
            return 1;
        }
        std::vector<double> writes;
        for (int n = 0; n < Hands; ++n) {
            if (n % HandsAGame == 0 && n > 0)
                store.recordGameWon(n % 7 ? 0 : 1, {120, 40});
            t.start();
            store.recordHand(info(n / HandsAGame), hand(n % HandsAGame + 1, n));
            writes.push_back(t.nsecsElapsed() / 1e6);
        }
        printPercentiles("hand write on the writer's thread", writes);
    }

    // The same hands as the window hands them over: one at a time, the writer idle as it is
    // between the hands of a game; then all at once, the writer far behind.
    const QString path = dir.filePath(QStringLiteral("record.sqlite"));
    RecordWriter writer(RecordStore::Options{path});
    writer.flush();
    if (writer.state() != RecordStore::State::Open) {
        std::fprintf(stderr, "corvane-record-bench: cannot open %s\n", qPrintable(path));
        return 1;
    }
    for (const bool paced : {true, false}) {
        std::vector<double> handovers;
        QElapsedTimer all;
        all.start();
        for (int n = 0; n < Hands / 2; ++n) {
            if (n % HandsAGame == 0 && n > 0)
                writer.recordGameWon(n % 7 ? 0 : 1, {120, 40});
            if (paced)
                writer.flush();
            t.start();
            writer.recordHand(info(n / HandsAGame), hand(n % HandsAGame + 1, n));
            handovers.push_back(t.nsecsElapsed() / 1e6);
        }
        const double handedOver = all.nsecsElapsed() / 1e6;
        writer.flush();
        printPercentiles(paced ? "hand handed over on the window's thread, one at a time"
                               : "hand handed over on the window's thread, all at once",
                         handovers);
        if (!paced)
            std::printf("writer caught up %.0f ms after the last hand (%.0f ms for all)\n",
                        all.nsecsElapsed() / 1e6 - handedOver, all.nsecsElapsed() / 1e6);
    }

    // The figures alone, then the window that shows them.
    RecordReader reader(path);
    std::vector<double> reads;
    for (int run = 0; run < 5; ++run) {
        t.start();
        const RecordStatistics figures = RecordStatistics::read(reader.connectionName());
        reads.push_back(t.nsecsElapsed() / 1e6);
        if (run == 0)
            std::printf("record: %d hands, %d games\n", figures.hands, figures.games.played);
    }
    std::printf("statistics read: median %.1f ms over %zu reads\n", median(reads), reads.size());

    // Opening the Statistics window, until it has painted, a few times.
    std::vector<double> opens;
    for (int run = 0; run < 5; ++run) {
        t.start();
        StatisticsWindow window(&writer, path, true);
        window.show();
        window.repaint();
        QApplication::processEvents();
        opens.push_back(t.nsecsElapsed() / 1e6);
        if (run == 0)
            std::printf("statistics: %d games played, %d hands\n", window.statistics().games.played,
                        window.statistics().hands);
    }
    std::printf("statistics window open: median %.1f ms, max %.1f ms over %zu opens (%d hands)\n",
                median(opens), *std::max_element(opens.begin(), opens.end()), opens.size(), Hands);
    return 0;
}
