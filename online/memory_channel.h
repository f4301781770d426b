// A channel held in memory, for tests and for wiring a host to its own table without a socket:
// what is sent is kept for the test to read, and the test plays the server's part by feeding
// bytes in or closing the far end.
#pragma once

#include "online/channel.h"

#include <string>

namespace corvane::online {

class MemoryChannel final : public Channel {
public:
    void send(std::string_view bytes) override {
        if (m_open)
            m_sent.append(bytes);
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }

    // Everything sent since the last call.
    std::string takeSent() {
        std::string sent;
        sent.swap(m_sent);
        return sent;
    }
    // The server's side: bytes arrive, or the connection ends.
    void arrive(std::string_view bytes) { deliver(bytes); }
    void peerCloses() {
        if (!m_open)
            return;
        m_open = false;
        deliverClosed();
    }

private:
    std::string m_sent;
    bool m_open = true;
};

} // namespace corvane::online
