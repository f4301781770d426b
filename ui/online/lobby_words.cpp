// The lobby's and the host's fixed sentences, recognised and worded through the translations.
#include "ui/online/lobby_words.h"

#include "online/chat_limit.h"
#include "online/host.h"
#include "online/lobby_client.h"
#include "protocol/score_line.h"
#include "ui/online/socket_channel.h"

namespace corvane::ui {

namespace {

using online::LobbyClient;

// "Dee has joined." gives "Dee" for the ending " has joined.".
std::optional<QString> nameBefore(const std::string& line, std::string_view ending) {
    if (line.size() <= ending.size() || !line.ends_with(ending))
        return std::nullopt;
    return QString::fromStdString(line.substr(0, line.size() - ending.size()));
}

} // namespace

QString LobbyWords::status(const std::string& text) {
    struct Known {
        const char* english;
        const char* words;
    };
    static const Known known[] = {
        {LobbyClient::ConnectingText, QT_TRANSLATE_NOOP("LobbyWords", "Connecting...")},
        {LobbyClient::WaitingText,
         QT_TRANSLATE_NOOP("LobbyWords", "Waiting for the server to answer...")},
        {LobbyClient::SeatTakenText,
         QT_TRANSLATE_NOOP("LobbyWords", "That seat has just been taken. Choose another.")},
        {LobbyClient::TableGoneText,
         QT_TRANSLATE_NOOP("LobbyWords", "That table has just closed. Choose another.")},
        {LobbyClient::NoTablesText,
         QT_TRANSLATE_NOOP("LobbyWords", "No tables are waiting for players.")},
        {LobbyClient::SilentText, QT_TRANSLATE_NOOP("LobbyWords", "The server did not answer.")},
        {LobbyClient::BrokenListText,
         QT_TRANSLATE_NOOP("LobbyWords", "The server sent something this program cannot read.")},
        {SocketChannel::RefusedText,
         QT_TRANSLATE_NOOP("LobbyWords", "The server refused the connection.")},
        {SocketChannel::NotFoundText,
         QT_TRANSLATE_NOOP("LobbyWords", "No server of that name was found.")},
        {SocketChannel::UnreachableText,
         QT_TRANSLATE_NOOP("LobbyWords", "The server could not be reached.")},
    };
    for (const Known& k : known)
        if (text == k.english)
            return tr(k.words);
    if (text == english(Said::KeyRefused))
        return tr("The Corvane Server refused that key.");
    return QString::fromStdString(text);
}

QString LobbyWords::chatLine(const std::string& line) {
    if (const auto score = protocol::readScoreLine(line))
        return tr("The score is %1 for your side and %2 for theirs.")
            .arg((*score)[0])
            .arg((*score)[1]);
    if (line == online::ChatLimit::DroppedMessage)
        return tr("(You sent lines too fast: some were not passed on.)");
    if (line == online::Host::ChatShortenedMessage)
        return tr("(Your line was shortened to fit.)");
    // A person's line always comes behind its speaker's name and a colon.
    if (line.find(": ") == std::string::npos) {
        if (const auto name = nameBefore(line, " has joined.")) // untranslated: as sent
            return tr("%1 has joined.").arg(*name);
        if (const auto name = nameBefore(line, " has disconnected.")) // untranslated: as sent
            return tr("%1 has disconnected.").arg(*name);
    }
    return QString::fromStdString(line);
}

} // namespace corvane::ui
