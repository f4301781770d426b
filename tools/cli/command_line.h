// The command-line conventions of the Corvane tools, over CLI11: --help and --version on standard
// output with exit 0, a refused argument named on standard error with exit 2.
#pragma once

#include "corvane_version.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

namespace corvane::cli {

// Exit codes shared by the tools.
inline constexpr int ExitRunFailed = 1;
inline constexpr int ExitUsage = 2;

// A tool's application with the shared --version flag and error format.
inline void setUp(CLI::App& app) {
    app.set_version_flag("--version", std::string(app.get_name()) + " " + VersionText,
                         "Print the version and exit");
    app.failure_message([](const CLI::App* a, const CLI::Error& e) {
        return a->get_name() + ": " + e.what() + "\nTry '" + a->get_name() +
               " --help' for more information.\n";
    });
}

// A 64-bit seed: every value from 0 to 2^64 - 1, and nothing else (no sign, no wrapping).
inline CLI::Option* addSeed(CLI::App& app, std::uint64_t& seed, const std::string& help) {
    const auto read = [](const std::string& text, std::uint64_t& out) {
        const char* end = text.data() + text.size();
        const auto [stop, ec] = std::from_chars(text.data(), end, out);
        return ec == std::errc{} && stop == end && !text.empty();
    };
    return app
        .add_option_function<std::string>(
            "--seed",
            [&seed, read](const std::string& text) {
                if (!read(text, seed))
                    throw CLI::ValidationError("--seed", text + " is not a seed");
            },
            help)
        ->type_name("S")
        ->check(CLI::Validator(
            [read](std::string& text) {
                std::uint64_t ignored = 0;
                return read(text, ignored)
                           ? std::string()
                           : text + " is not a whole number from 0 to 18446744073709551615";
            },
            "0-18446744073709551615"));
}

// Parses; nothing when the program goes on, else the code to exit with (0 after --help or
// --version).
inline std::optional<int> parse(CLI::App& app, int argc, char** argv) {
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : ExitUsage;
    }
    return std::nullopt;
}

// A usage error found after parsing (two modes at once, say), reported as CLI11 reports its own.
inline int refuse(const CLI::App& app, const std::string& why) {
    return app.exit(CLI::ValidationError(why)) == 0 ? 0 : ExitUsage;
}

} // namespace corvane::cli
