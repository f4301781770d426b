// The writer's thread and the calls queued to it.
#include "record/record_writer.h"

namespace corvane::ui {

RecordWriter::RecordWriter(RecordStore::Options options, QObject* parent)
    : QObject(parent), m_path(options.path), m_context(std::make_unique<QObject>()) {
    m_thread.setObjectName(QStringLiteral("record writer"));
    m_context->moveToThread(&m_thread);
    m_thread.start(QThread::LowPriority);
    QMetaObject::invokeMethod(
        m_context.get(),
        [this, options = std::move(options)] {
            // The connection is made here, so that it belongs to this thread.
            m_store = std::make_unique<RecordStore>(options);
            m_store->setTroubleHandler([this](const QString& text) { emit trouble(text); });
            m_store->open();
            m_state = m_store->state();
            emit written();
        },
        Qt::QueuedConnection);
}

RecordWriter::~RecordWriter() {
    // Queued behind every write still waiting, so those are made first.
    QMetaObject::invokeMethod(
        m_context.get(),
        [this] {
            if (m_store)
                m_store->retryPending();
            m_store.reset();
            m_thread.quit();
        },
        Qt::QueuedConnection);
    m_thread.wait();
}

void RecordWriter::onThread(std::function<void(RecordStore&)> work) {
    QMetaObject::invokeMethod(
        m_context.get(),
        [this, work = std::move(work)] {
            work(*m_store);
            m_state = m_store->state();
            emit written();
        },
        Qt::QueuedConnection);
}

void RecordWriter::recordHand(const RecordedGameInfo& game, const RecordedHand& hand) {
    onThread([game, hand](RecordStore& store) { store.recordHand(game, hand); });
}

void RecordWriter::recordGameWon(int winner, std::array<int, 2> scores) {
    onThread([winner, scores](RecordStore& store) { store.recordGameWon(winner, scores); });
}

void RecordWriter::startNewGame() {
    onThread([](RecordStore& store) { store.startNewGame(); });
}

void RecordWriter::clear() {
    onThread([](RecordStore& store) { store.clear(); });
}

qint64 RecordWriter::gameNumber(bool continues) {
    qint64 number = 0;
    QMetaObject::invokeMethod(
        m_context.get(),
        [this, continues, &number] {
            if (m_store)
                number = m_store->gameNumber(continues);
        },
        Qt::BlockingQueuedConnection);
    return number;
}

void RecordWriter::flush() {
    QMetaObject::invokeMethod(
        m_context.get(), [] {}, Qt::BlockingQueuedConnection);
}

} // namespace corvane::ui
