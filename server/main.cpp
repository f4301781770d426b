// corvane-lobby: lists the tables waiting for players and relays every message of a table
// between its host and its seated players.
#include "server/command_line.h"
#include "server/connection_registry.h"
#include "server/event_log.h"
#include "server/figures.h"
#include "server/key_file.h"
#include "server/listener.h"
#include "server/lobby.h"
#include "server/options.h"

#include <asio.hpp>
#include <csignal>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>
#include <sys/resource.h>

namespace {

using namespace corvane::lobby;

// Every table holds five connections; the default soft limit of 1024 would cap the server at
// about two hundred tables. Returns the limit in force.
rlim_t raiseDescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return 1024;
    }
    if (limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
        getrlimit(RLIMIT_NOFILE, &limit);
    }
    return limit.rlim_cur;
}

// Connections the descriptors allow, keeping some for the listeners, the log and the
// moment between accepting a connection and refusing it.
std::size_t connectionLimit(const ServerOptions& options, rlim_t descriptors) {
    constexpr rlim_t kKept = 32;
    const rlim_t usable = descriptors > 2 * kKept ? descriptors - kKept : descriptors / 2;
    const auto fromDescriptors = static_cast<std::size_t>(std::min<rlim_t>(usable, 10000000));
    return options.maxConnections == 0 ? fromDescriptors
                                       : std::min(options.maxConnections, fromDescriptors);
}

// Waits for the next signal of the set and hands it on, again and again.
void onSignals(asio::signal_set& signals, std::function<void(int)> handler) {
    signals.async_wait([&signals, handler](const asio::error_code& ec, int signal) {
        if (ec) {
            return;
        }
        handler(signal);
        onSignals(signals, handler);
    });
}

void everyInterval(asio::steady_timer& timer, std::chrono::seconds interval,
                   std::function<void()> tick) {
    timer.expires_after(interval);
    timer.async_wait([&timer, interval, tick](const asio::error_code& ec) {
        if (ec) {
            return;
        }
        tick();
        everyInterval(timer, interval, tick);
    });
}

int run(int argc, char** argv) {
    const CommandLine command = parseCommandLine(argc, argv);
    std::cout << command.out;
    std::cerr << command.err;
    if (!command.options) {
        return command.exitCode;
    }
    ServerOptions options = *command.options;
    setLogEnabled(!options.quiet);
    if (!options.keyFile.empty()) {
        std::string error;
        options.key = readKeyFile(options.keyFile, error);
        if (!options.key) {
            std::cerr << "corvane-lobby: " << error << "\n";
            return 1;
        }
    }
    const rlim_t descriptors = raiseDescriptorLimit();
    // Asio sends with MSG_NOSIGNAL; this covers any write that would not, so that a peer
    // that vanishes mid-send can never end the server.
    std::signal(SIGPIPE, SIG_IGN);

    try {
        asio::io_context io(1);
        Lobby lobby(options.key, options.maxTablesPerAddress);
        ConnectionRegistry registry(connectionLimit(options, descriptors),
                                    options.connectionReserve, options.maxConnectionsPerAddress,
                                    AddressListLimit{static_cast<double>(options.addressListBurst),
                                                     options.addressListRate});
        Listener listener(io, options, lobby, registry);
        listener.open();

        asio::signal_set stopSignals(io, SIGINT, SIGTERM);
        stopSignals.async_wait([&](const asio::error_code&, int signal) {
            logLine("stopping on signal " + std::to_string(signal));
            io.stop();
        });
        asio::signal_set otherSignals(io, SIGHUP, SIGUSR1);
        onSignals(otherSignals, [&](int signal) {
            if (signal == SIGUSR1) {
                logLine(figuresLine(lobby, registry));
                return;
            }
            if (options.keyFile.empty()) {
                logLine("SIGHUP received; no --key-file to read again, going on");
                return;
            }
            std::string error;
            if (std::optional<std::string> key = readKeyFile(options.keyFile, error)) {
                lobby.setKey(std::move(key));
                logLine("SIGHUP received; key read again from " + options.keyFile);
            } else {
                logLine("SIGHUP received; keeping the old key: " + error);
            }
        });
        asio::steady_timer figuresTimer(io);
        if (options.statsInterval.count() > 0) {
            everyInterval(figuresTimer, options.statsInterval,
                          [&] { logLine(figuresLine(lobby, registry)); });
        }

        // The first line on standard output names the ports, which matters when the system
        // picked them (port 0).
        const std::string bound = listener.boundAddress();
        std::printf("corvane-lobby listening on %s list=%u host=%u player=%u\n", bound.c_str(),
                    listener.port(Channel::List), listener.port(Channel::Host),
                    listener.port(Channel::Player));
        std::fflush(stdout);
        logLine("listening on " + bound + " ports " + std::to_string(listener.port(Channel::List)) +
                ", " + std::to_string(listener.port(Channel::Host)) + ", " +
                std::to_string(listener.port(Channel::Player)) +
                (options.key ? ", key required" : ", any key") + ", at most " +
                std::to_string(registry.maxConnections()) + " connections");
        io.run();
    } catch (const std::exception& error) {
        std::cerr << "corvane-lobby: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    return corvane::cli::finish("corvane-lobby", run(argc, argv));
}
