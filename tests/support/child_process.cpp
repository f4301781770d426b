// Starting, reading, waiting for and killing a test's child process.
#include "tests/support/child_process.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <signal.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvane::testing {

namespace {

// Milliseconds left until the deadline, for poll(); 0 once it has passed.
int msLeft(Deadline deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, 1 << 30));
}

std::string commandLine(const std::vector<std::string>& argv) {
    std::string out;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        out += i == 0 ? arg.substr(arg.rfind('/') + 1) : " " + arg;
    }
    return out;
}

} // namespace

Deadline within(std::chrono::milliseconds wait) {
    return std::chrono::steady_clock::now() + wait;
}

ChildProcess::ChildProcess(std::vector<std::string> argv, Launch launch)
    : m_command(commandLine(argv)) {
    // Close-on-exec, so that no other child holds this pipe open and hides its end.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    int err = -1;
    if (!launch.stderrPath.empty()) {
        err = ::open(launch.stderrPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
        if (err < 0)
            throw std::runtime_error("cannot open " + launch.stderrPath);
    }
    std::vector<char*> args;
    for (std::string& arg : argv)
        args.push_back(arg.data());
    args.push_back(nullptr);
    m_pid = fork();
    if (m_pid < 0)
        throw std::runtime_error("fork failed");
    if (m_pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        if (err >= 0)
            dup2(err, STDERR_FILENO);
        if (launch.descriptorLimit > 0) {
            const rlimit limit{launch.descriptorLimit, launch.descriptorLimit};
            setrlimit(RLIMIT_NOFILE, &limit);
        }
        for (const auto& [name, value] : launch.environment)
            setenv(name.c_str(), value.c_str(), 1);
        execv(args[0], args.data());
        _exit(127);
    }
    ::close(fds[1]);
    if (err >= 0)
        ::close(err);
    m_out = fds[0];
    fcntl(m_out, F_SETFL, fcntl(m_out, F_GETFL) | O_NONBLOCK);
    // Called directly: this C library's header declares it without C linkage.
    m_exited = static_cast<int>(syscall(SYS_pidfd_open, m_pid, 0));
}

ChildProcess::~ChildProcess() {
    if (m_state == State::Running) {
        ::kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0)
        ::close(m_out);
    if (m_exited >= 0)
        ::close(m_exited);
}

bool ChildProcess::readAvailable() {
    char buffer[4096];
    while (true) {
        const ssize_t n = ::read(m_out, buffer, sizeof buffer);
        if (n > 0) {
            m_output.append(buffer, static_cast<std::size_t>(n));
            m_partial.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            takeLines();
            return true;
        }
        // The end of the output: a last line without its newline counts too.
        takeLines();
        if (!m_partial.empty())
            m_lines.push_back(std::move(m_partial));
        m_partial.clear();
        ::close(m_out);
        m_out = -1;
        return false;
    }
}

void ChildProcess::takeLines() {
    std::size_t start = 0;
    for (std::size_t end; (end = m_partial.find('\n', start)) != std::string::npos; start = end + 1)
        m_lines.push_back(m_partial.substr(start, end - start));
    m_partial.erase(0, start);
}

bool ChildProcess::nextLine(std::string& line, Deadline deadline) {
    while (m_taken == m_lines.size()) {
        if (m_out < 0)
            return false;
        pollfd entry{m_out, POLLIN, 0};
        const int ready = ::poll(&entry, 1, msLeft(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        readAvailable();
    }
    line = m_lines[m_taken++];
    return true;
}

bool ChildProcess::waitForLine(const std::string& prefix, Deadline deadline) {
    std::string line;
    while (nextLine(line, deadline))
        if (line.starts_with(prefix))
            return true;
    return false;
}

bool ChildProcess::reap(Deadline deadline) {
    if (m_reaped)
        return true;
    if (m_exited >= 0) {
        pollfd entry{m_exited, POLLIN, 0};
        while (::poll(&entry, 1, msLeft(deadline)) < 0 && errno == EINTR) {
        }
        if (!(entry.revents & POLLIN))
            return false;
    }
    int status = 0;
    if (waitpid(m_pid, &status, 0) != m_pid)
        return false;
    m_reaped = true;
    if (m_state == State::Running) {
        m_state = WIFEXITED(status) ? State::Exited : State::Signalled;
        m_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    m_signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return true;
}

void ChildProcess::killAs(State state) {
    if (m_state != State::Running)
        return;
    ::kill(m_pid, SIGKILL);
    m_state = state;
    // A killed process ends at once; its output up to then is kept.
    reap(Deadline::max());
    while (m_out >= 0) {
        pollfd entry{m_out, POLLIN, 0};
        if (::poll(&entry, 1, 1000) <= 0)
            break;
        readAvailable();
    }
}

void ChildProcess::kill() {
    killAs(State::Killed);
}

bool ChildProcess::running() {
    if (m_state != State::Running)
        return false;
    return !reap(std::chrono::steady_clock::now());
}

int ChildProcess::finish(Deadline deadline) {
    std::string ignored;
    while (nextLine(ignored, deadline)) {
    }
    if (!reap(deadline))
        killAs(State::KilledAtDeadline);
    return m_state == State::Exited ? m_code : -1;
}

int ChildProcess::stop(Deadline deadline) {
    if (m_state == State::Running)
        ::kill(m_pid, SIGTERM);
    return finish(deadline);
}

std::vector<std::string> ChildProcess::lines(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& line : m_lines)
        if (line.starts_with(prefix))
            out.push_back(line.substr(prefix.size()));
    return out;
}

std::string ChildProcess::describe() const {
    std::string out = m_command + ": ";
    static const char* const how[] = {"still running",
                                      "exited with ",
                                      "killed by signal ",
                                      "killed by the test",
                                      "still running at its deadline, killed",
                                      "killed when another program of the test failed"};
    out += how[static_cast<int>(m_state)];
    if (m_state == State::Exited || m_state == State::Signalled)
        out += std::to_string(m_state == State::Exited ? m_code : m_signal);
    const std::size_t shown = std::min<std::size_t>(m_lines.size(), 8);
    out += shown ? "; its last lines:" : "; it printed nothing";
    for (std::size_t i = m_lines.size() - shown; i < m_lines.size(); ++i)
        out += "\n    " + m_lines[i];
    return out;
}

ProcessRun runProgram(std::vector<std::string> argv, Deadline deadline) {
    // Test cases run side by side: the file is this process's own.
    char errPath[] = "/tmp/corvane-run-err-XXXXXX";
    const int err = mkstemp(errPath);
    if (err < 0)
        throw std::runtime_error("mkstemp failed");
    ::close(err);
    ProcessRun run;
    {
        ChildProcess child(std::move(argv), Launch{{}, 0, errPath});
        run.exitCode = child.finish(deadline);
        run.out = child.output();
    }
    std::ifstream file(errPath);
    run.err.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    std::remove(errPath);
    return run;
}

bool finishAll(const std::vector<ChildProcess*>& children, Deadline deadline) {
    using State = ChildProcess::State;
    const auto failed = [](const ChildProcess* c) {
        return c->m_state == State::Signalled || (c->m_state == State::Exited && c->m_code != 0);
    };
    while (true) {
        std::vector<pollfd> entries;
        std::vector<ChildProcess*> owners;
        for (ChildProcess* c : children) {
            if (c->m_state != State::Running)
                continue;
            if (c->m_out < 0 && c->m_exited < 0) {
                // No pidfd to wait on: the output has ended, so the process is ending.
                c->reap(deadline);
                continue;
            }
            // The output first; once it has ended, the end of the process.
            const int fd = c->m_out >= 0 ? c->m_out : c->m_exited;
            entries.push_back({fd, POLLIN, 0});
            owners.push_back(c);
        }
        if (entries.empty())
            break;
        const int ready = ::poll(entries.data(), entries.size(), msLeft(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            // All at once, so that none sees another go and reacts before it is killed.
            for (ChildProcess* c : owners)
                ::kill(c->m_pid, SIGKILL);
            for (ChildProcess* c : owners)
                c->killAs(State::KilledAtDeadline);
            break;
        }
        bool anyFailed = false;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].revents == 0)
                continue;
            ChildProcess* c = owners[i];
            if (entries[i].fd == c->m_out)
                c->readAvailable();
            else
                c->reap(deadline);
            anyFailed = anyFailed || failed(c);
        }
        if (anyFailed)
            for (ChildProcess* c : children)
                c->killAs(State::KilledAfterOther);
    }
    return std::none_of(children.begin(), children.end(), [](const ChildProcess* c) {
        return c->m_state != State::Exited || c->m_code != 0;
    });
}

} // namespace corvane::testing
