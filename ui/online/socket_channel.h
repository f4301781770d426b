// A connection to the lobby server as the host and the seated player see it: a QTcpSocket behind
// the plain byte channel they are written against. Connecting waits on the socket's signals.
#pragma once

#include "online/channel.h"
#include "online/lobby_client.h"

#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

namespace corvane::ui {

class SocketChannel final : public QObject, public online::Channel {
    Q_OBJECT
public:
    explicit SocketChannel(QObject* parent = nullptr);
    ~SocketChannel() override;

    // Connects; `done` gets true once connected, false when the connection failed: refused,
    // unreachable, or no answer within ConnectTimeoutMs (failure() says which). A channel is
    // connected once.
    void open(const QString& host, quint16 port, std::function<void(bool)> done);
    // Why the connection failed, in English words that LobbyWords translates; empty while none
    // has.
    const QString& failure() const { return m_failure; }

    static constexpr int ConnectTimeoutMs = 5000;
    static constexpr const char* RefusedText =
        "The server refused the connection."; // untranslated: LobbyWords
    static constexpr const char* NotFoundText =
        "No server of that name was found."; // untranslated: LobbyWords
    static constexpr const char* SilentText = online::LobbyClient::SilentText;
    static constexpr const char* UnreachableText =
        "The server could not be reached."; // untranslated: LobbyWords
    QTcpSocket& socket() { return m_socket; }
    QString localAddress() const { return m_socket.localAddress().toString(); }

    void send(std::string_view bytes) override;
    void close() override;
    bool isOpen() const override;

signals:
    // Bytes were delivered or the connection ended: whatever the receiver changed may show.
    void activity();

private:
    void onReadyRead();
    void onGone();
    void fail(const char* why);

    QTcpSocket m_socket;
    std::function<void(bool)> m_done;
    QTimer m_connectTimer;
    QString m_failure;
    bool m_connected = false;
    bool m_closed = false;
};

} // namespace corvane::ui
