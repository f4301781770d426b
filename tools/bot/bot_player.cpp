// The seated bot's choices and its per-hand lines.
#include "tools/bot/bot_player.h"

#include "players/hints.h"
#include "table/hand_rules.h"

#include <cstdio>

namespace corvane::bot {

BotPlayer::BotPlayer(asio::io_context& io, Scheduler& scheduler, const BotSettings& settings,
                     std::string name, std::uint64_t seed)
    : m_io(io), m_settings(settings), m_name(std::move(name)), m_random(seed),
      m_engine(scheduler, m_random), m_channel(io), m_seat(m_engine, m_channel), m_actTimer(io) {
    m_engine.startUp();
    m_engine.table().buttonMode = ButtonMode::Hidden;
    m_seat.goOnline();
    if (settings.fast)
        m_engine.table().speedDelay = 0;
    m_seat.setMessageHandler([this](const protocol::PlayerDownMessage& m) { onMessage(m); });
    m_seat.setHostGoneHandler([this] {
        m_hostGone = true;
        print("host gone: back to a standalone game");
        finish();
    });
}

void BotPlayer::print(const std::string& line) const {
    if (!m_settings.quiet)
        std::printf("%s%s\n", m_settings.prefix.c_str(), line.c_str());
}

void BotPlayer::finish() {
    if (m_finished)
        return;
    m_finished = true;
    m_actTimer.cancel();
    m_channel.close();
    if (m_onFinished)
        m_onFinished();
}

void BotPlayer::onMessage(const protocol::PlayerDownMessage& message) {
    const Table& t = m_engine.table();
    if (const auto* cards = std::get_if<protocol::Cards>(&message)) {
        if (cards->deck.size() == 23)
            print("deal " + std::to_string(++m_deals));
        if (cards->deck.size() == 20) {
            m_cards.clear();
            for (int i = 0; i <= 4; ++i)
                m_cards += (i ? "," : "") + std::to_string(t.cardAt(i).number());
        }
    } else if (const auto* d = std::get_if<protocol::DiscardPhase>(&message)) {
        m_bidder = d->bidder;
        m_bid = d->highBid;
        m_trump = d->trump;
    } else if (const auto* e = std::get_if<protocol::HandEnd>(&message)) {
        ++m_hands;
        print("hand " + std::to_string(m_hands) + " seat " + std::to_string(t.localSeat) +
              " bidder " + std::to_string(m_bidder) + " bid " + std::to_string(m_bid) + " trump " +
              std::to_string(m_trump) + " cards " + m_cards + " scores " +
              std::to_string(e->score0) + " " + std::to_string(e->score1));
        if (e->score0 == 120 || e->score1 == 120) {
            ++m_games;
            print("game " + std::to_string(m_games) + " winner " +
                  std::to_string(e->score0 == 120 ? 0 : 1) + " scores " +
                  std::to_string(e->score0) + " " + std::to_string(e->score1));
            m_mayDeal = m_games < m_settings.games;
        }
    }
    schedule();
}

void BotPlayer::schedule() {
    if (m_actPending || m_finished)
        return;
    m_actPending = true;
    if (m_settings.fast) {
        // No pause: act at the next turn of the loop, without arming a timer.
        asio::post(m_io, [this, alive = m_alive] {
            if (!*alive)
                return;
            m_actPending = false;
            act();
        });
        return;
    }
    m_actTimer.expires_after(std::chrono::milliseconds(400));
    m_actTimer.async_wait([this](const asio::error_code& ec) {
        if (ec)
            return;
        m_actPending = false;
        act();
    });
}

void BotPlayer::act() {
    if (m_finished)
        return;
    Table& t = m_engine.table();
    if (t.buttonMode == ButtonMode::Message) {
        m_engine.clickButton(1); // the message has been read
    } else if (t.localChoice == LocalChoice::Bid) {
        const BidHint hint = bidHint(t);
        int index = hint.bid.level();
        if (!allowedBids(t, t.localSeat)[static_cast<size_t>(index)])
            index = 0;
        m_engine.clickBid(index);
    } else if (t.localChoice == LocalChoice::Trump) {
        m_engine.clickTrump(bidHint(t).suit);
    } else if (t.gamePhase == GamePhase::Discard && t.buttonMode == ButtonMode::Discard) {
        m_engine.clickButton(0);
        m_engine.clickButton(1);
    } else if (t.gamePhase == GamePhase::Play && t.awaitedSeat == t.localSeat) {
        int card = cardHint(t);
        if (card < 0 || card > 4 || m_engine.pointerRefusal(card) != Refusal::None) {
            card = -1;
            for (int i = 0; i <= 4 && card < 0; ++i)
                if (t.CardState(i) != TagState::Played &&
                    m_engine.pointerRefusal(i) == Refusal::None)
                    card = i;
        }
        if (card >= 0) {
            print("play " + std::to_string(m_hands + 1) + " card " +
                  std::to_string(t.cardAt(card).number()));
            m_engine.clickCard(card);
        }
    } else if (t.gamePhase == GamePhase::Idle && m_mayDeal && t.buttonMode == ButtonMode::Deal) {
        m_mayDeal = false;
        m_engine.clickButton(1); // "&Deal": asks the host for the hand
    } else if (t.gamePhase == GamePhase::Idle && m_games >= m_settings.games && !m_mayDeal) {
        finish();
        return;
    } else {
        return;
    }
    schedule();
}

} // namespace corvane::bot
