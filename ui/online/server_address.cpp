#include "ui/online/server_address.h"

namespace corvane::ui {

bool ServerAddress::parse(const QString& text, ServerAddress& out) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    ServerAddress a;
    const int colon = trimmed.lastIndexOf(QLatin1Char(':'));
    // A bare IPv6 address has colons of its own; only "[addr]:port" or "name:port" carry a port.
    const bool hasPort = colon > 0 && (trimmed.count(QLatin1Char(':')) == 1 ||
                                       trimmed.at(colon - 1) == QLatin1Char(']'));
    a.host = hasPort ? trimmed.left(colon) : trimmed;
    if (a.host.startsWith(QLatin1Char('[')) && a.host.endsWith(QLatin1Char(']')))
        a.host = a.host.mid(1, a.host.size() - 2);
    if (a.host.isEmpty())
        return false;
    if (hasPort) {
        bool ok = false;
        const uint port = trimmed.mid(colon + 1).toUInt(&ok);
        if (!ok || port == 0 || port + 200 > 65535)
            return false;
        a.listPort = static_cast<quint16>(port);
        a.hostPort = static_cast<quint16>(port + 100);
        a.playerPort = static_cast<quint16>(port + 200);
    }
    out = a;
    return true;
}

QString ServerAddress::text() const {
    const bool ipv6 = host.contains(QLatin1Char(':'));
    const QString name = ipv6 ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    if (listPort == 9000 && hostPort == 9100 && playerPort == 9200)
        return name;
    return name + QLatin1Char(':') + QString::number(listPort);
}

} // namespace corvane::ui
