// Composing the figures line.
#include "server/figures.h"

namespace corvane::lobby {

namespace {

// Every kind but the lists, which have their own place in the line.
std::string ignoredCounts(const LobbyCounts& counts) {
    std::string out;
    for (std::size_t kind = index(Ignored::ListTooOften) + 1; kind < kIgnoredKinds; ++kind) {
        out += (out.empty() ? "" : ", ") + std::to_string(counts.ignored[kind]) + " " +
               kIgnoredCounted[kind];
    }
    return out;
}

} // namespace

std::string figuresLine(const Lobby& lobby, const ConnectionRegistry& registry) {
    const auto n = [](auto value) { return std::to_string(value); };
    const LobbyCounts& lobbyCounts = lobby.counts();
    const LimitCounts& limits = registry.counts();
    const std::size_t waiting = lobby.waitingCount();
    return "figures: connections " + n(registry.open()) + " of " + n(registry.maxConnections()) +
           " (list " + n(registry.open(Channel::List)) + ", host " +
           n(registry.open(Channel::Host)) + ", player " + n(registry.open(Channel::Player)) +
           "); tables " + n(waiting) + " waiting, " + n(lobby.tableCount() - waiting) +
           " playing; since start: relayed " + n(lobbyCounts.relayedMessages) + " messages, " +
           n(lobbyCounts.relayedBytes) + " bytes; lists " + n(lobbyCounts.lists) + " sent, " +
           n(lobbyCounts.ignored[index(Ignored::ListTooOften)]) + " dropped over the list rate (" +
           n(lobbyCounts.listsOverAddressRate) + " of them over their address's); refused " +
           n(limits.refusedPerAddress) + " connections over the address cap, " +
           n(limits.refusedFull) + " when full, " + n(lobbyCounts.tablesRefused) +
           " tables over the address cap; evicted " + n(limits.evictedSilent) +
           " silent connections; dropped " + n(limits.droppedSlowReader) + " stalled readers, " +
           n(limits.droppedBacklog) + " over the backlog, " + n(limits.droppedInputRate) +
           " over the input rate; " + n(limits.acceptFailed) + " failed accepts; ignored " +
           ignoredCounts(lobbyCounts);
}

} // namespace corvane::lobby
