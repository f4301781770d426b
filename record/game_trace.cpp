// Keeps the lines of the game under way; a won game's lines stay until the next deal.
#include "record/game_trace.h"

#include <QFile>
#include <cstddef>

namespace corvane::ui {

GameTrace::GameTrace(std::uint64_t seed) : m_seed(seed) {
    begin();
}

GameTrace::~GameTrace() = default;

void GameTrace::begin() {
    m_lines.clear();
    m_ended = false;
    // A person names no suit with a bid.
    m_writer = std::make_unique<TraceWriter>(
        [this](const std::string& line) { m_lines.push_back(line); }, [] { return -1; });
    m_writer->gameStarted(++m_game, m_seed);
    m_finished = m_lines.size();
}

void GameTrace::onNewGame() {
    // A game abandoned after its first deal is forgotten; a won one stays until the next deal.
    if (!m_ended && m_lines.size() > 1)
        begin();
}

void GameTrace::onDeal(int dealer, const std::array<int, 52>& deck) {
    if (m_ended)
        begin();
    m_writer->onDeal(dealer, deck);
}

void GameTrace::onGameEnd(int winner, std::array<int, 2> scores) {
    m_writer->onGameEnd(winner, scores);
    m_finished = m_lines.size();
    m_ended = true;
}

bool GameTrace::save(const QString& file, Lines which, std::optional<qint64> number) const {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const std::size_t count = which == Lines::All ? m_lines.size() : m_finished;
    std::vector<std::string> lines(m_lines.begin(),
                                   m_lines.begin() + static_cast<std::ptrdiff_t>(count));
    if (number && !lines.empty()) {
        // The game's line again, under the number that the record file gives the game.
        TraceWriter([&](const std::string& line) { lines.front() = line; }, [] { return -1; })
            .gameStarted(static_cast<int>(*number), m_seed);
    }
    for (const std::string& line : lines) {
        out.write(line.data(), static_cast<qint64>(line.size()));
        out.write("\n", 1);
    }
    return out.flush() && out.error() == QFile::NoError;
}

} // namespace corvane::ui
