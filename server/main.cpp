// corvane-lobby: lists the tables waiting for players and relays every message of a table
// between its host and its seated players.
#include "server/event_log.h"
#include "server/listener.h"
#include "server/lobby.h"
#include "server/options.h"

#include <asio.hpp>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

// Every table holds five connections; the default soft limit of 1024 would cap the server at
// about two hundred tables.
void raiseDescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

} // namespace

int main(int argc, char** argv) {
    using namespace corvane::lobby;
    std::string message;
    const std::optional<ServerOptions> options =
        parseOptions(std::vector<std::string>(argv + 1, argv + argc), message);
    if (!options) {
        std::cerr << message;
        return message.rfind("usage:", 0) == 0 ? 0 : 2;
    }
    setLogEnabled(!options->quiet);
    raiseDescriptorLimit();
    // Asio sends with MSG_NOSIGNAL; this covers any write that would not, so that a peer
    // that vanishes mid-send can never end the server.
    std::signal(SIGPIPE, SIG_IGN);

    try {
        asio::io_context io(1);
        Lobby lobby(options->key);
        Listener listener(io, *options, lobby);
        listener.open();

        asio::signal_set signals(io, SIGINT, SIGTERM);
        signals.async_wait([&](const asio::error_code&, int signal) {
            logLine("stopping on signal " + std::to_string(signal));
            io.stop();
        });

        // The first line on standard output names the ports, which matters when the system
        // picked them (port 0).
        std::printf("corvane-lobby listening on %s list=%u host=%u player=%u\n",
                    options->address.c_str(), listener.port(Channel::List),
                    listener.port(Channel::Host), listener.port(Channel::Player));
        std::fflush(stdout);
        logLine("listening on " + options->address + " ports " +
                std::to_string(listener.port(Channel::List)) + ", " +
                std::to_string(listener.port(Channel::Host)) + ", " +
                std::to_string(listener.port(Channel::Player)) +
                (options->key ? ", key required" : ", any key"));
        io.run();
    } catch (const std::exception& error) {
        std::cerr << "corvane-lobby: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
