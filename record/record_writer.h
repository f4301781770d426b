// The record file written off the window's thread. A thread of its own owns the store and its
// connection and takes the hands, the games won and the clearing in the order they were given,
// as queued calls; the window pays for a copy of the hand and a posted event, and a slow disk or
// a lock held by another program delays only that thread. Trouble comes back as a signal for
// the window's thread, and whatever was handed over is written before the writer goes.
#pragma once

#include "record/record_store.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

namespace corvane::ui {

class RecordWriter final : public QObject {
    Q_OBJECT
public:
    // Starts the thread and opens the file there.
    explicit RecordWriter(RecordStore::Options options, QObject* parent = nullptr);
    // Writes what is still queued, then closes the file and ends the thread.
    ~RecordWriter() override;

    // The store's state as its thread last left it: Closed while the file is being opened.
    RecordStore::State state() const { return m_state.load(); }
    const QString& path() const { return m_path; }

    void recordHand(const RecordedGameInfo& game, const RecordedHand& hand);
    void recordGameWon(int winner, std::array<int, 2> scores);
    void startNewGame();
    void clear();
    // Returns once everything handed over so far is written, for a reader that must see it.
    void flush();
    // RecordStore::gameNumber, once everything handed over so far is written.
    qint64 gameNumber(bool continues);

signals:
    // Emitted on the writer's thread: receivers on the window's thread get them queued.
    void trouble(const QString& text);
    // The file was opened, written or cleared.
    void written();

private:
    void onThread(std::function<void(RecordStore&)> work);

    QString m_path;
    QThread m_thread;
    std::unique_ptr<QObject> m_context;   // lives on m_thread: where the queued calls run
    std::unique_ptr<RecordStore> m_store; // made, used and destroyed on m_thread only
    std::atomic<RecordStore::State> m_state{RecordStore::State::Closed};
};

} // namespace corvane::ui
