// A program a test runs in a process of its own: its standard output read line by line through
// a pipe, every wait bounded by a deadline, the process killed when the test is done with it.
// A program that stalls or dies then fails its test with a sentence saying which and how,
// instead of hanging it. Nothing here measures speed: a deadline only turns a hang into a
// failure.
#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace corvane::testing {

using Deadline = std::chrono::steady_clock::time_point;

// A deadline that far from now.
Deadline within(std::chrono::milliseconds wait);

// How the process is started beyond its arguments.
struct Launch {
    std::vector<std::pair<std::string, std::string>> environment;
    // The soft and hard descriptor limit set before the program starts; 0 leaves it.
    unsigned descriptorLimit = 0;
    // Standard error appended to this file; empty: the test's own.
    std::string stderrPath;
};

class ChildProcess {
public:
    // `argv` starts with the program's path.
    explicit ChildProcess(std::vector<std::string> argv, Launch launch = {});
    // Kills the process if it still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    // Reads until a line starts with `prefix`; false at the end of the output or the deadline.
    bool waitForLine(const std::string& prefix, Deadline deadline);
    // The next line; false at the end of the output or the deadline.
    bool nextLine(std::string& line, Deadline deadline);
    // Reads the rest of the output and waits for the end, killing the process at the deadline.
    // The exit code; -1 when it did not exit by itself.
    int finish(Deadline deadline);
    // Ends it now (SIGKILL); finish() then reports it killed.
    void kill();
    // Asks it to end (SIGTERM) and waits, killing it at the deadline; as finish().
    int stop(Deadline deadline);
    // Everything it has printed so far, as it printed it.
    const std::string& output() const { return m_output; }
    // Not ended yet (it is reaped when it has).
    bool running();
    // It has ended, and not because it was killed from here.
    bool endedByItself() const { return m_state == State::Exited || m_state == State::Signalled; }
    // Every line read so far that starts with `prefix`, without it.
    std::vector<std::string> lines(const std::string& prefix) const;
    // The program, how it ended and its last lines: for a failure message.
    std::string describe() const;

private:
    friend bool finishAll(const std::vector<ChildProcess*>& children, Deadline deadline);
    enum class State { Running, Exited, Signalled, Killed, KilledAtDeadline, KilledAfterOther };
    // Takes what the pipe holds now into lines; false at its end.
    bool readAvailable();
    void takeLines();
    // Waits for the end of the process until the deadline; true when it ended.
    bool reap(Deadline deadline);
    void killAs(State state);

    std::string m_command;
    pid_t m_pid = -1;
    int m_out = -1;
    int m_exited = -1; // a pidfd: readable once the process has ended
    State m_state = State::Running;
    bool m_reaped = false;
    int m_code = -1;
    int m_signal = 0;
    std::string m_output;
    std::string m_partial;
    std::vector<std::string> m_lines;
    std::size_t m_taken = 0; // lines handed out by nextLine
};

// A program run to its end: its exit code (-1 when it did not exit by itself) and what it
// printed.
struct ProcessRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs `argv` (the program's path first) to its end, killing it at the deadline; for programs
// that end on their own.
ProcessRun runProgram(std::vector<std::string> argv,
                      Deadline deadline = within(std::chrono::seconds(60)));

// Waits for every child together until the deadline. The first to fail (a non-zero exit or a
// signal) has the others killed at once, since they would wait for it forever; at the deadline
// every one still running is killed. True when all exited with 0.
bool finishAll(const std::vector<ChildProcess*>& children, Deadline deadline);

} // namespace corvane::testing
