#include "ui/online/socket_channel.h"

namespace corvane::ui {

SocketChannel::SocketChannel(QObject* parent) : QObject(parent) {
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_connectTimer.setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this, [this] { fail(SilentText); });
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        m_connectTimer.stop();
        m_connected = true;
        if (auto done = std::exchange(m_done, nullptr))
            done(true);
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, &SocketChannel::onReadyRead);
    connect(&m_socket, &QTcpSocket::disconnected, this, &SocketChannel::onGone);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (!m_connected) {
            fail(e == QAbstractSocket::ConnectionRefusedError ? RefusedText
                 : e == QAbstractSocket::HostNotFoundError    ? NotFoundText
                 : e == QAbstractSocket::SocketTimeoutError   ? SilentText
                                                              : UnreachableText);
            return;
        }
        onGone();
    });
}

void SocketChannel::fail(const char* why) {
    if (m_connected || m_closed)
        return;
    m_connectTimer.stop();
    m_closed = true;
    m_failure = QString::fromUtf8(why);
    m_socket.disconnect(this);
    m_socket.abort();
    if (auto done = std::exchange(m_done, nullptr))
        done(false);
}

SocketChannel::~SocketChannel() {
    m_closed = true;
    m_socket.disconnect(this);
    m_socket.abort();
}

void SocketChannel::open(const QString& host, quint16 port, std::function<void(bool)> done) {
    m_done = std::move(done);
    m_connectTimer.start(ConnectTimeoutMs);
    m_socket.connectToHost(host, port);
}

void SocketChannel::send(std::string_view bytes) {
    // QTcpSocket queues what the network does not take at once and writes it in order.
    if (isOpen())
        m_socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void SocketChannel::close() {
    if (m_closed)
        return;
    m_connectTimer.stop();
    m_done = nullptr;
    m_closed = true;
    m_socket.disconnect(this);
    m_socket.disconnectFromHost();
}

bool SocketChannel::isOpen() const {
    return m_connected && !m_closed && m_socket.state() == QAbstractSocket::ConnectedState;
}

void SocketChannel::onReadyRead() {
    while (!m_closed && m_socket.bytesAvailable() > 0) {
        const QByteArray bytes = m_socket.readAll();
        deliver(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    }
    emit activity();
}

void SocketChannel::onGone() {
    if (m_closed)
        return;
    onReadyRead(); // what arrived before the end still counts
    m_closed = true;
    deliverClosed();
    emit activity();
}

} // namespace corvane::ui
