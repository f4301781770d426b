// What the program remembers between runs: the options (card back, pace, the rule options, the
// computer players' level, the language), the table window's place and zoom, and the lobby fields
// (name, server, and the key only when the player asks). The game itself is never saved.
//
// The file is read as far as it is sound: a missing, unreadable or out-of-range value gives its
// default, quietly, and the rest is still taken.
#pragma once

#include "table/computer_level.h"
#include "ui/program/language.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <optional>

namespace corvane {
struct Table;
}

namespace corvane::ui {

// The options dialog's settings as they are kept. A back design is only kept once the player has
// picked one: until then every run draws its own, as a fresh program does.
struct TablePreferences {
    std::optional<int> backDesign;
    int speedDelay = 300;
    bool tutorialMode = false;
    bool mustFollowSuit = false;
    bool anyBidAllowed = false;
    ComputerLevel computerLevel = ComputerLevel::Standard;

    static TablePreferences of(const Table& table);
    void applyTo(Table& table) const;
    bool operator==(const TablePreferences&) const = default;
};

struct LobbyPreferences {
    QString userName;
    QString server;
    bool rememberKey = false;
    QString key; // empty unless rememberKey
    bool operator==(const LobbyPreferences&) const = default;
};

struct WindowPreferences {
    QByteArray geometry; // QWidget::saveGeometry(), empty when never saved
    double zoom = 0;     // one of the zoom steps; 0 when never chosen
    bool fit = false;    // the table fitted to the window
    bool operator==(const WindowPreferences&) const = default;
};

class Preferences {
public:
    // The player's own file in the platform's configuration folder.
    Preferences();
    // A file of the caller's choosing (tests, or a second profile).
    explicit Preferences(const QString& file);
    ~Preferences();
    Preferences(const Preferences&) = delete;
    Preferences& operator=(const Preferences&) = delete;

    TablePreferences table() const;
    void setTable(const TablePreferences& table);
    LobbyPreferences lobby() const;
    void setLobby(const LobbyPreferences& lobby);
    WindowPreferences window() const;
    void setWindow(const WindowPreferences& window);
    LanguageChoice language() const;
    void setLanguage(LanguageChoice language);

    // Writes what was set to the file now (it is also written when the object goes). The file
    // may hold the lobby key: it is readable by its owner alone.
    void flush();
    QString fileName() const { return m_settings.fileName(); }

private:
    void keepToOwner();

    mutable QSettings m_settings;
};

} // namespace corvane::ui
