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
#include <sys/wait.h>
#include <unistd.h>

namespace corvane::testing {

ChildProcess::ChildProcess(std::vector<std::string> argv, Launch launch) {
    for (const std::string& arg : argv)
        m_command += m_command.empty() ? arg.substr(arg.rfind('/') + 1) : " " + arg;
    // Close-on-exec, so that no other child holds this pipe open and hides its end.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    const int err =
        launch.stderrPath.empty()
            ? -1
            : ::open(launch.stderrPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
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
        const rlimit limit{launch.descriptorLimit, launch.descriptorLimit};
        if (launch.descriptorLimit > 0)
            setrlimit(RLIMIT_NOFILE, &limit);
        for (const auto& [name, value] : launch.environment)
            setenv(name.c_str(), value.c_str(), 1);
        execv(args[0], args.data());
        _exit(127);
    }
    ::close(fds[1]);
    if (err >= 0)
        ::close(err);
    m_out = fds[0];
}

ChildProcess::~ChildProcess() {
    if (!m_reaped) {
        ::kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0)
        ::close(m_out);
}

bool ChildProcess::readSome(Deadline deadline) {
    pollfd entry{m_out, POLLIN, 0};
    int ready = -1;
    while (m_out >= 0 && ready < 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        ready =
            ::poll(&entry, 1, static_cast<int>(std::clamp<long long>(left.count(), 0, 1 << 30)));
        if (ready < 0 && errno != EINTR)
            return false;
    }
    char buffer[4096];
    const ssize_t n = ready > 0 ? ::read(m_out, buffer, sizeof buffer) : -1;
    if (n > 0)
        m_output.append(buffer, static_cast<std::size_t>(n));
    else if (ready > 0) {
        ::close(m_out);
        m_out = -1;
    }
    return n > 0;
}

void ChildProcess::reap() {
    if (!m_reaped && waitpid(m_pid, &m_status, 0) == m_pid)
        m_reaped = true;
}

void ChildProcess::end(const char* why) {
    if (m_reaped)
        return;
    ::kill(m_pid, SIGKILL);
    m_killed = why;
    reap();
    while (readSome(within(std::chrono::seconds(1)))) {
    }
}

int ChildProcess::exitCode() const {
    return endedByItself() && WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
}

bool ChildProcess::nextLine(std::string& line, Deadline deadline) {
    std::size_t end;
    while ((end = m_output.find('\n', m_taken)) == std::string::npos) {
        if (readSome(deadline))
            continue;
        if (m_out >= 0 || m_taken == m_output.size())
            return false;
        // At the end of the output, a last line without its newline counts too.
        end = m_output.size();
        break;
    }
    line = m_output.substr(m_taken, end - m_taken);
    m_taken = std::min(end + 1, m_output.size());
    return true;
}

bool ChildProcess::waitForLine(const std::string& prefix, Deadline deadline) {
    std::string line;
    while (nextLine(line, deadline))
        if (line.starts_with(prefix))
            return true;
    return false;
}

int ChildProcess::finish(Deadline deadline) {
    while (readSome(deadline)) {
    }
    // Its output has ended, so it is ending; or the deadline came first.
    if (m_out >= 0)
        end("still running at its deadline, killed");
    reap();
    return exitCode();
}

std::vector<std::string> ChildProcess::lines(const std::string& prefix) const {
    std::vector<std::string> out;
    for (std::size_t at = 0, end; at < m_output.size(); at = end + 1) {
        end = std::min(m_output.find('\n', at), m_output.size());
        if (m_output.compare(at, prefix.size(), prefix) == 0)
            out.push_back(m_output.substr(at + prefix.size(), end - at - prefix.size()));
    }
    return out;
}

std::string ChildProcess::describe() const {
    std::string out = m_command + ": ";
    if (!m_reaped || m_killed)
        out += m_killed ? m_killed : "still running";
    else if (WIFEXITED(m_status))
        out += "exited with " + std::to_string(WEXITSTATUS(m_status));
    else
        out += "killed by signal " + std::to_string(WTERMSIG(m_status));
    const std::vector<std::string> all = lines();
    out += all.empty() ? "; it printed nothing" : "; its last lines:";
    for (std::size_t i = all.size() - std::min<std::size_t>(all.size(), 8); i < all.size(); ++i)
        out += "\n    " + all[i];
    return out;
}

std::string temporaryFile(const std::string& prefix) {
    std::string path = "/tmp/" + prefix + "-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd < 0)
        throw std::runtime_error("mkstemp failed");
    ::close(fd);
    return path;
}

ProcessRun runProgram(std::vector<std::string> argv, Deadline deadline) {
    const std::string errPath = temporaryFile("corvane-run-err");
    ProcessRun run;
    {
        ChildProcess child(std::move(argv), Launch{{}, 0, errPath});
        run.exitCode = child.finish(deadline);
        run.out = child.output();
    }
    std::ifstream file(errPath);
    run.err.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    std::remove(errPath.c_str());
    return run;
}

std::string finishAll(const std::vector<ChildProcess*>& children, Deadline deadline) {
    bool allExited = true;
    for (ChildProcess* child : children)
        allExited = child->finish(deadline) == 0 && allExited;
    std::string why;
    for (const ChildProcess* child : children)
        why += allExited ? "" : "\n" + child->describe();
    return why;
}

} // namespace corvane::testing
