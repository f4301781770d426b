// The lobby's status lines in the player's language. They come through the lobby client as the
// English sentences it names; one that is not among them (a server's own words) shows as sent.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>

namespace corvane::ui {

class LobbyWords {
    Q_DECLARE_TR_FUNCTIONS(LobbyWords)
public:
    static QString status(const std::string& text);
    // A line of the table's chat: the host's own announcements, which travel in English, in the
    // player's language; a person's line as it was typed.
    static QString chatLine(const std::string& line);
};

} // namespace corvane::ui
