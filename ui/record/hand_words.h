// A recorded hand in words, for the history's details: dealer, bids, contract, the cards each
// seat was dealt, kept and drew as far as the player may know them, and every trick.
#pragma once

#include "flow/game_history.h"

#include <QString>

namespace corvane::ui {

QString handInWords(const RecordedHand& hand, const std::array<std::string, 4>& names);
// "5H 10C AS", with "?" for a card the record does not know.
QString cardsInWords(const std::vector<Card>& cards);

} // namespace corvane::ui
