// Waiting without blocking: the deal's pauses, messages that wait for a click, the time-out, the
// hint, a refused card, and a new game that abandons whatever flow was in progress.
#include "players/hints.h"
#include "table/presenter.h"
#include "tests/flow/engine_fixture.h"

namespace corvane::testing {
namespace {

// From start-up the table waits for Deal with the dealer marked; the deal then lays each card
// at home after its pause.
TEST_F(EngineFixture, FromStartUpTheDealGlidesAndPausesPerCard) {
    EXPECT_TRUE(t().buttonMode == ButtonMode::Deal);
    EXPECT_FALSE(present(t()).buttonMenu.autoDiscardEnabled);
    EXPECT_EQ(t().score, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(present(t()).lblBid[static_cast<size_t>(t().dealerSeat)].color, LabelColor::Red);
    const int dealer = t().dealerSeat;
    engine.clickButton(1);
    EXPECT_FALSE((t().buttonMode != ButtonMode::Hidden));
    // 22 of the 23 pauses of 150 ms still to come after the first card.
    clock.advance(150 * 22);
    EXPECT_EQ(t().gamePhase, GamePhase::Idle);
    clock.advance(150);
    EXPECT_EQ(t().gamePhase, GamePhase::Bidding);
    EXPECT_EQ(t().dealString.size(), 46u);
    for (int i = 0; i <= 22; ++i) {
        const auto& p = t().picCard[static_cast<size_t>(i)];
        EXPECT_TRUE(p.visible && p.position == homePosition(i)) << i;
        EXPECT_EQ(p.state, i < 5 ? TagState::Up : TagState::Down);
        EXPECT_EQ(p.card.deckIndex(), t().deck[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(t().bidTurnSeat, nextSeat(dealer)); // the auction opens at the dealer's left
    // A second Deal while a hand is on cannot reshuffle it.
    const std::string dealt = t().dealString;
    engine.clickButton(1);
    EXPECT_EQ(t().dealString, dealt);
}

TEST_F(EngineFixture, NewGameAbandonsTheDealInProgress) {
    engine.clickButton(1);
    clock.advance(150 * 5);
    ASSERT_GT(engine.flowsInProgress(), 0u);
    const int dealer = t().dealerSeat;
    engine.newGame();
    EXPECT_EQ(engine.flowsInProgress(), 0u);
    EXPECT_EQ(clock.pending(), 0u);
    clock.advance(100000);
    // Nothing of the old deal acts on the new game.
    EXPECT_EQ(t().gamePhase, GamePhase::Idle);
    EXPECT_EQ(t().dealerSeat, (dealer + 1) % 4);
    for (int i = 0; i <= 22; ++i)
        EXPECT_FALSE(t().picCard[static_cast<size_t>(i)].visible);
    EXPECT_TRUE((t().buttonMode != ButtonMode::Hidden));
    EXPECT_EQ(engine.namePool().count(), 26);

    Task message = engine.MessageButton(Saying(Said::WentDown, 20));
    EXPECT_TRUE(engine.messageWaiting());
    engine.newGame();
    EXPECT_FALSE(engine.messageWaiting() || t().localChoice == LocalChoice::Bid ||
                 t().localChoice == LocalChoice::Trump);
    EXPECT_EQ(present(t()).buttonMenu.modeX, ButtonMode::Deal);
}

TEST_F(EngineFixture, MessagesReturnTheButtonsTheyCovered) {
    engine.SetupButtons(ButtonMode::Discard);
    Task message = engine.MessageButton(Said::Whisk);
    EXPECT_EQ(present(t()).buttonMenu.modeX, ButtonMode::Message);
    EXPECT_FALSE(message.done());
    engine.clickButton(1);
    EXPECT_TRUE(message.done());
    EXPECT_TRUE((t().buttonMode != ButtonMode::Hidden));
    EXPECT_EQ(present(t()).buttonMenu.modeX, ButtonMode::Discard);
    EXPECT_TRUE(present(t()).buttonMenu.autoDiscardEnabled);
    EXPECT_TRUE(engine.MessageButton(Said::HintPass, true).done());

    // A message shown over another is not lost.
    engine.newGame();
    t().buttonMode = ButtonMode::Hidden;
    Task first = engine.MessageButton(Saying(Said::Made, 20));
    Task second = engine.MessageButton(Said::HintPass);
    EXPECT_EQ(english(t().message), "I would pass.");
    engine.clickButton(1);
    EXPECT_TRUE(second.done());
    EXPECT_FALSE(first.done());
    EXPECT_TRUE((t().buttonMode != ButtonMode::Hidden));
    EXPECT_EQ(english(t().message), "Count 20 points.");
    engine.clickButton(1);
    EXPECT_TRUE(first.done());
    EXPECT_FALSE((t().buttonMode != ButtonMode::Hidden));
}

TEST_F(EngineFixture, HintSentences) {
    const std::pair<GamePhase, const char*> phases[] = {
        {GamePhase::Idle, "Click Deal to get started."},
        {GamePhase::Discard, "Use the Auto-discard button."},
        {GamePhase::DrawWait, "I got nothing."}};
    for (const auto& [phase, sentence] : phases) {
        t().gamePhase = phase;
        EXPECT_EQ(english(hintSentence(t())), sentence);
    }
    t().gamePhase = GamePhase::Bidding;
    place(0, "5H JH 2S 3S 4C");
    t().highBid = 20;
    t().bidderSeat = 1;
    t().dealerSeat = 3;
    EXPECT_EQ(english(hintSentence(t())), "I would go 25 on hearts.");
    // Asking leaves the auction as it was.
    EXPECT_EQ(english(hintSentence(t())), "I would go 25 on hearts.");
    EXPECT_EQ(t().highBid, 20);
    EXPECT_EQ(t().bidderSeat, 1);
    t().highBid = 25;
    EXPECT_EQ(english(hintSentence(t())), "I would pass.");
    // The local dealer with nobody bidding names 20 for a best level of 25.
    t().highBid = 0;
    t().dealerSeat = 0;
    engine.hint();
    EXPECT_EQ(english(t().message), "I would go 20 on hearts.");
}

// Seat 0 bid 20 in diamonds and leads the second trick.
void bidderLeadsSecondTrick(Table& t) {
    t.gamePhase = GamePhase::Play;
    t.trumpSuit = Diamonds;
    t.highBid = 20;
    t.bidderSeat = 0;
    t.tricksPlayed = 1;
    t.trickCardCount = 0;
    t.trickWinnerCard = -1;
    t.turnSeat = 0;
}

TEST_F(EngineFixture, CardHints) {
    // The card hint names the computer's card, here the 20 bid's trump lead (the playout
    // agreement holds the choice). The Expert gives its reason, short enough for the button.
    bidderLeadsSecondTrick(t());
    place(0, "10C QH JD 3S 4C");
    t().ledCard = 0;
    engine.hint();
    EXPECT_EQ(english(t().message), "I would play the Jack of diamonds.") << "Standard at start-up";
    engine.clickButton(1);
    t().computerLevel = ComputerLevel::Expert;
    engine.hint();
    const std::string expert = english(t().message);
    EXPECT_EQ(expert.rfind("I would play the ", 0), 0u) << expert;
    EXPECT_NE(expert.find(": "), std::string::npos) << expert;
    EXPECT_LE(expert.size(), 75u);
    EXPECT_TRUE(expert.ends_with(" of 10 deals.") || expert.ends_with("away.")) << expert;

    // During the pause after the fifth trick every local card is on the table: nothing to say,
    // and the time-out running out plays nothing.
    engine.clickButton(1);
    t().gamePhase = GamePhase::Play;
    place(0, "2S 3S 4S 6S 7S", TagState::Played);
    EXPECT_EQ(english(hintSentence(t())), "I got nothing.");
    t().awaitedSeat = t().localSeat;
    engine.startTimeout();
    clock.advance(20000);
    EXPECT_EQ(t().trickCardCount, 0);
}

class LocalPlay : public EngineFixture {
protected:
    void yourTurn() {
        t().gamePhase = GamePhase::Play;
        t().trumpSuit = Spades;
        t().highBid = 30;
        t().bidderSeat = 0;
        t().tricksPlayed = 0;
        t().trickCardCount = 0;
        t().turnSeat = 0;
        t().trickWinnerCard = -1;
        t().buttonMode = ButtonMode::Hidden;
        t().awaitedSeat = t().localSeat;
        place(0, "4S 2D KC 8H 9H");
    }
};

TEST_F(LocalPlay, ARefusedCardStaysAndTheTurnStays) {
    yourTurn();
    // Clicks out of turn, or on another seat's card, do nothing.
    t().awaitedSeat = NoSeat;
    engine.clickCard(2);
    EXPECT_FALSE((t().buttonMode != ButtonMode::Hidden));
    t().awaitedSeat = t().localSeat;
    engine.clickCard(7);
    EXPECT_EQ(t().trickCardCount, 0);

    EXPECT_EQ(engine.pointerRefusal(2), Refusal::Whisk);
    EXPECT_EQ(engine.pointerRefusal(0), Refusal::None);
    engine.clickCard(2);
    EXPECT_EQ(english(t().message), "There's a whisk to the board.");
    EXPECT_EQ(t().CardState(2), TagState::Up);
    EXPECT_TRUE(t().awaitedSeat == t().localSeat);
    EXPECT_EQ(t().trickCardCount, 0);
    engine.clickButton(1);

    // The card taken; the trick's lead and winner are the playout agreement's to check.
    engine.clickCard(0);
    EXPECT_EQ(t().CardState(0), TagState::Played);
    EXPECT_EQ(t().picCard[0].position, trickPosition(0));
    EXPECT_EQ(t().trickCardCount, 1);
    EXPECT_FALSE(t().awaitedSeat == t().localSeat);
    EXPECT_EQ(t().turnSeat, 1);
}

// A refusal or a hint speaks of one moment: the player's next act takes it away, and it never
// comes back when a later message is read.
TEST_F(LocalPlay, AdviceGoesWithThePlayersNextAct) {
    const auto adviceShown = [&](const Saying& said) {
        return t().buttonMode == ButtonMode::Message && t().message == said;
    };
    struct Row {
        const char* act;
        GamePhase phase;
        void (*advice)(Engine&);
        void (*doIt)(Engine&);
    };
    const Row rows[] = {
        // A club under a 30 bid's first lead: a whisk.
        {"a card after a refusal", GamePhase::Play, [](Engine& e) { e.clickCard(2); },
         [](Engine& e) { e.clickCard(0); }},
        {"a bid after a hint", GamePhase::Bidding, [](Engine& e) { e.hint(); },
         [](Engine& e) { e.clickBid(0); }},
        {"trump after a hint", GamePhase::Discard, [](Engine& e) { e.hint(); },
         [](Engine& e) { e.clickTrump(Spades); }},
        {"a hint after a hint", GamePhase::Idle, [](Engine& e) { e.hint(); },
         [](Engine& e) { e.hint(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.act);
        engine.newGame();
        yourTurn();
        t().gamePhase = row.phase;
        if (row.phase == GamePhase::Bidding)
            engine.setUpBidDialog();
        if (row.phase == GamePhase::Discard)
            t().localChoice = LocalChoice::Trump;
        row.advice(engine);
        const Saying advice = t().message;
        ASSERT_TRUE(adviceShown(advice));
        row.doIt(engine);
        if (row.phase ==
            GamePhase::Idle) // a second hint replaces the first rather than waiting on it
            engine.clickButton(1);
        else
            EXPECT_FALSE(adviceShown(advice));
        EXPECT_FALSE(engine.messageWaiting());
        // A later message, once read, leaves nothing of the old advice behind.
        Task later = engine.MessageButton(Saying(Said::WentDown, 20));
        EXPECT_EQ(english(t().message), "Bidder goes down 20.");
        engine.clickButton(1);
        EXPECT_TRUE(later.done());
        EXPECT_FALSE(engine.messageWaiting());
        EXPECT_FALSE(adviceShown(advice));
    }
}

TEST_F(LocalPlay, TheTimeOutPlaysTheComputersCardOrPasses) {
    yourTurn();
    engine.startTimeout();
    EXPECT_TRUE(present(t()).lblTimeout.visible);
    clock.advance(1000);
    EXPECT_EQ(present(t()).lblTimeout.caption, "19");
    clock.advance(18000);
    EXPECT_EQ(present(t()).lblTimeout.caption, "01");
    EXPECT_EQ(t().trickCardCount, 0);
    clock.advance(1000);
    EXPECT_FALSE(present(t()).lblTimeout.visible);
    EXPECT_EQ(present(t()).lblTimeout.caption, "20");
    // The 4 of spades is the only trump and the first trick of a 30 bid must be led with one.
    EXPECT_EQ(t().CardState(0), TagState::Played);
    EXPECT_EQ(t().trickCardCount, 1);

    t().gamePhase = GamePhase::Bidding;
    engine.setUpBidDialog();
    engine.startTimeout();
    clock.advance(20000);
    EXPECT_EQ(present(t()).lblBid[0].caption, "Pass");
    EXPECT_FALSE(t().localChoice == LocalChoice::Bid);

    // A new game stops it.
    engine.startTimeout();
    clock.advance(3000);
    engine.newGame();
    EXPECT_FALSE(present(t()).lblTimeout.visible);
    clock.advance(30000);
    EXPECT_EQ(present(t()).lblTimeout.caption, "20");
}

TEST_F(EngineFixture, PlayersMenuOnlyBetweenHands) {
    const std::string partner = present(t()).lblPlayerName[2].caption;
    t().gamePhase = GamePhase::Play;
    EXPECT_FALSE(engine.playersMenuEnabled());
    engine.newPartner();
    EXPECT_EQ(present(t()).lblPlayerName[2].caption, partner);
    t().gamePhase = GamePhase::Idle;
    for (int i = 0; i < 20; ++i) {
        engine.newPartner();
        engine.newOpponents();
        EXPECT_EQ(engine.namePool().count(), 26);
        std::set all(engine.namePool().names().begin(), engine.namePool().names().end());
        for (int s = 1; s <= 3; ++s)
            all.insert(present(t()).lblPlayerName[static_cast<size_t>(s)].caption);
        EXPECT_EQ(all.size(), 29u);
    }
}

// Every card lies at every place of the deck equally often: over 52,000 shuffles each of the
// 2,704 (card, place) pairs comes near its 1,000 (one standard deviation is about 31).
TEST(Shuffle, EveryCardReachesEveryPlaceEquallyOften) {
    VirtualClock clock;
    Random random(3);
    Engine engine(clock, random);
    std::array<std::array<int, 52>, 52> seen{};
    for (int n = 0; n < 52'000; ++n) {
        engine.Shuffle();
        for (size_t place = 0; place < 52; ++place)
            ++seen[place][static_cast<size_t>(engine.table().deck[place])];
    }
    int worst = 0;
    for (const auto& place : seen)
        for (int count : place)
            worst = std::max(worst, std::abs(count - 1000));
    EXPECT_LT(worst, 160);
}

} // namespace
} // namespace corvane::testing
