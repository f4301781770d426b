// corvane-record-bench: the record file's figures. Writes 100,000 hands one by one as the
// program does and reports what a hand's write costs, then opens the Statistics window on the
// file and reports how long until it has painted. Runs on a file of its own in a temporary
// folder.
#include "ui/record_store.h"
#include "ui/statistics_window.h"

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
             QStringLiteral("computer")}};
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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    constexpr int Hands = 100000;
    constexpr int HandsAGame = 10;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("record.sqlite"));
    RecordStore store(RecordStore::Options{path});
    if (!store.open()) {
        std::fprintf(stderr, "corvane-record-bench: cannot open %s\n", qPrintable(path));
        return 1;
    }

    // Every hand written as the window writes it: one transaction each, games of ten hands.
    std::vector<double> writes;
    QElapsedTimer t;
    for (int n = 0; n < Hands; ++n) {
        if (n % HandsAGame == 0 && n > 0)
            store.recordGameWon(n % 7 ? 0 : 1, {120, 40});
        t.start();
        store.recordHand(info(n / HandsAGame), hand(n % HandsAGame + 1, n));
        writes.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(writes.begin(), writes.end());
    std::printf("hand write: median %.3f ms, 99th %.3f ms, 99.9th %.3f ms, max %.3f ms over %d "
                "hands\n",
                writes[writes.size() / 2], writes[writes.size() * 99 / 100],
                writes[writes.size() * 999 / 1000], writes.back(), Hands);
    std::printf("record: %d hands, %d games\n", store.handCount(), store.gameCount());

    // The figures alone, then the window that shows them.
    std::vector<double> reads;
    for (int run = 0; run < 5; ++run) {
        t.start();
        const RecordStatistics figures = RecordStatistics::read(store.connectionName());
        reads.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("statistics read: median %.1f ms over %zu reads\n", median(reads), reads.size());

    // Opening the Statistics window, until it has painted, a few times.
    std::vector<double> opens;
    for (int run = 0; run < 5; ++run) {
        t.start();
        StatisticsWindow window(&store, path, true);
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
