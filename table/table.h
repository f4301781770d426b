// The model of one table under the names the game gives it: the facts of the hand and the game
// (phase, seats and who holds them, the bids, trump, the trick, the scores, what the table asks
// of the local player), the options, and the 24 card pictures the flow moves. The rules, the
// flow, the host, the seat and the computer players read and write this; what the window shows
// is derived from it by the presenter (table/presenter.h).
#pragma once

#include "cards/bid.h"
#include "cards/card.h"
#include "cards/card_value.h"
#include "table/computer_level.h"
#include "table/layout.h"
#include "table/saying.h"

#include <array>
#include <string>

namespace corvane {

// DrawWait: the discards are in and the host's draw is awaited; Draw: the drawn cards are gliding
// in, and no card of the hand can be marked or played until the last one is home.
enum class GamePhase { Idle, Bidding, Discard, DrawWait, Draw, Play };

// Who holds a seat.
enum class Occupant { Person, Computer };

struct SeatHolder {
    Occupant occupant = Occupant::Computer;
    std::string name;
};

inline constexpr int NoSeat = -1;

// A card picture's state letter: what the Tag's third character says.
enum class TagState : char { Thrown = 'X', Down = 'D', Up = 'U', Played = 'P' };

// CardState as the number 0-3 the rules count with.
constexpr int cardStateNumber(TagState s) {
    switch (s) {
    case TagState::Thrown:
        return 0;
    case TagState::Down:
        return 1;
    case TagState::Up:
        return 2;
    case TagState::Played:
        return 3;
    }
    return 0;
}

struct CardPicture {
    Card card; // no card until the first deal
    TagState state = TagState::Down;
    Point position; // twips
    bool visible = false;
    int stacking = 0; // higher is in front

    bool showsFace() const { return state == TagState::Up || state == TagState::Played; }
    std::string tag() const; // "05U": the two-digit card number and the state letter
};

// What the button window asks of the local player: "&Deal" between hands (with "&Auto-Discard"
// disabled), the two buttons of the discard, or a one-line message that a click on it answers.
enum class ButtonMode { Deal, Discard, Message, Hidden };

// A choice the table waits for from the local player in a dialog of its own.
enum class LocalChoice { None, Bid, Trump };

inline constexpr int KittyFirst = 20;
inline constexpr const char* CannotFlipMessage = "Cannot Flip Discarded Card";
inline constexpr int SeatCount = 4;
// The local player's name until a person gives another online.
inline constexpr const char* LocalPlayerName = "You";

struct Table {
    // The hand.
    GamePhase gamePhase = GamePhase::Idle;
    int dealerSeat = 0;
    int bidTurnSeat = 0;
    int highBid = 0;
    int bidderSeat = 0;
    int trumpSuit = 0;
    int kittySize = 3;
    std::array<int, 4> trickSeatCard{-1, -1, -1, -1};
    int ledCard = 0;
    int topTrumpOut = 0;
    int trickCardCount = 0;
    int tricksPlayed = 0;
    std::array<int, 4> drawCount{};
    int bidsMade = 0;
    // Each seat's latest bid of this auction (none until it bids), in the table's numbering.
    std::array<Bid, 4> seatBid{};
    // The suit each computer bidder would name, chosen with its bid (0 for a person's bid).
    std::array<int, 4> computerTrump{};
    bool trumpNamed = false; // the contract and trump are shown from trump named to the score
    int turnSeat = 0;
    // The seat whose card the table waits for: its name is marked. NoSeat while nobody may play
    // (a card on its way, a trick being gathered, another phase).
    int awaitedSeat = NoSeat;
    int trickWinnerCard = -1;
    int cardsBeforeMe = 0;
    std::array<int, 5> trickUnits{};
    std::array<int, 4> tricksWon{}; // this hand, by seat
    std::array<int, 4> tableCard{};

    // The options of the run.
    int speedDelay = 300;
    bool anyBidAllowed = false;
    bool mustFollowSuit = false;
    bool tutorialMode = false;
    ComputerLevel computerLevel = ComputerLevel::Standard; // "Computer players:"
    int cardBackNumber = 64;
    int backDesign = 0;

    // Online.
    int netRole = 0;
    bool online = false; // the chat line is shown: the table plays online
    int localSeat = 0;   // the local player's seat on the host (shown as text "0"-"3")

    // The deck: deck[0-51] after a shuffle; after the deal deck[i] is the card on picture i
    // (0-22) and deck[23...] is the stock.
    std::array<int, 55> deck{};
    std::array<int, 53> homeLeft{};
    std::array<int, 53> homeTop{};
    std::string dealString;

    // The seats, in the table's numbering; the local player sits at `localSeat`.
    std::array<SeatHolder, 4> seats{};
    // The game's score by partnership, the local player's first.
    std::array<int, 2> score{};

    // What the table asks of the local player.
    ButtonMode buttonMode = ButtonMode::Hidden;
    Saying message; // the message the button window shows
    LocalChoice localChoice = LocalChoice::None;
    bool timeoutRunning = false;
    int timeoutLeft = 20; // seconds of the local player's time-out

    // The card pictures the flow moves.
    std::array<CardPicture, 24> picCard{};
    int stackingCounter = 0;

    Table();

    // Card routines on a picture index.
    Card cardAt(int picture) const { return picCard[static_cast<size_t>(picture)].card; }
    TagState CardState(int picture) const { return picCard[static_cast<size_t>(picture)].state; }
    int CardRank(int picture) const { return cardAt(picture).face(); }
    int CardSuit(int picture) const { return cardAt(picture).suit(); }
    // Rank value of the card on a picture; 0 for picture -1 (no card).
    int CardValue(int picture, int trump, int leadSuit = -1) const {
        if (picture < 0 || picture >= PictureCount)
            return 0;
        return corvane::CardValue(cardAt(picture), trump, leadSuit);
    }
    void TurnCardUp(int picture);
    // Turns a hand card over. False (and no change) for a thrown-away card: the window then says
    // CannotFlipMessage.
    bool FlipCard(int picture);
    void MarkDiscard(int picture);
    void bringToFront(int picture);
    // A dealt card on a picture: face down at the picture's home, in front, the home recorded.
    void dealToPicture(int picture, int deckIndex, bool visible);

    // Seats and numbering.
    int lastPicture() const { return kittySize + 19; }
    // The local picture of a host-numbered picture index.
    int localPicture(int hostIndex) const { return (hostIndex - 5 * localSeat + 20) % 20; }
    int hostPicture(int localIndex) const { return (localIndex + 5 * localSeat) % 20; }
    int ledSuit() const { return CardSuit(localPicture(ledCard)); }
    // The first lead of a hand has no card to answer: `ledCard` still names the last lead of the
    // previous hand, whose picture now holds a card of this deal. Everywhere else the previous
    // lead stands, as the rules of legal play read it.
    bool firstLeadOfHand() const { return tricksPlayed == 0 && trickCardCount == 0; }
    // The led card as the legality tests and the computer compare with: no card at a hand's
    // first lead.
    Card leadForPlay() const { return firstLeadOfHand() ? Card{} : cardAt(localPicture(ledCard)); }

    // The dealer's mark beside a name: from the first card dealt until the hand's cards are put
    // away, beside the name label of the dealer (the local player's numbering).
    bool dealerMarkShown() const;
    int dealerLabel() const { return labelOfSeat(dealerSeat); }

    // The local player's name, as the seat shows it.
    std::string& localName() { return seats[static_cast<size_t>(localSeat)].name; }
    const std::string& localName() const { return seats[static_cast<size_t>(localSeat)].name; }
    // The local player sits down at `seat`: every seat keeps its place as the local player sees
    // it until the host names them.
    void seatLocalPlayerAt(int seat);
    // The seat a label of the window shows (0 the local player, then round the table).
    int seatOfLabel(int label) const { return (label + localSeat) % 4; }
    int labelOfSeat(int seat) const { return (seat - localSeat + 4) % 4; }
};

constexpr int nextSeat(int seat) {
    return seat == 3 ? 0 : seat + 1;
}
constexpr int previousSeat(int seat) {
    return seat == 0 ? 3 : seat - 1;
}
constexpr int partnerOf(int seat) {
    return seat > 1 ? seat - 2 : seat + 2;
}

} // namespace corvane
