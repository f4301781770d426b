// A connection as the lobby sees it, with no socket: what the lobby delivers is kept, a close
// it asks for is only marked, and every list and chat line it asks leave for is given. Shared
// by the lobby's scripted rules and its fuzz target.
#pragma once

#include "protocol/decoder.h"
#include "server/lobby.h"

#include <string>
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
    bool gone = false;

private:
    std::uint64_t m_id;
    lobby::Channel m_channel;
    std::string m_address;
};

} // namespace corvane::testing
