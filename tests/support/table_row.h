// A whole table state in one row, for the tests (cards by their short names,
// tests/support/cards.h):
//
//   tableRow("dealer 3; trump S; bid 25 by 1; tricks 1; follow; turn 0;"
//            "0: 5S 8D QC 2H; 1: KD JC ~ 3S; kitty 7H 8H 9H; trick 1:KD 2:JS")
//
// A row is fields separated by ';', in any order, each optional:
//   dealer N, trump S|D|C|H, bid N by SEAT, tricks N (played before this one), follow (the
//   "Must follow suit" option), turn SEAT, drawn N N N N (the cards each seat drew), kitty
//   CARDS, and a seat's pictures "SEAT: CARDS":
//   the cards in hand from its first picture on, then after '~' the cards it played to earlier
//   tricks. The rest of a listed seat's pictures count as played.
//   trick SEAT:CARD ...: the trick so far in the order played. A card the seat holds is laid
//   from its picture; another goes on the seat's first picture left over.
// A field given twice takes the later value, so a shared start can be followed by changes.
// A malformed row or card name throws, so a slip in a test fails loudly.
#pragma once

#include "table/table.h"
#include "tests/support/cards.h"

#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::testing {

// Lays the card on a picture into the table's trick as the flow does: played, its seat's trick
// card, the lead when it is the first, and the winner so far.
inline void layCard(Table& table, int picture) {
    table.picCard[static_cast<size_t>(picture)].state = TagState::Played;
    table.trickSeatCard[static_cast<size_t>(picture / 5)] = picture;
    if (table.trickCardCount == 0)
        table.ledCard = picture;
    const int led = table.ledSuit();
    if (table.CardValue(picture, table.trumpSuit, led) >
        table.CardValue(table.trickWinnerCard, table.trumpSuit, led))
        table.trickWinnerCard = picture;
    ++table.trickCardCount;
}

namespace detail {
inline std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

inline int seatNumber(const std::string& text) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '3')
        throw std::invalid_argument("no seat " + text);
    return text[0] - '0';
}
} // namespace detail

// Puts the cards in hand, then those played earlier, on the seat's pictures; the pictures left
// over hold no card and count as played.
inline void dealSeat(Table& table, int seat, const std::vector<Card>& hand,
                     const std::vector<Card>& played = {}) {
    if (hand.size() + played.size() > 5)
        throw std::invalid_argument("more than five cards for seat " + std::to_string(seat));
    for (size_t k = 0; k < 5; ++k) {
        auto& p = table.picCard[static_cast<size_t>(5 * seat) + k];
        const bool inHand = k < hand.size();
        const bool earlier = !inHand && k < hand.size() + played.size();
        p.card = inHand ? hand[k] : earlier ? played[k - hand.size()] : Card{};
        p.state = inHand ? TagState::Down : TagState::Played;
    }
}

inline Table tableRow(std::string_view row) {
    Table table;
    table.trickWinnerCard = -1;
    std::vector<std::pair<int, Card>> trick;
    std::string_view rest = row;
    while (!rest.empty()) {
        const auto end = rest.find(';');
        const std::string field = detail::trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (field.empty())
            continue;
        std::istringstream in(field);
        std::string key;
        in >> key;
        std::string value;
        std::getline(in, value);
        value = detail::trimmed(value);
        if (key == "dealer") {
            table.dealerSeat = detail::seatNumber(value);
        } else if (key == "trump") {
            if (value.size() != 1)
                throw std::invalid_argument("trump wants one suit letter: " + value);
            table.trumpSuit = suitLetter(value[0]);
        } else if (key == "bid") {
            std::istringstream bid(value);
            std::string by, seat;
            bid >> table.highBid >> by >> seat;
            if (by != "by")
                throw std::invalid_argument("bid wants \"N by SEAT\": " + value);
            table.bidderSeat = detail::seatNumber(seat);
        } else if (key == "tricks") {
            table.tricksPlayed = std::stoi(value);
        } else if (key == "follow") {
            table.mustFollowSuit = true;
        } else if (key == "turn") {
            table.turnSeat = detail::seatNumber(value);
        } else if (key == "drawn") {
            std::istringstream counts(value);
            for (int& n : table.drawCount)
                if (!(counts >> n))
                    throw std::invalid_argument("drawn wants four counts: " + value);
        } else if (key == "kitty") {
            const std::vector<Card> kitty = cards(value);
            for (size_t k = 0; k < kitty.size(); ++k)
                table.picCard[KittyFirst + k].card = kitty[k];
        } else if (key == "trick") {
            std::istringstream plays(value);
            for (std::string play; plays >> play;) {
                const auto colon = play.find(':');
                if (colon == std::string::npos)
                    throw std::invalid_argument("trick wants SEAT:CARD: " + play);
                trick.emplace_back(detail::seatNumber(play.substr(0, colon)),
                                   card(play.substr(colon + 1)));
            }
        } else if (key.size() == 2 && key[1] == ':') {
            const auto tilde = value.find('~');
            dealSeat(table, detail::seatNumber(key.substr(0, 1)), cards(value.substr(0, tilde)),
                     tilde == std::string::npos ? std::vector<Card>{}
                                                : cards(value.substr(tilde + 1)));
        } else {
            throw std::invalid_argument("no table field " + field);
        }
    }
    for (const auto& [seat, played] : trick) {
        int picture = -1;
        for (int k = 0; k < 5 && picture < 0; ++k) {
            const auto& p = table.picCard[static_cast<size_t>(5 * seat + k)];
            if (p.card == played && p.state != TagState::Played)
                picture = 5 * seat + k;
        }
        for (int k = 0; k < 5 && picture < 0; ++k) {
            const auto& p = table.picCard[static_cast<size_t>(5 * seat + k)];
            if (p.state == TagState::Played && !p.card.isValid())
                picture = 5 * seat + k;
        }
        if (picture < 0)
            picture = 5 * seat + 4;
        table.picCard[static_cast<size_t>(picture)].card = played;
        layCard(table, picture);
    }
    return table;
}

} // namespace corvane::testing
