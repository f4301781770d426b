// What the table says at the end of a hand and of a game, and at a misdeal: one home for the
// texts that a standalone table, the host and a seated player's view all show.
#pragma once

#include "cards/card.h"

#include <string>
#include <vector>

namespace corvane::handText {

// The bidders made their bid and count `points`.
std::string made(int points);
// The bidders went down by their bid.
std::string wentDown(int bid);
// `dealer` is the dealer's name, or empty when the local player deals.
std::string misdeal(const std::string& dealer);

// What the computer did for a person whose time ran out online.
std::string timedOutCard(Card card);
std::string timedOutTrump(int suit);
// To a person who sat down during a hand: the cards the computer played from their hand.
std::string playedForYou(const std::vector<Card>& cards);
inline constexpr const char* TimedOutBid = "Time ran out: a pass was bid for you.";
inline constexpr const char* TimedOutDiscard = "Time ran out: your cards were thrown away for you.";

inline constexpr const char* GameWon = "You're not easy!";
// The opponents won the game: standalone, and as a seated player's view says it.
inline constexpr const char* GameLost = "She's gone, b'y.";
inline constexpr const char* GameLostOnline = "She's gone b'y.";

} // namespace corvane::handText
