// The engine's frame: flows and their abandonment, start-up and new game, the button window and
// its messages, the time-out, the shuffle and the players menu.
#include "flow/engine.h"

#include "cards/card_value.h"
#include "players/card_play.h"
#include "players/hints.h"
#include "table/saying.h"

#include <algorithm>

namespace corvane {

Engine::Engine(Scheduler& scheduler, Random& random) : m_scheduler(scheduler), m_random(random) {}

Engine::~Engine() {
    abandonFlows();
}

void Engine::run(Task task) {
    m_flows.remove_if([](const Task& t) { return t.done(); });
    if (!task.done())
        m_flows.push_back(std::move(task));
}

size_t Engine::flowsInProgress() const {
    return static_cast<size_t>(
        std::count_if(m_flows.begin(), m_flows.end(), [](const Task& t) { return !t.done(); }));
}

void Engine::abandonFlows() {
    m_scheduler.cancel(this);
    m_messages.clear();
    m_viewWaiters.clear();
    m_awaits = {};
    m_seatReady = {};
    std::list<Task> flows;
    flows.swap(m_flows);
    flows.clear(); // destroys every suspended frame
    m_dealing = false;
    m_gameWon = false;
    ++m_timeoutGeneration;
}

MovementAwaiter Engine::glide(int picture, Point from) {
    const auto& p = m_t.picCard[static_cast<size_t>(picture)];
    return MovementAwaiter{m_scheduler,
                           Movement{Movement::Kind::Glide, picture, 0, from, p.position}, this};
}

// --- Start-up and new game -------------------------------------------------------------------

void Engine::startUp() {
    m_t.dealerSeat = m_random.below(4);
    m_t.trickWinnerCard = -1;
    m_t.speedDelay = 300;
    m_t.cardBackNumber = 64;
    m_t.kittySize = 3;
    // Every one of the eight designs can come up.
    m_t.backDesign = m_random.below(8);
    // Every picture starts at its place in the layout: that is its home.
    for (size_t i = 0; i < PictureCount; ++i) {
        m_t.homeLeft[i] = m_t.picCard[i].position.left;
        m_t.homeTop[i] = m_t.picCard[i].position.top;
    }
    for (int s = 0; s < SeatCount; ++s) {
        m_t.trickSeatCard[static_cast<size_t>(s)] = -1;
        m_t.seats[static_cast<size_t>(s)].occupant = Occupant::Computer;
    }
    nameComputerSeats();
    SetupButtons(ButtonMode::Deal);
}

void Engine::nameComputerSeats() {
    for (int seat = 1; seat <= 3; ++seat)
        m_t.seats[static_cast<size_t>(seat)].name = m_names.draw(m_random);
}

void Engine::newGame() {
    abandonFlows();
    resetForNewGame();
}

void Engine::resetForNewGame() {
    m_t.online = false;
    m_t.localSeat = 0;
    m_t.localChoice = LocalChoice::None;
    m_t.buttonMode = ButtonMode::Hidden;

    m_t.score = {0, 0};
    m_record.newGame();
    m_t.trickCardCount = 0;
    m_t.tricksWon = {};
    m_t.tricksPlayed = 0;
    m_t.awaitedSeat = NoSeat;
    m_t.seatBid = {};
    m_t.trumpNamed = false;
    putCardsAway();
    for (size_t s = 0; s < SeatCount; ++s) {
        m_t.drawCount[s] = 0;
        m_t.trickSeatCard[s] = -1;
        m_t.seats[s].occupant = Occupant::Computer;
        m_t.trickUnits[s] = 0;
    }
    m_t.dealerSeat = nextSeat(m_t.dealerSeat);

    for (int seat = 1; seat <= 3; ++seat)
        m_names.putBack(m_t.seats[static_cast<size_t>(seat)].name);
    nameComputerSeats();

    Shuffle();
    m_t.topTrumpOut = 0;
    m_t.trickWinnerCard = -1;
    m_t.gamePhase = GamePhase::Idle;
    m_t.netRole = 0;
    stopTimeout();
    SetupButtons(ButtonMode::Deal);
    notify([](TableObserver& o) { o.onNewGame(); });
}

void Engine::putCardsAway() {
    for (int i = 0; i <= m_t.lastPicture(); ++i) {
        auto& p = m_t.picCard[static_cast<size_t>(i)];
        p.visible = false;
        p.position = {m_t.homeLeft[static_cast<size_t>(i)], m_t.homeTop[static_cast<size_t>(i)]};
    }
}

void Engine::newPartner() {
    if (!playersMenuEnabled())
        return;
    m_names.putBack(m_t.seats[2].name);
    m_t.seats[2].name = m_names.draw(m_random);
}

void Engine::newOpponents() {
    if (!playersMenuEnabled())
        return;
    m_names.putBack(m_t.seats[1].name);
    m_names.putBack(m_t.seats[3].name);
    m_t.seats[1].name = m_names.draw(m_random);
    m_t.seats[3].name = m_names.draw(m_random);
}

void Engine::Shuffle() {
    for (int i = 0; i < 52; ++i)
        m_t.deck[static_cast<size_t>(i)] = i;
    // Fisher-Yates: every order of the deck equally likely, so every card reaches every place
    // equally often.
    for (int i = 51; i > 0; --i) {
        const auto j = static_cast<size_t>(m_random.below(i + 1));
        std::swap(m_t.deck[static_cast<size_t>(i)], m_t.deck[j]);
    }
}

// --- The button window and its messages ------------------------------------------------------

void Engine::SetupButtons(ButtonMode mode) {
    m_t.buttonMode = mode;
}

void Engine::clickButton(int index) {
    if (index == 0) {
        if (m_t.buttonMode == ButtonMode::Discard)
            autoDiscard();
        return;
    }
    switch (m_t.buttonMode) {
    case ButtonMode::Hidden:
        break;
    case ButtonMode::Deal:
        // Only between hands: a second deal must never reshuffle a hand in progress.
        if (!betweenHands())
            return;
        dismissAdvice();
        m_t.buttonMode = ButtonMode::Hidden;
        if (m_t.online)
            run(TellServerToContinue());
        else
            run(OfflineAction(OfflineStep::Deal));
        break;
    case ButtonMode::Discard:
        dismissAdvice();
        m_t.buttonMode = ButtonMode::Hidden;
        run(TellServerToContinue());
        break;
    case ButtonMode::Message:
        acknowledgeMessage();
        break;
    }
}

Task Engine::MessageButton(Saying message, bool noWait) {
    return showMessage(std::move(message), noWait, MessageKind::Waits);
}

Task Engine::advise(Saying message) {
    return showMessage(std::move(message), false, MessageKind::Advice);
}

Task Engine::showMessage(Saying message, bool noWait, MessageKind kind) {
    // What the window showed before the advice, not the advice itself, is what comes back.
    dismissAdvice();
    const ButtonMode previousMode = m_t.buttonMode;
    SetupButtons(ButtonMode::Message);
    m_t.message = message;
    notify([&](TableObserver& o) { o.onMessage(message); });
    if (noWait)
        co_return;
    m_messages.push_back({message, {}, kind});
    co_await MessageAwaiter{this};
    if (previousMode != ButtonMode::Hidden)
        SetupButtons(previousMode);
}

void Engine::acknowledgeMessage() {
    m_t.buttonMode = ButtonMode::Hidden;
    if (m_messages.empty())
        return;
    const MessageWaiter top = m_messages.back();
    m_messages.pop_back();
    if (!m_messages.empty()) {
        // A message still waits underneath: show it again rather than lose it.
        SetupButtons(ButtonMode::Message);
        m_t.message = m_messages.back().text;
    }
    top.waiter.resume();
}

void Engine::dismissAdvice() {
    // Advice is only ever the newest message: a later one takes it away before it is shown.
    if (!m_messages.empty() && m_messages.back().kind == MessageKind::Advice)
        acknowledgeMessage();
}

void Engine::hint() {
    run(advise(m_dealing ? Saying(Said::NoHint) : m_players.hintSentence(m_t, m_record)));
}

// --- The time-out ----------------------------------------------------------------------------

void Engine::showTimeoutLeft(int seconds) {
    m_t.timeoutLeft = seconds;
}

void Engine::startTimeout() {
    showTimeoutLeft(TimeoutSeconds);
    m_t.timeoutRunning = true;
    run(timeoutLoop(++m_timeoutGeneration));
}

void Engine::stopTimeout() {
    m_t.timeoutRunning = false;
    showTimeoutLeft(TimeoutSeconds);
    ++m_timeoutGeneration;
}

Task Engine::timeoutLoop(unsigned generation) {
    while (m_t.timeoutRunning && generation == m_timeoutGeneration) {
        co_await pause(1000);
        if (!m_t.timeoutRunning || generation != m_timeoutGeneration)
            break;
        timeoutTick();
    }
}

void Engine::timeoutTick() {
    showTimeoutLeft(std::max(m_t.timeoutLeft - 1, 0));
    if (m_t.timeoutLeft > 0)
        return;
    stopTimeout();
    // Online the computer decides for the person, and says what it did.
    const auto tell = [&](Saying text) {
        if (m_t.online)
            run(MessageButton(std::move(text), true));
    };
    if (m_t.localChoice == LocalChoice::Trump) {
        const int suit = bidHint(m_t).suit;
        if (clickTrump(suit))
            tell(Saying::withSuit(Said::TimedOutTrump, suit));
    } else if (m_t.gamePhase == GamePhase::Discard && m_t.buttonMode == ButtonMode::Discard) {
        // The computer's own choice, whatever the person had marked so far.
        for (int i = 0; i <= m_t.lastPicture(); ++i)
            if (m_t.CardState(i) == TagState::Thrown && m_t.picCard[static_cast<size_t>(i)].visible)
                toggleDiscardMark(i);
        autoDiscard();
        clickButton(1);
        tell(Said::TimedOutDiscard);
    } else if (m_t.gamePhase == GamePhase::Play &&
               (!m_t.online || m_t.awaitedSeat == m_t.localSeat)) {
        if (m_t.online) {
            playLocalTimeoutCard();
            return;
        }
        // The computer's card goes through the same checks as a click.
        run(cardClick(ChooseCard(m_t, m_t.turnSeat, m_t.trumpSuit, m_t.trickWinnerCard)));
    } else if (m_t.gamePhase == GamePhase::Bidding && m_t.localChoice == LocalChoice::Bid) {
        if (clickBid(0))
            tell(Said::TimedOutBid);
    } else if (messageWaiting() && m_t.buttonMode == ButtonMode::Message) {
        // The host's end-of-hand message: the table goes on by itself.
        clickButton(1);
    }
}

void Engine::playLocalTimeoutCard() {
    // Online the turn is the local player's own hand, pictures 0-4 (the turn seat is counted in
    // the table's numbering). A choice the checks refuse would leave the turn hanging with no
    // time-out left, so the first card they allow is played instead.
    int card = cardHint(m_t);
    if (card < 0 || card > 4 || pointerRefusal(card) != Refusal::None) {
        card = -1;
        for (int i = 0; i <= 4 && card < 0; ++i) {
            const TagState state = m_t.CardState(i);
            if (state != TagState::Played && state != TagState::Thrown &&
                pointerRefusal(i) == Refusal::None)
                card = i;
        }
    }
    if (card >= 0) {
        run(cardClick(card));
        run(MessageButton(Saying::withCard(Said::TimedOutCard, m_t.cardAt(card)), true));
    }
}

} // namespace corvane
