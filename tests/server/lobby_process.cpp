// Starting and stopping the real corvane-lobby, and the blocking test clients.
#include "tests/server/lobby_process.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <regex>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace corvane::testing {

namespace {

std::string readAll(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// In the child after fork: becomes the program of `args` (its path first).
[[noreturn]] void execute(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

} // namespace

LobbyProcess::LobbyProcess(std::vector<std::string> extraArgs, LobbyLaunch launch) {
    std::vector<std::string> args{
        CORVANE_LOBBY_BINARY, "--address", "127.0.0.1", "--list-port", "0", "--host-port", "0",
        "--player-port",      "0"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    if (launch.keepLog) {
        char path[] = "/tmp/corvane-lobby-log-XXXXXX";
        const int fd = mkstemp(path);
        if (fd < 0) {
            throw std::runtime_error("mkstemp failed");
        }
        ::close(fd);
        m_logPath = path;
    }
    int out[2];
    if (pipe(out) != 0) {
        throw std::runtime_error("pipe failed");
    }
    m_pid = fork();
    if (m_pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (m_pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        if (!m_logPath.empty()) {
            const int log = ::open(m_logPath.c_str(), O_WRONLY | O_APPEND);
            dup2(log, STDERR_FILENO);
            ::close(log);
        }
        if (launch.descriptorLimit > 0) {
            const rlimit limit{launch.descriptorLimit, launch.descriptorLimit};
            setrlimit(RLIMIT_NOFILE, &limit);
        }
        for (const auto& [name, value] : launch.environment) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        execute(args);
    }
    ::close(out[1]);
    // The server's first line names the ports it got.
    std::string line;
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n') {
        line += c;
    }
    ::close(out[0]);
    std::smatch match;
    static const std::regex ports("list=(\\d+) host=(\\d+) player=(\\d+)");
    if (!std::regex_search(line, match, ports)) {
        throw std::runtime_error("corvane-lobby did not report its ports: " + line);
    }
    m_list = static_cast<std::uint16_t>(std::stoi(match[1]));
    m_host = static_cast<std::uint16_t>(std::stoi(match[2]));
    m_player = static_cast<std::uint16_t>(std::stoi(match[3]));
}

LobbyProcess::~LobbyProcess() {
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
    if (!m_logPath.empty()) {
        std::remove(m_logPath.c_str());
    }
}

std::string LobbyProcess::log() const {
    return readAll(m_logPath);
}

bool LobbyProcess::waitForLog(const std::string& text) const {
    // The log is a file the server appends to; a short pause between looks, bounded.
    for (int i = 0; i < 200; ++i) {
        if (log().find(text) != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

ProcessRun runProgram(std::vector<std::string> args) {
    // Test cases run side by side: the files are this process's own.
    char outPath[] = "/tmp/corvane-run-out-XXXXXX";
    char errPath[] = "/tmp/corvane-run-err-XXXXXX";
    const int out = mkstemp(outPath);
    const int err = mkstemp(errPath);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        execute(args);
    }
    ::close(out);
    ::close(err);
    int status = 0;
    waitpid(pid, &status, 0);
    ProcessRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(outPath),
                   readAll(errPath)};
    std::remove(outPath);
    std::remove(errPath);
    return run;
}

RawClient::RawClient(std::uint16_t port, const std::string& from) : m_socket(m_io) {
    m_socket.open(asio::ip::tcp::v4());
    m_socket.bind({asio::ip::make_address(from), 0});
    m_socket.connect({asio::ip::make_address("127.0.0.1"), port});
    m_socket.set_option(asio::ip::tcp::no_delay(true));
    timeval limit{10, 0};
    setsockopt(m_socket.native_handle(), SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
}

void RawClient::send(std::string_view bytes) {
    asio::write(m_socket, asio::buffer(bytes));
}

void RawClient::finishSending() {
    asio::error_code ignored;
    m_socket.shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
}

// Plain recv: it honours the socket's receive limit, where a blocking Asio read would wait on.
std::optional<std::string> RawClient::readSome() {
    char buffer[4096];
    const ssize_t n = ::recv(m_socket.native_handle(), buffer, sizeof buffer, 0);
    if (n <= 0) {
        return std::nullopt;
    }
    return std::string(buffer, static_cast<std::size_t>(n));
}

bool RawClient::waitForClose() {
    char buffer[4096];
    while (true) {
        const ssize_t n = ::recv(m_socket.native_handle(), buffer, sizeof buffer, 0);
        if (n == 0 || (n < 0 && errno == ECONNRESET)) {
            return true;
        }
        if (n < 0) {
            return false;
        }
    }
}

bool RawClient::readable() {
    pollfd entry{m_socket.native_handle(), POLLIN, 0};
    return ::poll(&entry, 1, 0) > 0;
}

bool RawClient::readableWithin(std::chrono::milliseconds wait) {
    pollfd entry{m_socket.native_handle(), POLLIN, 0};
    return ::poll(&entry, 1, static_cast<int>(wait.count())) > 0;
}

void RawClient::close() {
    asio::error_code ignored;
    m_socket.close(ignored);
}

} // namespace corvane::testing
