// The lobby client's pieces below its lifecycle: the guard every outside call passes through,
// what teardown retires, and the receivers of its three kinds of connection (the host channel's
// forwarder, the table-list reader, the join gate of a player channel).
#pragma once

#include "flow/engine.h"
#include "online/host.h"
#include "online/lobby_client.h"
#include "online/seat.h"
#include "protocol/decoder.h"
#include "table/random.h"

#include <string>

namespace corvane::online {

// Every call into the client from outside (the person, a connection, a time limit) passes
// through one of these. What teardown retired during the call may still be running below it (a
// seat's handler is called from inside the seat); it is freed when the outermost call returns,
// and before the next one begins.
class LobbyClient::Entry {
public:
    explicit Entry(LobbyClient& client) : m_client(client) {
        if (m_client.m_depth++ == 0)
            m_client.buryRetired();
    }
    ~Entry() {
        if (--m_client.m_depth == 0)
            m_client.buryRetired();
    }
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

private:
    LobbyClient& m_client;
};

// Taken off the table by teardown: the users before the channels they use, the host before its
// engine.
struct LobbyClient::Retired {
    explicit Retired(Connector& connector) : connector(connector) {}
    ~Retired() {
        host.reset();
        seat.reset();
        engine.reset();
        random.reset();
        for (Channel* channel : channels)
            connector.discard(channel);
    }
    Connector& connector;
    std::unique_ptr<Host> host;
    std::unique_ptr<Seat> seat;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Random> random;
    std::vector<Channel*> channels;
};

// The host channel's receiver: the host, entered through the client.
class LobbyClient::Forward final : public Channel::Receiver {
public:
    explicit Forward(LobbyClient& client) : m_client(client) {}
    void to(Channel::Receiver* receiver) { m_to = receiver; }
    void received(std::string_view bytes) override {
        Entry entry(m_client);
        if (m_to)
            m_to->received(bytes);
    }
    void closed() override {
        Entry entry(m_client);
        if (m_to)
            m_to->closed();
    }

private:
    LobbyClient& m_client;
    Channel::Receiver* m_to = nullptr;
};

// The table list's answers: one table per "G", "U" for none, or a refused key. A lobby answers
// each "Q" with at most 21 rows; anything it cannot read, or rows beyond what was asked for, is
// a broken server: the connection is closed once, with a message.
class LobbyClient::ListReader final : public Channel::Receiver {
public:
    explicit ListReader(LobbyClient& client) : m_client(client) {}
    // A new connection: nothing of the last one is left in the decoder.
    void reset() {
        m_decoder = {};
        m_rowsAllowed = 0;
    }
    void asked() { m_rowsAllowed += MaxTables; }
    void received(std::string_view bytes) override {
        Entry entry(m_client);
        m_decoder.feed(bytes);
        while (auto decoded = m_decoder.next()) {
            if (auto* table = std::get_if<protocol::TableEntry>(&decoded->message)) {
                if (--m_rowsAllowed < 0)
                    return m_client.listBroken("more tables than the lobby may list");
                m_client.listedTable({table->name, table->id, table->occupants});
            } else if (std::holds_alternative<protocol::KeyRefused>(decoded->message)) {
                m_client.listKeyRefused();
            } else if (std::holds_alternative<protocol::Notice>(decoded->message)) {
                m_client.listEmpty();
            }
        }
        if (m_decoder.failed())
            m_client.listBroken(m_decoder.error());
    }
    void closed() override {}

private:
    LobbyClient& m_client;
    protocol::HostDownDecoder m_decoder;
    int m_rowsAllowed = 0;
};

// A player channel's receiver. While a join waits for its answer, a first message "N" is the
// server refusing the key (once the seat is taken the same letter is a misdeal), and the
// channel closing is the table that has just ended (the person never sat down, so no host was
// lost). Everything else goes to the seat, which reads "Y" or the seat list of a refusal.
class LobbyClient::JoinGate final : public Channel::Receiver {
public:
    explicit JoinGate(LobbyClient& client) : m_client(client) {}
    // `passed`: the host's own seat, which has no answer to wait for.
    void guard(Seat* seat, bool passed) {
        m_seat = seat;
        m_passed = passed;
        m_decoder = {};
        m_held.clear();
    }
    void received(std::string_view bytes) override {
        Entry entry(m_client);
        if (!m_seat)
            return;
        if (m_passed)
            return m_seat->received(bytes);
        m_held.append(bytes);
        m_decoder.feed(bytes);
        const auto first = m_decoder.next();
        if (!first && !m_decoder.failed())
            return; // the first message is not whole yet
        if (first && std::holds_alternative<protocol::Misdeal>(first->message))
            return m_client.keyRefused();
        m_passed = true;
        const std::string held = std::exchange(m_held, {});
        m_seat->received(held);
    }
    void closed() override {
        Entry entry(m_client);
        if (!m_seat)
            return;
        if (m_seat->seated())
            m_seat->closed();
        else
            m_client.joinClosed();
    }

private:
    LobbyClient& m_client;
    Seat* m_seat = nullptr;
    bool m_passed = false;
    protocol::PlayerDownDecoder m_decoder;
    std::string m_held;
};

} // namespace corvane::online
