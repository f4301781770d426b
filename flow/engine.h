// The game flow of a standalone table: the deal, the auction, trump, the discard and draw, the
// tricks and the scoring, driven by the local player's input and the computer seats. Long steps
// are coroutines that wait on the scheduler (pauses, movements) or on the player (a message to
// acknowledge); a new game destroys every flow in progress.
#pragma once

#include "cards/legal_play.h"
#include "flow/net_link.h"
#include "flow/observer.h"
#include "flow/play_context.h"
#include "flow/scheduler.h"
#include "flow/task.h"
#include "players/computer_players.h"
#include "players/hand_record.h"
#include "table/name_pool.h"
#include "table/random.h"
#include "table/table.h"

#include <list>
#include <span>
#include <string>
#include <vector>

namespace corvane {

class Engine {
public:
    Engine(Scheduler& scheduler, Random& random);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    const Table& table() const { return m_t; }
    Table& table() { return m_t; }
    const NamePool& namePool() const { return m_names; }
    void addObserver(TableObserver* observer) { m_observers.push_back(observer); }
    // The computer seats' players: their level comes from the table's option unless a tool sets
    // one per seat.
    ComputerPlayers& computerPlayers() { return m_players; }
    const ComputerPlayers& computerPlayers() const { return m_players; }
    const HandRecord& handRecord() const { return m_record; }

    // --- What the window feeds in -------------------------------------------------------------
    void startUp();              // the window is loaded
    void newGame();              // "&New Game": abandons any flow in progress
    void clickButton(int index); // the button window: 0 "&Auto-Discard", 1 "&Deal" or the message
    bool clickBid(int index);    // the bid dialog: 0 Pass, 1 "20", 2 "25", 3 "30"
    bool clickTrump(int suit);   // the trump dialog
    void clickCard(int picture);
    void hint(); // "&Hint"
    void newPartner();
    void newOpponents();
    // A hand is under way from the first dealt card to the score: the deal's animation counts,
    // though the phase stays idle until the last card lands.
    bool handUnderWay() const { return m_t.gamePhase != GamePhase::Idle || m_dealing; }
    bool playersMenuEnabled() const { return !handUnderWay(); }
    // Whether the local player may play this card now (the pointer over it). Pictures above 4 and
    // phases other than play are always allowed.
    Refusal pointerRefusal(int picture) const;
    // Whether a click on this picture marks it for the discard now: the local hand, and the
    // kitty once trump is named, for the bidder only.
    bool discardMarkable(int picture) const;

    // --- Waiting ------------------------------------------------------------------------------
    static constexpr int TimeoutSeconds = 20;
    void startTimeout();
    void stopTimeout();
    void timeoutTick(); // one second of the local player's time-out
    int timeoutLeft() const { return m_t.timeoutLeft; }
    bool messageWaiting() const { return !m_messages.empty(); }
    size_t flowsInProgress() const;

    // --- The flow (public so that tests and the host can drive single steps) -----------------
    // One step of a standalone hand, named as the one-letter action codes name them: the deal
    // ("C"), the local player's bid shown ("B", with the bid's first two characters), the draw
    // ("R"), the local player's turn ("W") and a computer seat's card ("F").
    enum class OfflineStep { Deal, Bid, Draw, LocalTurn, ComputerCard };
    Task OfflineAction(OfflineStep action, std::string extraInfo = {});
    Task PlayLoop();
    Task ComputerPlay(int& seat);
    Task ComputerBidding();
    Task CallMisdeal();
    Task EndAuction();
    void StandAloneComputerDiscard();
    void TakeKitty();
    Task TellServerToContinue();
    Task FinishTrick();
    // A finished trick stays on the table this long, whatever the speed setting.
    static constexpr int TrickPause = 1000;
    // The trick pause of a seated player's view, on this engine's scheduler.
    Task showFinishedTrick();
    Task CelebrateWin();
    Task MessageButton(Saying message, bool noWait = false);
    // A refusal or a hint: it speaks of this moment only, so the player's next act (a card
    // played, a bid, trump named, a click on Deal) or any later message takes it away, and it
    // never comes back over a later moment.
    Task advise(Saying message);
    void SetupButtons(ButtonMode mode);
    void Shuffle();
    void PlayCard(int seat, int cardIdx, int& cardsPlayed);
    void autoDiscard();
    void toggleDiscardMark(int picture);
    void setUpBidDialog();
    // A computer seat's card just played counts in the trick: the winner so far, then the next
    // seat, or the end of the trick after the fourth card.
    Task countInTrick(int& seat, int card);
    // A computer seat's bid, made with the suit it would name.
    Bid computerBid(int seat);

    // --- Online -------------------------------------------------------------------------------
    // A hosting table sends its steps through the host link; a seated player's moves go through
    // the player link. Neither is owned.
    void setHostLink(HostLink* link) { m_hostLink = link; }
    void setPlayerLink(PlayerLink* link) { m_playerLink = link; }
    // Runs a flow begun from outside the engine (a message from the host or from a seat).
    void start(Task task) { run(std::move(task)); }
    // The host's own player view moved on: flows waiting on it look again.
    void ownViewChanged();

    // What the host waits for from a person: the seat whose bid or card it asked for (-1 for
    // none), and whether it asked the bidder for trump. Anything else a seat sends is refused.
    struct HostAwaits {
        int bidFrom = -1;
        int cardFrom = -1;
        bool trump = false;
    };
    const HostAwaits& hostAwaits() const { return m_awaits; }
    HostAwaits& hostAwaits() { return m_awaits; }
    // No hand on the table and none being dealt: the only time a deal may start ("&Deal", a
    // seat's "i") and a standalone table may go online.
    bool betweenHands() const { return m_t.gamePhase == GamePhase::Idle && !m_dealing; }

    void becomeHost(); // the table exists and this machine runs it
    // A seat's name as a person takes it or leaves it to the computer, which then shows a
    // computer player's name from the pool.
    void personTakesSeat(int seat, const std::string& name);
    void computerTakesSeat(int seat);
    Task HostLoop();
    // `askAgain`: the seat whose turn it is left; ask the computer for that same seat's bid.
    Task HostBidding(bool askAgain = false);
    Task HostEndAuction();
    void HostComputerDiscard();
    Task HostComputerPlay(int& seat);
    bool AllSeatsReady() const;
    // The host's handling of a person's move, after the host has checked it.
    Task hostNextHand();
    Task hostPersonBid(int seat, Bid bid);
    Task hostTrumpNamed(int suit);
    Task hostDiscards(int seat, std::vector<int> slots);
    Task hostPersonCard(int card);
    Task hostSeatLost(int seat);
    std::array<bool, 4>& seatReady() { return m_seatReady; }

    // The end of a hand, after the score, on every table: the host's, a standalone table's and
    // a seated player's view. The shown tables also put their cards and tricks away.
    void clearForNextHand();

private:
    enum class MessageKind { Waits, Advice };
    struct MessageWaiter {
        Saying text;
        std::coroutine_handle<> waiter;
        MessageKind kind = MessageKind::Waits;
    };
    // Waits on the message last pushed onto m_messages. (It holds nothing that needs
    // destroying: GCC 12 destroys such members of a co_await temporary twice.)
    struct MessageAwaiter {
        Engine* engine;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> h) { engine->m_messages.back().waiter = h; }
        void await_resume() const noexcept {}
    };

    void run(Task task);
    void abandonFlows();
    void acknowledgeMessage();
    // Takes away a refusal or hint still shown: the player acted, or a later message came.
    void dismissAdvice();
    Task showMessage(Saying message, bool noWait, MessageKind kind);
    void resetForNewGame(); // the new-game steps, without touching the flows
    void nameComputerSeats();
    void putCardsAway(); // every card picture hidden, back at its home
    void showTrump();
    // A computer seat throws away every card that is not a keeper (the bidder also from the
    // kitty) and says which: the pictures, in order.
    std::vector<int> throwComputerCards(int seat);
    void hideTrickCards();
    void localTurn();
    PlayContext playContext() const { return playContextFor(m_t); }
    HandCards localHand() const { return handOf(m_t, 0); }

    Task deal();
    Task localBidShown(Bid bid);
    Task drawAndPlay();
    Task cardClick(int picture);
    Task trumpNamed(int suit);
    Task bidClicked(int index);
    Task timeoutLoop(unsigned generation);
    Task settleHand();
    void hostDeal();
    void hostDraw();
    void sendToSeats(const protocol::PlayerDownMessage& message);
    bool seatLinked(int seat) const { return m_hostLink && m_hostLink->seatLinked(seat); }
    void sendToHost(const protocol::PlayerUpMessage& message);
    void playLocalTimeoutCard();

    // Waits until the host's own player view has taken in the last trick or hand.
    struct ViewAwaiter {
        Engine* engine;
        HostLink::ViewStep step;
        bool await_ready() const {
            return !engine->m_hostLink || engine->m_hostLink->ownViewCaughtUp(step);
        }
        void await_suspend(std::coroutine_handle<> h) {
            engine->m_viewWaiters.push_back({step, h});
        }
        void await_resume() const noexcept {}
    };
    struct ViewWaiter {
        HostLink::ViewStep step;
        std::coroutine_handle<> waiter;
    };

    Pause pause(int ms) { return Pause{m_scheduler, ms, this}; }
    MovementAwaiter glide(int picture, Point from);
    template <typename F> void notify(F&& f) {
        for (TableObserver* o : m_observers)
            f(*o);
    }

    Table m_t;
    Scheduler& m_scheduler;
    Random& m_random;
    NamePool m_names;
    std::vector<TableObserver*> m_observers;
    std::list<Task> m_flows;
    std::vector<MessageWaiter> m_messages;
    void showTimeoutLeft(int seconds);
    unsigned m_timeoutGeneration = 0;
    bool m_dealing = false;
    bool m_gameWon = false; // a game ended in this flow: wait for "&Deal" before dealing
    HostLink* m_hostLink = nullptr;
    PlayerLink* m_playerLink = nullptr;
    std::vector<ViewWaiter> m_viewWaiters;
    HostAwaits m_awaits;
    std::array<bool, 4> m_seatReady{};
    ComputerPlayers m_players;
    HandRecord m_record;
};

} // namespace corvane
