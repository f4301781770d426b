// Hosting and joining a table as the bot does it.
#include "tools/bot/bot_table.h"

#include "protocol/encode.h"

#include <cstdio>

namespace corvane::bot {

using namespace corvane::protocol;

// The host's own account of each hand, to set beside what every seat saw.
class TableObserverLines final : public TableObserver {
public:
    explicit TableObserverLines(BotHost& host) : m_host(host) {}
    void onHand(const HandResult& result) override {
        ++m_hands;
        const Table& t = m_host.m_engine.table();
        for (int s = 0; s < 4; ++s) {
            std::string cards;
            for (int i = 5 * s; i <= 5 * s + 4; ++i)
                cards += (i > 5 * s ? "," : "") + std::to_string(t.cardAt(i).number());
            print("table hand " + std::to_string(m_hands) + " seat " + std::to_string(s) +
                  " bidder " + std::to_string(t.bidderSeat) + " bid " + std::to_string(t.highBid) +
                  " trump " + std::to_string(t.trumpSuit) + " cards " + cards + " scores " +
                  std::to_string(result.scores[0]) + " " + std::to_string(result.scores[1]));
        }
    }
    void onGameEnd(int winner, std::array<int, 2> scores) override {
        ++m_host.m_games;
        print("table game " + std::to_string(m_host.m_games) + " winner " + std::to_string(winner) +
              " scores " + std::to_string(scores[0]) + " " + std::to_string(scores[1]));
    }

private:
    void print(const std::string& line) const {
        if (!m_host.m_settings.quiet)
            std::printf("%s%s\n", m_host.m_settings.prefix.c_str(), line.c_str());
    }
    BotHost& m_host;
    int m_hands = 0;
};

BotHost::BotHost(asio::io_context& io, Scheduler& scheduler, const BotSettings& settings,
                 const Endpoints& endpoints, std::string tableName, std::string userName,
                 std::uint64_t seed)
    : m_io(io), m_settings(settings), m_endpoints(endpoints), m_tableName(std::move(tableName)),
      m_userName(std::move(userName)), m_random(seed), m_engine(scheduler, m_random), m_channel(io),
      m_host(m_engine, m_channel), m_own(io, scheduler, settings, m_userName, seed * 7 + 1),
      m_lines(std::make_unique<TableObserverLines>(*this)) {
    m_engine.startUp();
    m_engine.addObserver(m_lines.get());
    m_host.setOwnView(&m_own.seat());
    m_own.seat().setHostsOwnSeat(true);
    m_own.seat().setChangedHandler([this] { m_host.ownViewChanged(); });
    m_host.setNoticeHandler([this](const std::string& text) {
        if (!m_settings.quiet)
            std::printf("%snotice: %s\n", m_settings.prefix.c_str(), text.c_str());
    });
    m_host.setLog([this](const std::string& line) {
        if (!m_settings.quiet)
            std::printf("%shost %s\n", m_settings.prefix.c_str(), line.c_str());
    });
    m_host.setLostHandler([this] { finish(); });
    m_host.setRefusedHandler([this] {
        std::fprintf(stderr, "the key was refused\n");
        if (m_ready)
            m_ready(false);
        finish();
    });
    m_host.setCreatedHandler([this] {
        if (m_settings.fast)
            m_engine.table().speedDelay = 0;
        m_own.channel().connect(m_endpoints.player, m_endpoints.local, [this](bool ok) {
            if (!ok) {
                if (m_ready)
                    m_ready(false);
                return;
            }
            m_own.channel().send(encode(HostSeatOpen{}));
            m_own.engine().table().localName() = m_userName;
            m_own.seat().GrabASeat(0);
            if (m_ready)
                m_ready(true);
        });
    });
    m_own.setFinishedHandler([this] {
        // The host's own player has its games: the table ends.
        finish();
    });
}

BotHost::~BotHost() {
    m_engine.newGame();
}

void BotHost::start(std::function<void(bool)> ready) {
    m_ready = std::move(ready);
    m_channel.connect(m_endpoints.host, m_endpoints.local, [this](bool ok) {
        if (!ok) {
            if (m_ready)
                m_ready(false);
            return;
        }
        m_channel.send(encode(CreateTable{m_endpoints.key, m_tableName, "127.0.0.1", m_userName}));
    });
}

int BotHost::seatedPersons() const {
    int n = 0;
    for (const auto& link : m_host.seatLinks())
        n += link.empty() || link == "127.0.0.1" ? 0 : 1;
    return n;
}

void BotHost::finish() {
    if (m_finished)
        return;
    m_finished = true;
    m_own.finish();
    m_channel.close(); // the server tells every seat "K"
    if (m_onFinished)
        m_onFinished();
}

// --- Joining ---------------------------------------------------------------------------------

class BotJoin::ListReader final : public online::Channel::Receiver {
public:
    explicit ListReader(BotJoin& join) : m_join(join) {}
    void received(std::string_view bytes) override {
        m_decoder.feed(bytes);
        while (auto d = m_decoder.next()) {
            if (const auto* entry = std::get_if<TableEntry>(&d->message)) {
                if (entry->name == m_join.m_tableName && m_row < 0)
                    m_row = m_count;
                ++m_count;
            }
        }
    }
    void closed() override {}
    // The list is answered at once: a short quiet spell means it is complete.
    int row() const { return m_row; }
    void reset() {
        m_row = -1;
        m_count = 0;
    }

private:
    BotJoin& m_join;
    HostDownDecoder m_decoder;
    int m_row = -1;
    int m_count = 0;
};

// Stands between the player channel and the seat: a close before "Y" is the lobby refusing the
// join, not the host leaving, and sends the bot back to the list.
class BotJoin::JoinWatch final : public online::Channel::Receiver {
public:
    explicit JoinWatch(BotJoin& join) : m_join(join) {}
    void received(std::string_view bytes) override { m_join.m_player.seat().received(bytes); }
    void closed() override {
        if (m_join.m_player.seat().joining())
            return m_join.refused();
        m_join.m_player.seat().closed();
    }

private:
    BotJoin& m_join;
};

BotJoin::BotJoin(asio::io_context& io, Scheduler& scheduler, const BotSettings& settings,
                 const Endpoints& endpoints, std::string tableName, int seat, std::string userName,
                 std::uint64_t seed)
    : m_io(io), m_endpoints(endpoints), m_tableName(std::move(tableName)), m_seatWanted(seat),
      m_userName(userName), m_player(io, scheduler, settings, std::move(userName), seed),
      m_retry(io), m_watch(std::make_unique<JoinWatch>(*this)) {
    m_player.channel().setReceiver(m_watch.get());
    // The four seat names without "Y": the seat asked for is taken.
    m_player.seat().setJoinRefusedHandler([this] {
        std::fprintf(stderr, "corvane-bot: seat %d of %s is taken\n", m_seatWanted,
                     m_tableName.c_str());
        m_player.channel().close();
        m_done(false);
    });
}

BotJoin::~BotJoin() {
    m_player.channel().setReceiver(nullptr);
}

void BotJoin::start(std::function<void(bool)> done) {
    m_done = std::move(done);
    openList();
}

void BotJoin::openList() {
    m_list = std::make_unique<AsioChannel>(m_io);
    m_reader = std::make_unique<ListReader>(*this);
    m_list->setReceiver(m_reader.get());
    m_list->connect(m_endpoints.list, m_endpoints.local, [this](bool ok) {
        if (!ok)
            return m_done(false);
        askList();
    });
}

void BotJoin::askList() {
    m_reader->reset();
    m_list->send(encode(ListRequest{}));
    // No message ends the list; the server answers at once, so look after a short while.
    m_retry.expires_after(std::chrono::milliseconds(50));
    m_retry.async_wait([this](const asio::error_code& ec) {
        if (ec)
            return;
        if (m_reader->row() >= 0)
            return join(m_reader->row());
        if (++m_tries >= 100) {
            m_list->close();
            return m_done(false);
        }
        askList();
    });
}

void BotJoin::join(int row) {
    m_list->close();
    m_player.seat().joinAs(m_seatWanted, m_userName);
    m_player.channel().connect(m_endpoints.player, m_endpoints.local, [this, row](bool ok) {
        if (!ok)
            return m_done(false);
        m_player.channel().send(encode(JoinTable{m_endpoints.key, row, m_seatWanted, m_userName}));
        m_done(true);
    });
}

void BotJoin::refused() {
    if (++m_tries >= 100) {
        std::fprintf(stderr, "corvane-bot: the lobby refused every join of %s\n",
                     m_tableName.c_str());
        return m_done(false);
    }
    openList();
}

} // namespace corvane::bot
