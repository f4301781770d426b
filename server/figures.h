// The log's one-line figure of what the server holds and has done since it started.
#pragma once

#include "server/connection_registry.h"
#include "server/lobby.h"

#include <string>

namespace corvane::lobby {

std::string figuresLine(const Lobby& lobby, const ConnectionRegistry& registry);

} // namespace corvane::lobby
