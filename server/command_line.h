// The command-line conventions of the Corvane programs, over CLI11: --help and --version on
// standard output with exit 0, a refused argument named on standard error with exit 2, and a
// later option overriding an earlier one, so that a wrapper can put its defaults first. The
// server and the tools share it; it stands on CLI11 alone.
#pragma once

#include "corvane_version.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdint>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

namespace corvane::cli {

// Exit codes shared by the programs.
inline constexpr int ExitRunFailed = 1;
inline constexpr int ExitUsage = 2;

// A program's application with the shared --version flag, error format and option rules.
inline void setUp(CLI::App& app) {
    app.set_version_flag("--version", std::string(app.get_name()) + " " + VersionText,
                         "Print the version and exit");
    app.failure_message([](const CLI::App* a, const CLI::Error& e) {
        return a->get_name() + ": " + e.what() + "\nTry '" + a->get_name() +
               " --help' for more information.\n";
    });
    app.option_defaults()->always_capture_default()->multi_option_policy(
        CLI::MultiOptionPolicy::TakeLast);
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

// What parsing came to: go on, or exit with the code and what to print.
struct ParseOutcome {
    bool run = false;
    int exitCode = 0;
    std::string out;
    std::string err;
};

// Parses, keeping what would be printed, for a program whose parsing is tested as a function.
inline ParseOutcome parseQuietly(CLI::App& app, int argc, const char* const* argv) {
    ParseOutcome outcome;
    try {
        app.parse(argc, argv);
        outcome.run = true;
    } catch (const CLI::ParseError& error) {
        std::ostringstream out, err;
        // Help and --version end well; anything else is a usage error.
        outcome.exitCode = app.exit(error, out, err) == 0 ? 0 : ExitUsage;
        outcome.out = out.str();
        outcome.err = err.str();
    }
    return outcome;
}

// A usage error found after parsing (two modes at once, say), as CLI11 reports its own.
inline std::string refusal(const CLI::App& app, const std::string& why) {
    std::ostringstream out, err;
    app.exit(CLI::ValidationError(why), out, err);
    return err.str();
}

// Parses and prints; nothing when the program goes on, else the code to exit with.
inline std::optional<int> parse(CLI::App& app, int argc, const char* const* argv) {
    const ParseOutcome outcome = parseQuietly(app, argc, argv);
    std::cout << outcome.out;
    std::cerr << outcome.err;
    return outcome.run ? std::nullopt : std::optional<int>(outcome.exitCode);
}

// Reports a usage error found after parsing; the code to exit with.
inline int refuse(const CLI::App& app, const std::string& why) {
    std::cerr << refusal(app, why);
    return ExitUsage;
}

} // namespace corvane::cli
