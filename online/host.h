// The host of an online table: the seat links, the broadcast, and the handling of everything
// that arrives on the host channel. The game itself runs on an Engine whose host paths send
// their steps through this class. Every move a seat sends is checked against whose turn it is
// and what that seat holds before the engine sees it; anything else is logged and ignored.
#pragma once

#include "flow/engine.h"
#include "online/channel.h"
#include "online/chat_limit.h"
#include "online/hand_journal.h"
#include "protocol/decoder.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvane::online {

// The host's own seated view, as far as the host waits on it: how many tricks ("X") and hands
// ("E") it has taken in.
class OwnView {
public:
    virtual ~OwnView() = default;
    virtual int tricksCounted() const = 0;
    virtual int handsCounted() const = 0;
};

class Host final : public HostLink, public Channel::Receiver {
public:
    Host(Engine& engine, Channel& hostChannel);
    ~Host() override;
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The host's own player view, which the trick and hand closings wait for. Without one they
    // do not wait.
    void setOwnView(const OwnView* view) { m_ownView = view; }
    // The own view has handled a message.
    void ownViewChanged() { m_engine.ownViewChanged(); }

    // What the host's person should read (a seat gone, the server lost).
    void setNoticeHandler(std::function<void(const std::string&)> handler) {
        m_onNotice = std::move(handler);
    }
    // The server answered "H": the program opens its own player channel and takes seat 0.
    void setCreatedHandler(std::function<void()> handler) { m_onCreated = std::move(handler); }
    // The key was refused ("N").
    void setRefusedHandler(std::function<void()> handler) { m_onRefused = std::move(handler); }
    // The host channel closed: the table has ended and the engine is back in standalone play.
    void setLostHandler(std::function<void()> handler) { m_onLost = std::move(handler); }
    // A seat was linked to a person.
    void setSeatedHandler(std::function<void()> handler) { m_onSeated = std::move(handler); }
    // One line for each move refused and each message ignored.
    void setLog(std::function<void(const std::string&)> log) { m_log = std::move(log); }
    // The steady clock, in milliseconds, that paces each seat's chat (a test's virtual clock).
    void setClock(std::function<std::int64_t()> nowMs) { m_nowMs = std::move(nowMs); }

    bool hosting() const { return m_hosting; }
    const std::array<std::string, 4>& seatLinks() const { return m_links; }
    int refusedMoves() const { return m_refused; }

    // Channel::Receiver
    void received(std::string_view bytes) override;
    void closed() override;

    // HostLink
    bool seatLinked(int seat) const override;
    void sendToSeats(const protocol::PlayerDownMessage& message) override;
    void sendToSeat(int seat, const protocol::PlayerDownMessage& message) override;
    bool ownViewCaughtUp(ViewStep step) const override;
    void notice(const std::string& text) override;

    // To the speaker alone, when the table's chat line had to be cut.
    static constexpr const char* ChatShortenedMessage = "(Your line was shortened to fit.)";

private:
    using Message = protocol::HostDownMessage;
    void handle(const Message& message);
    void onTableCreated();
    void onSeatList();
    void onTakeSeat(const protocol::TakeSeatWithId& m);
    void onChat(const protocol::ChatLine& m);
    void onBid(const protocol::PlayerBid& m);
    void onTrump(const protocol::NameTrump& m);
    void onDiscards(const protocol::Discards& m);
    void onNextHand();
    void onCard(const protocol::PlayCard& m);
    void onSeatLost(const protocol::SeatLost& m);
    void linkSeat(int seat, const std::string& id);
    // A person sits down during a hand: the names, the hand as every seat was told it, and the
    // turn the table waits on, to that seat alone.
    void catchUp(int seat);
    void broadcastNames();
    void refuse(const std::string& why);
    void noteDropped();
    // The name as the seat will show it: a name another seat already shows gets a number.
    std::string distinctName(int seat, const std::string& name) const;
    void refuseAndAskAgain(int seat, const std::string& why);
    void endHosting();

    Engine& m_engine;
    Channel& m_channel;
    protocol::HostDownDecoder m_decoder;
    const OwnView* m_ownView = nullptr;
    std::array<std::string, 4> m_links{};
    HandJournal m_journal;
    int m_ownTricksSent = 0;
    int m_ownHandsSent = 0;
    int m_refused = 0;
    int m_droppedSeen = 0;
    ChatLimit m_chatLimit;
    std::function<std::int64_t()> m_nowMs;
    bool m_hosting = false;
    bool m_discardsAsked = false; // "D" has gone out and the draw's "C" not yet
    std::function<void(const std::string&)> m_onNotice;
    std::function<void()> m_onCreated;
    std::function<void()> m_onRefused;
    std::function<void()> m_onLost;
    std::function<void()> m_onSeated;
    std::function<void(const std::string&)> m_log;
};

} // namespace corvane::online
