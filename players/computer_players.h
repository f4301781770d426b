// The computer players at their level: Standard (the fixed rules), Expert (sampling the unseen
// cards) or Master (sampling them weighed by the auction and the play). The table's option sets the
// level of every computer seat and of the hint; a tool may give each seat its own level.
#pragma once

#include "players/expert_bid.h"
#include "players/expert_play.h"
#include "players/hand_record.h"
#include "table/computer_level.h"

#include <array>
#include <optional>
#include <string>

namespace corvane {

struct Table;

struct BidChoice {
    Bid bid;
    int suit = 0;
};

class ComputerPlayers {
public:
    // The level of a computer seat: its own if a tool set one, else the table's option.
    ComputerLevel level(const Table& table, int seat) const;
    void setSeatLevel(int seat, ComputerLevel level) {
        m_seatLevels[static_cast<size_t>(seat & 3)] = level;
    }
    ExpertEffort& effort() { return m_effort; }
    const ExpertEffort& effort() const { return m_effort; }
    // The effort of one seat: its own if a tool set one, else the common one.
    void setSeatEffort(int seat, const ExpertEffort& effort) {
        m_seatEfforts[static_cast<size_t>(seat & 3)] = effort;
    }
    const ExpertEffort& effort(int seat) const;

    // The picture of the card `seat` plays.
    int card(const Table& table, const HandRecord& record, int seat) const;
    // A computer seat's bid and the suit it would name. Standard updates highBid and highBidder
    // as its rule says; an Expert or Master bid is a bid the dialog allows, and the caller records
    // it.
    BidChoice bid(const Table& table, int seat, int& highBid, int& highBidder) const;

    // The cards `seat` keeps once trump is named, when its level weighs them by dealing (an
    // Expert with the sampled discard, a Master): bits 0-4 its pictures 5 * seat + slot, bits 5 and
    // up the kitty's for the bidder. None when the Standard rule decides.
    std::optional<unsigned> keep(const Table& table, int seat) const;

    // The hint's sentence for the local player, at the level of the table's option.
    Saying hintSentence(const Table& table, const HandRecord& record) const;

private:
    ExpertCard sampledCard(const Table& table, const HandRecord& record, int seat,
                           const ExpertEffort& effort) const;
    ExpertBid sampledBid(const Table& table, int seat, const ExpertEffort& effort) const;

    std::array<std::optional<ComputerLevel>, 4> m_seatLevels{};
    ExpertEffort m_effort;
    std::array<std::optional<ExpertEffort>, 4> m_seatEfforts{};
};

} // namespace corvane
