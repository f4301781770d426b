// What the lobby's programs share on the command line: --version, a later option overriding
// an earlier one, help and the version on standard output, and exit 2 for a usage error.
#pragma once

#include <CLI/CLI.hpp>
#include <sstream>
#include <string>

namespace corvane::lobby {

struct ParseOutcome {
    bool run = false;
    int exitCode = 0;
    std::string out;
    std::string err;
};

// --version prints the program's name and version, as the other programs do.
inline void useCommonRules(CLI::App& app, const std::string& version) {
    app.set_version_flag("--version", app.get_name() + " " + version);
    // A later option overrides an earlier one, so a wrapper can put its defaults first.
    app.option_defaults()->always_capture_default()->multi_option_policy(
        CLI::MultiOptionPolicy::TakeLast);
}

inline ParseOutcome parseWith(CLI::App& app, int argc, const char* const* argv) {
    ParseOutcome outcome;
    try {
        app.parse(argc, argv);
        outcome.run = true;
    } catch (const CLI::ParseError& error) {
        std::ostringstream out, err;
        const int code = app.exit(error, out, err);
        outcome.out = out.str();
        outcome.err = err.str();
        // Help and --version end well; anything else is a usage error.
        outcome.exitCode = code == 0 ? 0 : 2;
    }
    return outcome;
}

} // namespace corvane::lobby
