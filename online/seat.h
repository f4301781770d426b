// A seated player's side of an online table, the host's own seat included: every message from
// the host applied to the local table turned to the player's own seat, and the local player's
// moves sent back in the host's numbering (the engine's online paths send them through this).
#pragma once

#include "flow/engine.h"
#include "online/channel.h"
#include "online/host.h"
#include "protocol/decoder.h"

#include <array>
#include <functional>
#include <list>
#include <string>
#include <vector>

namespace corvane::online {

// What a seat is doing. A seat at the table is Seated, or waiting for the host to show back the
// bid or card it sent (a second "B" or "W" for the own seat meanwhile means the host refused
// it), or holding the finished trick for its pause, while what the host sends waits in the
// decoder. Gone is final: the host left or the channel failed, and the table is standalone.
enum class SeatState { Standing, Joining, Seated, BidSent, CardSent, TrickHeld, Gone };

// Whether the lifecycle may go from one state to another; any other move is ignored.
bool seatMayMove(SeatState from, SeatState to);

class Seat final : public PlayerLink, public Channel::Receiver, public OwnView {
public:
    Seat(Engine& engine, Channel& playerChannel);
    ~Seat() override;
    Seat(const Seat&) = delete;
    Seat& operator=(const Seat&) = delete;

    // The table goes online: the chat line shows and the five rule is on.
    void goOnline();
    // Joining: the seat asked for in "L", taken when "Y" arrives under this name.
    void joinAs(int seat, const std::string& userName);
    // "s": takes the seat under the name at the bottom of the table.
    void GrabASeat(int seat);
    // Enter in the chat line (at most 80 characters are typed). A longer line is cut, and the
    // whiteboard says so.
    static constexpr std::size_t ChatLength = 80;
    static constexpr const char* ChatShortenedMessage = "(Your line was shortened to fit.)";
    void sendChat(std::string text);
    // The host's own seat: "E" waits for its person's click before the host deals on.
    void setHostsOwnSeat(bool own) { m_hostsOwnSeat = own; }

    // After each message the view has handled (the hosting program pokes its host with it).
    void setChangedHandler(std::function<void()> handler) { m_onChanged = std::move(handler); }
    // The host is gone ("K" or the channel lost): the table is standalone again.
    void setHostGoneHandler(std::function<void()> handler) { m_onHostGone = std::move(handler); }
    // The join was refused: the four seat names came without "Y" (the seat was taken). The
    // names are in seatButtons().
    void setJoinRefusedHandler(std::function<void()> handler) {
        m_onJoinRefused = std::move(handler);
    }
    // Each message from the host, after the view has handled it.
    void setMessageHandler(std::function<void(const protocol::PlayerDownMessage&)> handler) {
        m_onMessage = std::move(handler);
    }
    void setLog(std::function<void(const std::string&)> log) { m_log = std::move(log); }

    SeatState state() const { return m_state; }
    bool seated() const {
        return m_state != SeatState::Standing && m_state != SeatState::Joining &&
               m_state != SeatState::Gone;
    }
    bool joining() const { return m_state == SeatState::Joining; }
    const std::array<std::string, 4>& seatButtons() const { return m_seatButtons; }
    const std::vector<std::string>& whiteboard() const { return m_whiteboard; }
    int messagesReceived() const { return m_received; }
    int messagesSent() const { return m_sent; }

    // OwnView
    int tricksCounted() const override { return m_tricks; }
    int handsCounted() const override { return m_hands; }

    // Channel::Receiver
    void received(std::string_view bytes) override;
    void closed() override;

    // PlayerLink
    void sendToHost(const protocol::PlayerUpMessage& message) override;

private:
    using Message = protocol::PlayerDownMessage;
    void handle(const Message& message);
    int turned(int tableSeat) const { return (tableSeat - m_engine.table().localSeat + 4) % 4; }
    int turnedPicture(int hostIndex) const;
    void onCards(const protocol::Cards& m);
    void onYourBid(const protocol::YourBid& m);
    void onBidMade(const protocol::BidMade& m);
    void onMisdeal();
    void onDiscardPhase(const protocol::DiscardPhase& m);
    void onDraw();
    void onYourTurn(const protocol::YourTurn& m);
    void onCardPlayed(const protocol::CardPlayed& m);
    void onTrickWon(const protocol::TrickWon& m);
    // The finished trick stays on the table for the trick pause; what the host sends
    // meanwhile waits in the decoder until it is over.
    Task holdTrick();
    void takeMessages();
    void tellWhatTheComputerPlayed();
    Task onHandEnd(protocol::HandEnd m);
    void clearPreviousTrick();
    void clearBids();
    void hostGone();
    void moveTo(SeatState next);

    Engine& m_engine;
    Channel& m_channel;
    protocol::PlayerDownDecoder m_decoder;
    std::array<std::string, 4> m_seatButtons{};
    std::vector<std::string> m_whiteboard;
    std::string m_userName;
    int m_joinSeat = 0;
    int m_tricks = 0;
    int m_hands = 0;
    int m_received = 0;
    int m_sent = 0;
    SeatState m_state = SeatState::Standing;
    bool m_hostsOwnSeat = false;
    bool m_chatShortened = false; // the last line sent was cut; the note follows its echo
    // The trick holds, owned here rather than by the engine: a hold that takes the messages
    // held meanwhile may meet "K", whose new game abandons the engine's flows while the hold
    // is still running.
    std::list<Task> m_holds;
    std::vector<Card> m_playedForYou; // the computer's, before the person sat down
    std::function<void()> m_onChanged;
    std::function<void()> m_onHostGone;
    std::function<void()> m_onJoinRefused;
    int m_joinAnswers = 0;
    std::function<void(const protocol::PlayerDownMessage&)> m_onMessage;
    std::function<void(const std::string&)> m_log;
};

} // namespace corvane::online
