// The command-line conventions of the Corvane programs, over CLI11: --help and --version on
// standard output with exit 0, a refused argument named on standard error with exit 2, a run
// that fails (a lost write to standard output too) with exit 1, and a later option overriding
// an earlier one, so that a wrapper can put its defaults first. The game, the server and the
// tools share it; it stands on CLI11 alone.
#pragma once

#include "corvane_version.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>

namespace corvane::cli {

// Exit codes shared by the programs.
inline constexpr int ExitRunFailed = 1;
inline constexpr int ExitUsage = 2;

// A program's application with the shared --version flag, error format and option rules.
inline void setUp(CLI::App& app) {
    app.set_help_flag("-h,--help", "Print this help and exit");
    app.set_version_flag("--version", std::string(app.get_name()) + " " + VersionText,
                         "Print the version and exit");
    app.failure_message([](const CLI::App* a, const CLI::Error& e) {
        return a->get_name() + ": " + e.what() + "\nTry '" + a->get_name() +
               " --help' for more information.\n";
    });
    app.option_defaults()->always_capture_default()->multi_option_policy(
        CLI::MultiOptionPolicy::TakeLast);
}

// A number as the help and the messages show it: 0.01 and 65535, not 0.010000 or 65535.000000.
template <typename T> std::string numberText(T value) {
    char text[64];
    std::to_chars_result written{};
    if constexpr (std::is_floating_point_v<T>)
        written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    if (written.ec != std::errc{} || written.ptr == nullptr)
        written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

// A number option's check, put on with transform(): a non-number and a number out of range are
// told apart, and the help shows the range as LOW-HIGH. Decimal only, as a person writes it:
// the value is handed on rewritten, so that CLI11 reads no "010" as octal and no "-1" as 2^64-1.
template <typename T> CLI::Validator range(T low, T high) {
    const std::string span = numberText(low) + "-" + numberText(high);
    return CLI::Validator(
        [low, high, span](std::string& text) -> std::string {
            T value{};
            const char* end = text.data() + text.size();
            const auto [stop, ec] = std::from_chars(text.data(), end, value);
            // "-1" is a whole number, if not one an unsigned option takes.
            const bool negativeWhole = std::is_unsigned_v<T> && text.size() > 1 && text[0] == '-' &&
                                       text.find_first_not_of("0123456789", 1) == text.npos;
            if (ec == std::errc::result_out_of_range || negativeWhole)
                return text + " is out of range (" + span + ")";
            if (ec != std::errc{} || stop != end || text.empty() ||
                (std::is_floating_point_v<T> && !std::isfinite(static_cast<double>(value))))
                return text +
                       (std::is_integral_v<T> ? " is not a whole number" : " is not a number");
            if (value < low || value > high)
                return text + " is out of range (" + span + ")";
            text = numberText(value);
            return {};
        },
        span);
}

// A 64-bit seed: every value from 0 to 2^64 - 1, and nothing else (no sign, no wrapping).
inline CLI::Option* addSeed(CLI::App& app, std::uint64_t& seed, const std::string& help) {
    return app.add_option("--seed", seed, help)
        ->type_name("S")
        ->transform(range(std::uint64_t{0}, std::numeric_limits<std::uint64_t>::max()));
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

// The exit code once everything has been written: a program whose output was lost (a full disk,
// a closed pipe) did not do what it was asked, whatever it ran into before.
inline int finish(const char* name, int code) {
    std::cout.flush();
    if (std::fflush(stdout) == 0 && !std::ferror(stdout) && std::cout.good())
        return code;
    const int error = errno;
    std::fprintf(stderr, "%s: cannot write to standard output: %s\n", name,
                 std::strerror(error != 0 ? error : EIO));
    return ExitRunFailed;
}

} // namespace corvane::cli
