// The one connection the host or a seated player has to the lobby server, as a byte stream:
// bytes out, bytes in as they arrive, and the end of the connection. The host and the seat are
// written against this and nothing else; the program adapts it to its sockets, the tests to
// memory.
//
// An adapter:
//  - implements send() so that it never blocks: it queues what the socket does not take at once
//    and writes it in order;
//  - calls deliver() with the bytes of each arrival, in order, in any split (the receiver
//    decodes whole messages itself), on the thread that runs the table;
//  - calls deliverClosed() once when the peer closes or the connection fails. After that,
//    send() is ignored.
//  - close() ends the connection from this side and does not call deliverClosed().
#pragma once

#include <string_view>

namespace corvane::online {

class Channel {
public:
    class Receiver {
    public:
        virtual ~Receiver() = default;
        virtual void received(std::string_view bytes) = 0;
        virtual void closed() = 0;
    };

    virtual ~Channel() = default;
    virtual void send(std::string_view bytes) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    void setReceiver(Receiver* receiver) { m_receiver = receiver; }

protected:
    void deliver(std::string_view bytes) {
        if (m_receiver)
            m_receiver->received(bytes);
    }
    void deliverClosed() {
        if (m_receiver)
            m_receiver->closed();
    }

private:
    Receiver* m_receiver = nullptr;
};

} // namespace corvane::online
