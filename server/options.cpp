// Command-line parsing for corvane-lobby.
#include "server/options.h"

#include <charconv>

namespace corvane::lobby {

namespace {

bool parseNumber(const std::string& text, unsigned long long high, unsigned long long& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc{} && ptr == end && out <= high;
}

} // namespace

std::string usage() {
    return "usage: corvane-lobby [options]\n"
           "  --address ADDR        address to listen on (default 0.0.0.0)\n"
           "  --list-port N         table-list port (default 9000; 0 picks a free port)\n"
           "  --host-port N         host-channel port (default 9100; 0 picks a free port)\n"
           "  --player-port N       player-channel port (default 9200; 0 picks a free port)\n"
           "  --key KEY             only hosts and players with this key (first 8 characters)\n"
           "  --hello-timeout S     close a connection that has not said who it is (default 30)\n"
           "  --idle-timeout S      close a connection silent both ways for S seconds "
           "(default 3600)\n"
           "  --max-backlog BYTES   drop a reader that falls this far behind (default 262144)\n"
           "  --max-input-rate B/S  drop a sender above this sustained rate, 0 for none "
           "(default 32768)\n"
           "  --quiet               log nothing\n";
}

std::optional<ServerOptions> parseOptions(const std::vector<std::string>& args,
                                          std::string& message) {
    ServerOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            message = usage();
            return std::nullopt;
        }
        if (name == "--quiet") {
            options.quiet = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            message = "missing value for " + name + "\n" + usage();
            return std::nullopt;
        }
        const std::string& value = args[++i];
        unsigned long long number = 0;
        auto numeric = [&](unsigned long long high) {
            if (!parseNumber(value, high, number)) {
                message = "bad value for " + name + ": " + value + "\n";
                return false;
            }
            return true;
        };
        if (name == "--address") {
            options.address = value;
        } else if (name == "--key") {
            options.key = value.substr(0, 8);
        } else if (name == "--list-port" || name == "--host-port" || name == "--player-port") {
            if (!numeric(65535)) {
                return std::nullopt;
            }
            const auto port = static_cast<std::uint16_t>(number);
            (name == "--list-port"   ? options.listPort
             : name == "--host-port" ? options.hostPort
                                     : options.playerPort) = port;
        } else if (name == "--hello-timeout" || name == "--idle-timeout") {
            if (!numeric(86400 * 7) || number == 0) {
                message = "bad value for " + name + ": " + value + "\n";
                return std::nullopt;
            }
            (name == "--hello-timeout" ? options.helloTimeout : options.idleTimeout) =
                std::chrono::seconds(number);
        } else if (name == "--max-backlog") {
            if (!numeric(1ull << 30) || number < 4096) {
                message = "bad value for " + name + ": " + value + "\n";
                return std::nullopt;
            }
            options.maxBacklog = number;
        } else if (name == "--max-input-rate") {
            if (!numeric(1ull << 30)) {
                return std::nullopt;
            }
            options.maxInputRate = number;
            options.inputBurst = std::max<std::size_t>(number * 4, 4096);
        } else {
            message = "unknown option " + name + "\n" + usage();
            return std::nullopt;
        }
    }
    return options;
}

} // namespace corvane::lobby
