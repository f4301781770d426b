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

inline Deadline within(std::chrono::milliseconds wait) {
    return std::chrono::steady_clock::now() + wait;
}

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
    // The next line; false at the end of the output or the deadline.
    bool nextLine(std::string& line, Deadline deadline);
    // Reads until a line starts with `prefix`; false at the end of the output or the deadline.
    bool waitForLine(const std::string& prefix, Deadline deadline);
    // Reads the rest of the output and waits for the end, killing the process at the deadline.
    // The exit code; -1 when it did not exit by itself.
    int finish(Deadline deadline);
    // Ends it now (SIGKILL).
    void kill() { end("killed by the test"); }
    // Everything it has printed so far, as it printed it.
    const std::string& output() const { return m_output; }
    // It has ended, and not because it was killed from here.
    bool endedByItself() const { return m_reaped && m_killed == nullptr; }
    // Every line printed so far that starts with `prefix`, without it.
    std::vector<std::string> lines(const std::string& prefix = "") const;
    // The program, how it ended and its last lines: for a failure message.
    std::string describe() const;

private:
    // Reads what comes by the deadline; false at the end of the output or the deadline.
    bool readSome(Deadline deadline);
    // Waits for the end: called once the output has ended (or the process was killed).
    void reap();
    // SIGKILL, saying why, keeping what it printed up to then.
    void end(const char* why);
    int exitCode() const;

    std::string m_command;
    pid_t m_pid = -1;
    int m_out = -1;
    bool m_reaped = false;
    int m_status = 0;
    const char* m_killed = nullptr;
    std::string m_output;
    std::size_t m_taken = 0; // of the output, handed out by nextLine
};

// A new empty file of this process's own (test cases run side by side), named from `prefix`.
std::string temporaryFile(const std::string& prefix);

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

// Waits for each child in turn until the deadline, killing those still running then. Nothing
// when all exited with 0; otherwise how each ended, for a failure message. Their output is read
// one after another: a bot prints some kilobytes, far under what a pipe holds, and one that fails
// ends its table, so the others end too.
std::string finishAll(const std::vector<ChildProcess*>& children, Deadline deadline);

} // namespace corvane::testing
