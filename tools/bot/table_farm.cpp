// The tables of corvane-bot --tables, their set-up and their figures.
#include "tools/bot/table_farm.h"

#include <algorithm>
#include <cstdio>
#include <thread>

namespace corvane::bot {

namespace {

// Tables in set-up at once per event loop when each table has an address of its own. With one
// address for all, the lobby reads a join's row in the list it last sent to that address, so the
// tables are set up one at a time.
constexpr int SetUpsInFlightPerLoop = 4;

double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

} // namespace

// One table on its way to being ready: its host is up, and seats 1, 2 and 3 join in turn,
// each once the one before it sits.
struct TableSetUp {
    enum class Stage { Joining, Ready };

    int index = 0;
    std::string table;
    BotSettings settings;
    Endpoints endpoints;
    BotHost* host = nullptr;
    Stage stage = Stage::Joining;
    // Seats whose join has started, 1 to 3 in order.
    int joinsStarted = 0;

    std::uint64_t seed(std::uint64_t farmSeed, int seat) const {
        return farmSeed + static_cast<std::uint64_t>(4 * index + seat) * 1000003u;
    }
};

struct TableFarm::Shard {
    Shard(TableFarm& owner, bool fast) : farm(owner), scheduler(io, fast) {}

    // Each runs on this loop's thread.
    void setUp(int index);
    // The host's seat list changed: the next seat joins, or the table is ready.
    void seated(TableSetUp& setUp);
    void join(TableSetUp& setUp, int seat);
    void startGames();
    void checkFinished();

    TableFarm& farm;
    asio::io_context io{1};
    AsioScheduler scheduler;
    asio::executor_work_guard<asio::io_context::executor_type> work = asio::make_work_guard(io);
    std::vector<std::unique_ptr<BotHost>> hosts;
    std::vector<std::unique_ptr<BotJoin>> joins;
    std::vector<std::unique_ptr<TableSetUp>> setUps;
    AnswerTimes answers;
    bool playing = false;
    bool finished = false;
    std::thread thread;
};

void TableFarm::Shard::setUp(int index) {
    const Options& o = farm.m_options;
    auto made = std::make_unique<TableSetUp>();
    TableSetUp& t = *made;
    setUps.push_back(std::move(made));
    t.index = index;
    t.table = "bots-" + std::to_string(index);
    t.endpoints = farm.m_endpoints;
    if (farm.m_ownAddresses)
        t.endpoints.local = tableAddress(index);
    t.settings.fast = o.fast;
    t.settings.quiet = true;
    t.settings.games = o.games;
    t.settings.prefix = t.table + " ";

    auto created = std::make_unique<BotHost>(io, scheduler, t.settings, t.endpoints, t.table,
                                             "h" + std::to_string(index), t.seed(farm.m_seed, 0));
    t.host = created.get();
    hosts.push_back(std::move(created));
    t.host->ownSeat().channel().measureAnswers(&answers);
    t.host->setFinishedHandler([this] { checkFinished(); });
    t.host->setSeatedHandler([this, &t] { seated(t); });
    t.host->start([this, table = t.table](bool ok) {
        if (!ok)
            asio::post(farm.m_io, [f = &farm, table] {
                f->fail(table + " could not be hosted: no lobby at " +
                        f->m_endpoints.host.address().to_string() + " port " +
                        std::to_string(f->m_endpoints.host.port()) + "?");
            });
    });
}

void TableFarm::Shard::seated(TableSetUp& t) {
    if (t.stage == TableSetUp::Stage::Ready)
        return;
    const int persons = t.host->seatedPersons();
    if (persons == 4 && t.joinsStarted == 3) {
        t.stage = TableSetUp::Stage::Ready;
        asio::post(farm.m_io, [f = &farm] { f->tableReady(); });
        return;
    }
    // The seat list also changes for other reasons: only the sitting of the last seat that
    // joined starts the next join.
    if (persons >= 1 && persons <= 3 && t.joinsStarted == persons - 1)
        join(t, persons);
}

void TableFarm::Shard::join(TableSetUp& t, int seat) {
    t.joinsStarted = seat;
    auto made = std::make_unique<BotJoin>(
        io, scheduler, t.settings, t.endpoints, t.table, seat,
        "p" + std::to_string(t.index) + "-" + std::to_string(seat), t.seed(farm.m_seed, seat));
    BotJoin& j = *made;
    joins.push_back(std::move(made));
    j.player().channel().measureAnswers(&answers);
    j.player().setFinishedHandler([this] { checkFinished(); });
    j.start([this, table = t.table, seat](bool ok) {
        if (!ok)
            asio::post(farm.m_io, [f = &farm, table, seat] {
                f->fail(table + ": seat " + std::to_string(seat) + " could not join");
            });
    });
}

void TableFarm::Shard::startGames() {
    playing = true;
    for (auto& h : hosts)
        h->startGame();
    checkFinished();
}

void TableFarm::Shard::checkFinished() {
    if (!playing || finished)
        return;
    for (auto& h : hosts)
        if (!h->finished())
            return;
    for (auto& j : joins)
        if (!j->player().finished())
            return;
    finished = true;
    asio::post(farm.m_io, [f = &farm, at = Clock::now()] { f->shardFinished(at); });
}

TableFarm::TableFarm(const Options& options, const Endpoints& endpoints, std::uint64_t seed)
    : m_options(options), m_endpoints(endpoints),
      m_ownAddresses(!options.sharedAddress && endpoints.host.address().is_loopback() &&
                     endpoints.host.address().is_v4()),
      m_seed(seed) {}

TableFarm::~TableFarm() {
    stopAll();
}

long long TableFarm::descriptorsNeeded(const Options& o) {
    // Five sockets a table (the host channel, the host's own seat and three seats), a list
    // connection for each join in set-up, and a few for each loop and the process itself.
    const long long loops = std::min(o.threads, o.tables);
    return 5LL * o.tables + 3LL * SetUpsInFlightPerLoop * loops + 8 * loops + 32;
}

asio::ip::address TableFarm::tableAddress(int index) {
    return asio::ip::address_v4(0x7F000002u + static_cast<std::uint32_t>(index));
}

int TableFarm::run() {
    const int loops = std::min(m_options.threads, m_options.tables);
    for (int i = 0; i < loops; ++i)
        m_shards.push_back(std::make_unique<Shard>(*this, m_options.fast));
    for (auto& shard : m_shards)
        shard->thread = std::thread([s = shard.get()] { s->io.run(); });

    auto work = asio::make_work_guard(m_io);
    m_setUpStarted = Clock::now();
    std::fprintf(stderr, "set-up: %d tables on %d event loops, %s\n", m_options.tables, loops,
                 m_ownAddresses ? "each table from its own address (127.0.0.2 and up)"
                                : "every table from one address");
    dispatchSetUps();
    armStallTimer();
    armProgressTimer();
    m_io.run();
    stopAll();
    return report();
}

void TableFarm::dispatchSetUps() {
    const int budget =
        m_ownAddresses ? SetUpsInFlightPerLoop * static_cast<int>(m_shards.size()) : 1;
    while (m_dispatched < m_options.tables && m_inFlight < budget) {
        const int index = m_dispatched++;
        ++m_inFlight;
        Shard* shard = m_shards[static_cast<std::size_t>(index) % m_shards.size()].get();
        asio::post(shard->io, [shard, index] { shard->setUp(index); });
    }
}

void TableFarm::tableReady() {
    if (m_failed)
        return;
    --m_inFlight;
    ++m_ready;
    if (m_ready == m_options.tables)
        return startGames();
    armStallTimer();
    dispatchSetUps();
}

void TableFarm::armStallTimer() {
    m_stall.expires_after(std::chrono::seconds(m_options.setUpTimeout));
    m_stall.async_wait([this](const asio::error_code& ec) {
        if (ec)
            return;
        fail("set-up timed out: " + std::to_string(m_ready) + " of " +
             std::to_string(m_options.tables) + " tables ready, none in the last " +
             std::to_string(m_options.setUpTimeout) + " s (--setup-timeout)");
    });
}

void TableFarm::armProgressTimer() {
    m_progress.expires_after(std::chrono::seconds(1));
    m_progress.async_wait([this](const asio::error_code& ec) {
        if (ec || m_failed || m_ready == m_options.tables)
            return;
        std::fprintf(stderr, "set-up: %d of %d tables ready\n", m_ready, m_options.tables);
        armProgressTimer();
    });
}

void TableFarm::startGames() {
    m_stall.cancel();
    m_progress.cancel();
    m_started = Clock::now();
    std::printf("set-up: %d tables in %.2f s\n", m_options.tables,
                secondsBetween(m_setUpStarted, m_started));
    for (auto& shard : m_shards)
        asio::post(shard->io, [s = shard.get()] { s->startGames(); });
}

void TableFarm::shardFinished(Clock::time_point at) {
    m_ended = std::max(m_ended, at);
    if (++m_shardsFinished == static_cast<int>(m_shards.size()))
        m_io.stop();
}

void TableFarm::fail(const std::string& why) {
    if (m_failed)
        return;
    m_failed = true;
    std::fprintf(stderr, "corvane-bot: %s\n", why.c_str());
    m_io.stop();
}

void TableFarm::stopAll() {
    for (auto& shard : m_shards) {
        shard->work.reset();
        shard->io.stop();
    }
    for (auto& shard : m_shards)
        if (shard->thread.joinable())
            shard->thread.join();
}

int TableFarm::report() {
    int games = 0;
    int hands = 0;
    long long sent = 0;
    long long received = 0;
    std::vector<double> answers;
    for (auto& shard : m_shards) {
        for (auto& h : shard->hosts) {
            games += h->gamesFinished();
            hands += h->ownSeat().hands();
            sent += h->ownSeat().seat().messagesSent();
            received += h->ownSeat().seat().messagesReceived();
        }
        for (auto& j : shard->joins) {
            sent += j->player().seat().messagesSent();
            received += j->player().seat().messagesReceived();
        }
        answers.insert(answers.end(), shard->answers.ms.begin(), shard->answers.ms.end());
    }
    std::printf("games finished: %d\n", games);
    std::printf("hands: %d\n", hands);
    std::printf("messages sent: %lld, received: %lld\n", sent, received);
    if (m_failed || m_started == Clock::time_point{})
        return 1;
    const double seconds = secondsBetween(m_started, m_ended);
    std::printf("games per second: %.1f (%d games in %.2f s)\n",
                seconds > 0 ? games / seconds : 0.0, games, seconds);
    std::printf("move to answer: p50 %.2f ms, p99 %.2f ms, max %.2f ms (%zu moves)\n",
                percentile(answers, 0.5), percentile(answers, 0.99), percentile(answers, 1.0),
                answers.size());
    const long long wanted = static_cast<long long>(m_options.tables) * m_options.games;
    if (games < wanted) {
        std::fprintf(stderr, "corvane-bot: %d of %lld games finished\n", games, wanted);
        return 1;
    }
    return 0;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

} // namespace corvane::bot
