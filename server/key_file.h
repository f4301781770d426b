// Reading the lobby's key from a file, so that it is never on the command line.
#pragma once

#include <optional>
#include <string>

namespace corvane::lobby {

// The key on the file's first line (without its line end, first 8 characters), or nothing
// with `error` filled when the file cannot be read or its first line is empty.
std::optional<std::string> readKeyFile(const std::string& path, std::string& error);

} // namespace corvane::lobby
