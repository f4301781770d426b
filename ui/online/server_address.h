// Where the lobby server is: a host name and its three ports (the table list, the host channel,
// the player channels). "HOST[:PORT]" names the list port; the other two follow it by 100 and 200,
// as on the server's usual ports 9000, 9100 and 9200.
#pragma once

#include <QString>

namespace corvane::ui {

struct ServerAddress {
    QString host = QStringLiteral("localhost");
    quint16 listPort = 9000;
    quint16 hostPort = 9100;
    quint16 playerPort = 9200;

    // False (and `out` unchanged) for text that names no host or a port whose three ports do not
    // fit.
    static bool parse(const QString& text, ServerAddress& out);
    // "HOST" on the usual ports, else "HOST:PORT".
    QString text() const;
};

} // namespace corvane::ui
