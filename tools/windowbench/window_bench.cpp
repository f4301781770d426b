// Figures of the game program as a person meets it: the time from the process's start to the
// first painted table, the memory in use with a hand dealt, and the processor time the program
// takes while it waits for the player's click. It prints them; it asserts nothing.
//
//   corvane-window-bench [--idle-seconds N] [--zoom PERCENT]
#include "ui/program/game_program.h"
#include "ui/table/button_window.h"
#include "ui/table/table_view.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Milliseconds since the kernel started this process.
double sinceProcessStart() {
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), {});
    const auto afterName = stat.rfind(')');
    std::istringstream fields(stat.substr(afterName + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const double startTicks = std::stod(field);
    double uptime = 0;
    std::ifstream("/proc/uptime") >> uptime;
    return (uptime - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK))) * 1000.0;
}

long statusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::strlen(key)));
    return -1;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class FirstPaint : public QObject {
public:
    double at = -1;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && at < 0)
            at = sinceProcessStart();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    int idleSeconds = 10;
    int zoomPercent = 100;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--idle-seconds") == 0)
            idleSeconds = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--zoom") == 0)
            zoomPercent = std::atoi(argv[i + 1]);
    }

    QApplication app(argc, argv);
    corvane::ui::GameProgram program(1);
    FirstPaint firstPaint;
    program.window.view()->installEventFilter(&firstPaint);
    // The table at the size asked for from its first paint, as a run with that zoom kept opens.
    program.window.setZoom(zoomPercent / 100.0);
    std::printf("zoom: %d%%\n", zoomPercent);
    program.start();

    enum class Stage { Starting, Dealing, Idle } stage = Stage::Starting;
    double idleCpuStart = 0;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const bool waiting = program.scheduler.pending() == 0 && !program.window.view()->moving();
        switch (stage) {
        case Stage::Starting:
            if (firstPaint.at < 0)
                return;
            std::printf("start to first painted table: %.0f ms\n", firstPaint.at);
            std::printf("resident memory at start-up: %ld KiB\n", statusKb("VmRSS:"));
            program.window.buttonWindow()->button(1)->click(); // deal
            stage = Stage::Dealing;
            return;
        case Stage::Dealing:
            if (!waiting || program.engine.table().gamePhase == corvane::GamePhase::Idle)
                return;
            std::printf("resident memory with a hand dealt: %ld KiB (peak %ld KiB)\n",
                        statusKb("VmRSS:"), statusKb("VmHWM:"));
            // From here on nothing watches: the program alone waits for the player.
            watch.stop();
            idleCpuStart = cpuSeconds();
            QTimer::singleShot(idleSeconds * 1000, [&] {
                const double used = cpuSeconds() - idleCpuStart;
                std::printf("processor use while waiting for the player over %d s: %.2f%% of a "
                            "core (%.1f ms)\n",
                            idleSeconds, 100.0 * used / idleSeconds, used * 1000.0);
                QApplication::quit();
            });
            stage = Stage::Idle;
            return;
        case Stage::Idle:
            return;
        }
    });
    watch.start();
    return QApplication::exec();
}
