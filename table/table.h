// The whole state of one table under the names the game gives it: the variables of the hand, the
// 24 card pictures, the labels (names, bids, scores, tricks, contract), the button window and the
// dialogs as data. The window draws exactly this and nothing else.
#pragma once

#include "cards/card.h"
#include "cards/card_value.h"
#include "table/computer_level.h"
#include "table/layout.h"

#include <array>
#include <string>

namespace corvane {

enum GamePhase : int {
    PhaseIdle = 0,
    PhaseBidding = 1,
    PhaseDiscard = 2,
    PhaseDrawWait = 3,
    PhasePlay = 4,
};

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

enum class LabelColor { Black, Red, White };

struct Label {
    std::string caption;
    std::string tag;
    bool visible = true;
    bool underline = false;
    LabelColor color = LabelColor::Black;
};

// What the button window offers: "&Deal" between hands (with "&Auto-Discard" disabled), the
// two buttons of the discard, or a one-line message that a click on it answers.
enum class ButtonMode { Deal, Discard, Message };

// The small button window: "&Auto-Discard" and "&Deal", or a one-line message.
struct ButtonMenu {
    bool visible = false;
    ButtonMode modeX = ButtonMode::Deal; // the mode last given to SetupButtons
    bool autoDiscardEnabled = false;
    std::string dealCaption = "&Deal";
    int fontSize = 10; // 8 for a message longer than 20 characters
};

struct BidDialog {
    bool visible = false;
    std::array<bool, 4> enabled{true, true, true, true}; // Pass, 20, 25, 30
};

inline constexpr int KittyFirst = 20;
inline constexpr const char* CannotFlipMessage = "Cannot Flip Discarded Card";
inline constexpr int SeatCount = 4;

struct Table {
    // The hand.
    int gamePhase = PhaseIdle;
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
    int turnSeat = 0;
    int trickWinnerCard = -1;
    int cardsBeforeMe = 0;
    std::array<int, 5> trickUnits{};
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

    // What the window shows.
    std::array<CardPicture, 24> picCard{};
    std::array<Label, 6> lblPlayerName{}; // 0-3 seats, 4 "We", 5 "They"
    std::array<Label, 5> lblBid{};        // 0-3 seats, 4 the contract
    std::array<int, 2> score{};           // lblScore(0-1), shown as text
    std::array<std::string, 2> lblTricks{};
    bool imgTrumpVisible = false;
    Label lblTimeout;
    bool timeoutRunning = false;
    ButtonMenu buttonMenu;
    std::string buttonMessage; // the caption of the message button
    BidDialog bidDialog;
    bool trumpDialogVisible = false;
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
    int dealerLabel() const { return (dealerSeat - localSeat + 4) % 4; }

    // The score labels as the window shows them.
    std::string scoreCaption(int partnership) const {
        return std::to_string(score[partnership & 1]);
    }
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

// Val() of a bid caption: "Pass" (or anything not a number) is 0.
int bidValue(const std::string& caption);

// Whether `bid` may follow the high bid: above it, or equal to it for the dealer, who may hold.
constexpr bool bidRaises(int bid, int highBid, bool byDealer) {
    return byDealer ? bid >= highBid : bid > highBid;
}

// The four seats' bid captions of this hand, by seat.
using BidCaptions = std::array<std::string, 4>;

// Whether the bids shown end the auction: the three seats after the dealer passed, the high
// bidder or the dealer passed, or the dealer's bid stands above the other three.
bool auctionOver(int dealer, int bidder, const BidCaptions& bids);
bool auctionOver(const Table& t);

// Who plays the contract once the auction is over: the high bidder, or the dealer who held the
// bid when the high bidder passed it back.
int contractSeat(int dealer, int bidder, const BidCaptions& bids);
int contractSeat(const Table& t);

} // namespace corvane
