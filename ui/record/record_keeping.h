// Keeps the record of play across runs: each hand the table scores and each game it wins goes
// to the record file while "Record games" is on; trouble with the file is said once, in a
// message over the table, and the game plays on.
#pragma once

#include "record/record_writer.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

class QCheckBox;
class QDialog;
class QWidget;

namespace corvane {
struct Table;
}

namespace corvane::ui {

class GameRecord;

class RecordKeeping final : public QObject {
    Q_OBJECT
public:
    // `path` is the record file; empty for a program that keeps nothing (tests, benches).
    // `settingsFile` holds the on/off switch beside the other options.
    RecordKeeping(GameRecord& record, QWidget* window, QString path, QString settingsFile);
    ~RecordKeeping() override;

    bool keeps() const { return !m_path.isEmpty(); }
    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);
    const QString& path() const { return m_path; }
    // The record file's writer, started on first use; null when nothing is kept or the file
    // cannot be used.
    RecordWriter* writer();

    // The record file's number for the game in play, while games are recorded: the number that
    // the file, its statistics and its export give the same game.
    std::optional<qint64> gameNumber();

    // Adds "Record games" to an options dialog as it opens; OK stores it.
    void extendOptions(QDialog* options);

    static constexpr const char* SettingKey = "record/enabled";
    // The record file of a program that keeps its preferences in `preferencesFile`: the data
    // folder's for the player's own preferences, else beside them (a test's, another profile's).
    static QString pathBeside(const QString& preferencesFile);

private:
    void handScored(const GameHistory& game, const RecordedHand& hand);
    void gameWon(const GameHistory& game);
    // Notes when the game in play was first dealt.
    void recordChanged();
    RecordedGameInfo infoFor(const GameHistory& game) const;
    void say(const QString& text);

    GameRecord& m_record;
    QWidget* m_window;
    QString m_path;
    QString m_settingsFile;
    bool m_enabled = true;
    std::unique_ptr<RecordWriter> m_writer;
    int m_lastHand = 0;
    int m_lastSource = -1;
    size_t m_handsSeen = 0;
    QString m_started; // the game in play's first deal
};

} // namespace corvane::ui
