// The key file.
#include "server/key_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace corvane::lobby {

std::optional<std::string> readKeyFile(const std::string& path, std::string& error) {
    errno = 0;
    std::ifstream file(path);
    if (!file) {
        error = "cannot read --key-file " + path + ": " +
                (errno != 0 ? std::strerror(errno) : "cannot open");
        return std::nullopt;
    }
    std::string line;
    std::getline(file, line);
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (line.empty()) {
        error = "--key-file " + path + " has no key on its first line";
        return std::nullopt;
    }
    return line.substr(0, 8);
}

} // namespace corvane::lobby
