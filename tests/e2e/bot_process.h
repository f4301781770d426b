// A corvane-bot run as its own process, its standard output read line by line through a pipe.
#pragma once

#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace corvane::testing {

class BotProcess {
public:
    explicit BotProcess(std::vector<std::string> args) {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            std::vector<char*> argv;
            args.insert(args.begin(), CORVANE_BOT_BINARY);
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(fds[1]);
        m_out = fdopen(fds[0], "r");
    }
    ~BotProcess() {
        if (m_pid > 0 && !m_reaped) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_out)
            fclose(m_out);
    }
    BotProcess(const BotProcess&) = delete;
    BotProcess& operator=(const BotProcess&) = delete;

    // Reads (blocking) until a line starts with `prefix`; false at the end of the output.
    bool waitForLine(const std::string& prefix) {
        std::string line;
        while (readLine(line))
            if (line.rfind(prefix, 0) == 0)
                return true;
        return false;
    }
    // Reads the rest of the output and the exit status.
    int finish() {
        std::string line;
        while (readLine(line)) {
        }
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_reaped = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void killNow() { kill(m_pid, SIGKILL); }

    // Every line read so far that starts with `prefix`, without it.
    std::vector<std::string> lines(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& l : m_lines)
            if (l.rfind(prefix, 0) == 0)
                out.push_back(l.substr(prefix.size()));
        return out;
    }

private:
    bool readLine(std::string& line) {
        if (!m_out)
            return false;
        char buffer[512];
        if (!fgets(buffer, sizeof buffer, m_out))
            return false;
        line = buffer;
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        m_lines.push_back(line);
        return true;
    }
    pid_t m_pid = -1;
    FILE* m_out = nullptr;
    bool m_reaped = false;
    std::vector<std::string> m_lines;
};

} // namespace corvane::testing
