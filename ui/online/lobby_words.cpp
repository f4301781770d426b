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
    if (text == LobbyClient::ConnectingText)
        return tr("Connecting...");
    if (text == LobbyClient::WaitingText)
        return tr("Waiting for the server to answer...");
    if (text == LobbyClient::SeatTakenText)
        return tr("That seat has just been taken. Choose another.");
    if (text == LobbyClient::TableGoneText)
        return tr("That table has just closed. Choose another.");
    if (text == LobbyClient::NoTablesText)
        return tr("No tables are waiting for players.");
    if (text == LobbyClient::SilentText)
        return tr("The server did not answer.");
    if (text == LobbyClient::BrokenListText)
        return tr("The server sent something this program cannot read.");
    if (text == english(Said::KeyRefused))
        return tr("The Corvane Server refused that key.");
    if (text == SocketChannel::RefusedText)
        return tr("The server refused the connection.");
    if (text == SocketChannel::NotFoundText)
        return tr("No server of that name was found.");
    if (text == SocketChannel::UnreachableText)
        return tr("The server could not be reached.");
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
