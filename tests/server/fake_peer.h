// A connection as the lobby sees it, with no socket: what the lobby delivers is kept, a close
// it asks for is only marked, and every list and chat line it asks leave for is given; and what
// a session does with such connections. Shared by the lobby's scripted rules and its fuzz
// target.
#pragma once

#include "protocol/decoder.h"
#include "server/lobby.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace corvane::testing {

struct FakePeer final : lobby::Peer {
    FakePeer(std::uint64_t id, lobby::Channel channel, std::string address)
        : m_id(id), m_channel(channel), m_address(std::move(address)) {
        if (channel == lobby::Channel::Host)
            decoder.emplace<protocol::HostUpDecoder>();
        else if (channel == lobby::Channel::Player)
            decoder.emplace<protocol::PlayerUpDecoder>();
    }
    std::uint64_t id() const override { return m_id; }
    lobby::Channel channel() const override { return m_channel; }
    const std::string& address() const override { return m_address; }
    // As the real connection: nothing more goes out once it is ending.
    void deliver(std::string_view bytes) override {
        if (!closing)
            got += bytes;
    }
    void closeSoon(std::string) override { closing = true; }
    void setIdentified(bool) override {}
    lobby::ListAllowance takeList() override { return lobby::ListAllowance::Given; }
    bool takeChatLine() override { return true; }

    std::variant<protocol::ListUpDecoder, protocol::HostUpDecoder, protocol::PlayerUpDecoder>
        decoder;
    std::string got;
    bool closing = false;

private:
    std::uint64_t m_id;
    lobby::Channel m_channel;
    std::string m_address;
};

// Bytes arriving on a connection, as its session hands them over: decoded, each message to the
// lobby, the connection ended at the first malformed one.
inline void arrive(lobby::Lobby& lobby, FakePeer& peer, std::string_view bytes) {
    std::visit(
        [&](auto& decoder) {
            decoder.feed(bytes);
            while (!peer.closing)
                if (auto decoded = decoder.next())
                    lobby.received(peer, *decoded);
                else
                    break;
            peer.closing = peer.closing || decoder.failed();
        },
        peer.decoder);
}

// Connections that asked to end end once the lobby returns, as the real ones do: freed at once
// (a later use is a sanitizer's error), or kept in `gone` to be read. The first of the lobby's
// rules then broken.
template <class Peers>
std::optional<std::string> settle(lobby::Lobby& lobby, Peers& peers, Peers* gone = nullptr) {
    for (auto it = peers.begin(); it != peers.end();) {
        if (!it->second->closing) {
            ++it;
            continue;
        }
        lobby.closed(*it->second);
        auto node = peers.extract(it++);
        if (gone)
            gone->insert(std::move(node));
        if (auto broken = lobby.brokenRule())
            return broken;
    }
    return lobby.brokenRule();
}

} // namespace corvane::testing
